// The stand-in of the operator's results service must answer in the real service's shapes, or
// the program's tests would prove a reader against answers the operator never sends. The saved
// real answers are the reference wherever they apply.
#include "apoyo/carpetaprueba.h"
#include "archive/fechas.h"
#include "simulacion/sitiosimulado.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <set>

namespace {
QString u(const char *t)
{
    return QString::fromUtf8(t);
}

const QString kReal = QStringLiteral(BOLARIUM_DATOS_REALES "/servicio-real/sorteo-2017-08-17.json");
const QString kRealAntes = QStringLiteral(
    BOLARIUM_DATOS_REALES "/servicio-real/sorteo-2017-08-17-antes-del-resultado.json");

QJsonObject leeReal(const QString &ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(f.readAll()).object()
                                       : QJsonObject();
}

// Fields the saved 2017 answers lack and the service writes today.
std::set<QString> claves(const QJsonObject &o, bool conActuales = false)
{
    std::set<QString> r;
    for (const QString &k : o.keys())
        r.insert(k);
    if (conActuales)
        r.insert({QStringLiteral("numero"), QStringLiteral("combinacion_acta")});
    return r;
}

QJsonArray lista(const QByteArray &cuerpo)
{
    return QJsonDocument::fromJson(cuerpo).array();
}

QStringList tipos(const QJsonArray &filas)
{
    QStringList r;
    for (const QJsonValue &f : filas)
        r << f[QStringLiteral("tipo")].toString();
    return r;
}

// The draw of 17/08/2017 with everything the real answer says of it.
paginas::SorteoWeb sorteo2017()
{
    paginas::SorteoWeb w;
    w.sorteo.numeros = {8, 17, 19, 45, 48, 49};
    w.sorteo.complementario = 43;
    w.sorteo.reintegro = 2;
    w.sorteo.joker = 8337021;
    w.sorteo.fecha = fechas::serial(QDate(2017, 8, 17));
    w.especial = QStringLiteral("0,00");
    w.premios = {QStringLiteral("0,00"),  QStringLiteral("34.554,98"), QStringLiteral("2.428,19"),
                 QStringLiteral("77,54"), QStringLiteral("8,00"),      QStringLiteral("1,00")};
    w.ganadores = {0, 0, 6, 185, 9358, 184746, 1093541};
    return w;
}

struct Respuesta {
    int estado = 0;
    QString razon;
    QByteArray tipo;
    QByteArray reintento;
    QByteArray cuerpo;
};
} // namespace

class TstSimulacion : public QObject {
    Q_OBJECT

    std::unique_ptr<SitioSimulado> sitio;
    QNetworkAccessManager red;

    Respuesta pide(const QString &destino)
    {
        std::unique_ptr<QNetworkReply> r(
            red.get(QNetworkRequest(QUrl(sitio->direccion() + destino))));
        QSignalSpy fin(r.get(), &QNetworkReply::finished);
        if (!r->isFinished())
            fin.wait(10000);
        return {r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                r->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString(),
                r->rawHeader("Content-Type"), r->rawHeader("Retry-After"), r->readAll()};
    }
    static QString rango(const char *desde, const char *hasta)
    {
        return u("/servicios/buscadorSorteos?game_id=LAPR&celebrados=true&fechaInicioInclusiva=%1"
                 "&fechaFinInclusiva=%2")
            .arg(QLatin1String(desde), QLatin1String(hasta));
    }
    static QString porFecha(const char *fecha)
    {
        return u("/servicios/fechav3?game_id=LAPR&fecha_sorteo=%1").arg(QLatin1String(fecha));
    }
    // Draws of the week of Monday 17/08/2026, one after the site's today.
    void semana()
    {
        for (const QDate &d :
             {QDate(2026, 8, 13), QDate(2026, 8, 15), QDate(2026, 8, 17), QDate(2026, 8, 20)}) {
            paginas::SorteoWeb w{sorteoDe(d, d.day() % 40 + 1)};
            w.sorteo.joker = 1234567;
            sitio->sorteos.push_back(w);
        }
    }

private slots:
    void init()
    {
        red.setProxy(QNetworkProxy::NoProxy);
        sitio = std::make_unique<SitioSimulado>();
        QVERIFY(sitio->escucha());
    }
    void cleanup() { sitio.reset(); }

    // The draw of 17/08/2017 written from the figures of the real answer is the real answer,
    // but for the fields no reader needs the same.
    void igualQueLaRespuestaReal()
    {
        const QByteArray cuerpo = paginas::servicio({sorteo2017()}, {});
        // The operator escapes every letter beyond ASCII.
        QVERIFY(cuerpo.contains("1\\u00aa (6 Aciertos) "));
        QVERIFY(std::all_of(cuerpo.cbegin(), cuerpo.cend(),
                            [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
        const QJsonArray respuesta = lista(cuerpo);
        QCOMPARE(respuesta.size(), 1);
        const QJsonObject e = respuesta[0].toObject();
        QVERIFY(e[QStringLiteral("fecha_sorteo")].toString().startsWith(u("2017-08-17 21:")));
        QCOMPARE(e[QStringLiteral("numero")].toInteger(), 65);
        QCOMPARE(e[QStringLiteral("combinacion_acta")].toString().size(),
                 e[QStringLiteral("combinacion")].toString().size());
        QVERIFY(!e.contains(QStringLiteral("url_pdf")));
        const QJsonObject conPdf =
            lista(paginas::servicio({sorteo2017()}, QStringLiteral("http://127.0.0.1:1")))[0]
                .toObject();
        QVERIFY(conPdf[QStringLiteral("url_pdf")].toString().endsWith(u("LP_2017-08-17.pdf")));

        const QJsonObject real = leeReal(kReal);
        if (real.isEmpty())
            QSKIP("The saved real answer is not there");
        QCOMPARE(claves(e), claves(real, true));
        for (const char *campo : {"dia_semana", "id_sorteo", "game_id", "anyo", "cdc",
                                  "combinacion", "escrutinio", "escrutinio_joker"})
            QCOMPARE(e[QLatin1String(campo)], real[QLatin1String(campo)]);
        QCOMPARE(e[QStringLiteral("joker")], real[QStringLiteral("joker")]);
    }

    // Five categories before 2013, seven from then on, with the labels of each time and the
    // amounts the way the service writes them.
    void epocas_data()
    {
        QTest::addColumn<QDate>("dia");
        QTest::addColumn<QStringList>("etiquetas");
        QTest::addColumn<QStringList>("premios");
        QTest::newRow("1990") << QDate(1990, 3, 3)
                              << QStringList{u("1ª  (6 Aciertos)"), u("2ª  (5 Aciertos + C)"),
                                             u("3ª  (5 Aciertos)"), u("4ª  (4 Aciertos)"),
                                             u("5ª  (3 Aciertos)")}
                              << QStringList{u("1234567,89"), u("98765,43"), u("2345,67"),
                                             u("56,78"), u("8")};
        QTest::newRow("2012") << QDate(2012, 12, 29)
                              << QStringList{u("1ª (6 Aciertos) "), u("2ª (5 Aciertos + C) "),
                                             u("3ª (5 Aciertos) "), u("4ª (4 Aciertos) "),
                                             u("5ª (3 Aciertos) ")}
                              << QStringList{u("1234567,89"), u("98765,43"), u("2345,67"),
                                             u("56,78"), u("8")};
        QTest::newRow("2013") << QDate(2013, 1, 3)
                              << QStringList{u("Especial (6 Aciertos + R) "),
                                             u("1ª (6 Aciertos) "),
                                             u("2ª (5 Aciertos + C) "),
                                             u("3ª (5 Aciertos) "),
                                             u("4ª (4 Aciertos) "),
                                             u("5ª (3 Aciertos) "),
                                             u("Reintegro")}
                              << QStringList{u("3456789,01"), u("1234567,89"), u("98765,43"),
                                             u("2345,67"),    u("56,78"),      u("8"),
                                             u("1")};
    }
    void epocas()
    {
        QFETCH(QDate, dia);
        QFETCH(QStringList, etiquetas);
        QFETCH(QStringList, premios);
        paginas::SorteoWeb w{sorteoDe(dia)};
        if (dia.year() > 2000)
            w.sorteo.joker = 42;
        const QJsonObject e = lista(paginas::servicio({w}, {}))[0].toObject();
        const QJsonArray filas = e[QStringLiteral("escrutinio")].toArray();
        QCOMPARE(tipos(filas), etiquetas);
        const bool siete = filas.size() == 7;
        for (qsizetype k = 0; k < filas.size(); ++k) {
            QCOMPARE(filas[k][QStringLiteral("categoria")], QJsonValue(int(k + 1)));
            QCOMPARE(filas[k][QStringLiteral("premio")].toString(), premios[k]);
            const int ganadores = w.ganadores[static_cast<size_t>(siete ? k : k + 1)];
            QCOMPARE(filas[k][QStringLiteral("ganadores")], QJsonValue(QString::number(ganadores)));
        }
        // A draw without a Joker has neither the Joker nor its breakdown.
        QCOMPARE(e.contains(QStringLiteral("joker")), w.sorteo.joker != 0);
        QCOMPARE(e[QStringLiteral("escrutinio_joker")].toArray().size(), w.sorteo.joker ? 6 : 0);
        if (w.sorteo.joker != 0)
            QCOMPARE(e[QStringLiteral("joker")][QStringLiteral("combinacion")],
                     QJsonValue(u("0000042")));
    }

    // The draw of the site's today comes as before its result until 22:00; a draw after today
    // is not listed, and one not yet published never shows numbers.
    void antesDelResultado()
    {
        semana();
        sitio->sorteos[0].publicado = false;
        sitio->ahora = QDateTime(QDate(2026, 8, 17), QTime(21, 59, 59));
        QJsonArray r = lista(pide(rango("20260810", "20260831")).cuerpo);
        QCOMPARE(r.size(), 3);
        QStringList fechas;
        for (const QJsonValue &e : r)
            fechas << e[QStringLiteral("fecha_sorteo")].toString().left(10);
        QCOMPARE(fechas, (QStringList{u("2026-08-17"), u("2026-08-15"), u("2026-08-13")}));
        for (const qsizetype i : {0, 2}) {
            const QJsonObject e = r[i].toObject();
            QCOMPARE(e[QStringLiteral("combinacion")], QJsonValue(QJsonValue::Null));
            QCOMPARE(e[QStringLiteral("combinacion_acta")], QJsonValue(QJsonValue::Null));
            QCOMPARE(e[QStringLiteral("recaudacion")], QJsonValue(QJsonValue::Null));
            QCOMPARE(e[QStringLiteral("apuestas")], QJsonValue(u("0")));
            QCOMPARE(e[QStringLiteral("joker")][QStringLiteral("combinacion")], QJsonValue(u("-")));
            QVERIFY(e[QStringLiteral("escrutinio")].toArray().isEmpty());
            QVERIFY(e[QStringLiteral("escrutinio_joker")].toArray().isEmpty());
            const QJsonObject real = leeReal(kRealAntes);
            if (!real.isEmpty())
                QCOMPARE(claves(e), claves(real, true));
        }
        QVERIFY(r[1][QStringLiteral("combinacion")].isString());

        sitio->ahora.setTime(QTime(22, 0));
        r = lista(pide(rango("20260817", "20260817")).cuerpo);
        QCOMPARE(r[0][QStringLiteral("escrutinio")].toArray().size(), 7);
        QCOMPARE(r[0][QStringLiteral("combinacion")].toString(),
                 u("18 - 19 - 20 - 21 - 22 - 23 C(49) R(3)"));
    }

    // A range or a date without draws is answered with a JSON text, not with an empty list; the
    // per-date service lists the one draw of its day; bad parameters are refused.
    void porRangoYPorFecha()
    {
        semana();
        sitio->ahora = QDateTime(QDate(2026, 8, 18), QTime(9, 0));
        const QByteArray sinSorteos = "\"No hay sorteos en las fechas indicadas\"";
        for (const QString &destino : {rango("20260818", "20260819"), rango("20260820", "20260820"),
                                       porFecha("20260816"), porFecha("20260820")}) {
            const Respuesta r = pide(destino);
            QCOMPARE(r.estado, 200);
            QCOMPARE(r.cuerpo.trimmed(), sinSorteos);
        }
        const QJsonArray r = lista(pide(porFecha("20260815")).cuerpo);
        QCOMPARE(r.size(), 1);
        QVERIFY(r[0][QStringLiteral("fecha_sorteo")].toString().startsWith(u("2026-08-15 21:")));
        QCOMPARE(r[0][QStringLiteral("escrutinio")].toArray().size(), 7);
        sitio->resultados = SitioSimulado::Modo::Corto;
        QVERIFY(lista(pide(porFecha("20260815")).cuerpo).isEmpty());

        for (const QString &destino :
             {u("/servicios/fechav3?game_id=LAPR&fecha_sorteo=2026-08-15"),
              u("/servicios/fechav3?game_id=LAJO&fecha_sorteo=20260815"),
              u("/servicios/buscadorSorteos?game_id=LAPR&fechaInicioInclusiva=20260801"
                "&fechaFinInclusiva=20260831")}) {
            const Respuesta r = pide(destino);
            QCOMPARE(r.estado, 400);
            QVERIFY(QJsonDocument::fromJson(r.cuerpo).isObject());
        }
        QCOMPARE(sitio->peticionesServicio(), 9);
        QVERIFY(sitio->cabecerasServicio.startsWith("GET /servicios/buscadorSorteos?"));
    }

    // Throttling refuses a set number of requests to either service with 406, then answers;
    // refusals carry their own reason phrases and the CDN's page for 403.
    void rechazos()
    {
        semana();
        sitio->limitaciones = 2;
        sitio->reintentarTras = 30;
        for (const QString &destino : {rango("20260801", "20260831"), porFecha("20260815")}) {
            const Respuesta r = pide(destino);
            QCOMPARE(r.estado, 406);
            QCOMPARE(r.razon, u("Not Acceptable"));
            QCOMPARE(r.reintento, QByteArray("30"));
        }
        Respuesta r = pide(rango("20260801", "20260831"));
        QCOMPARE(r.estado, 200);
        QCOMPARE(lista(r.cuerpo).size(), 4);
        QCOMPARE(sitio->limitaciones, 0);
        QCOMPARE(sitio->peticionesServicio(), 3);

        sitio->reintentarTras = 0;
        sitio->resultados = SitioSimulado::Modo::Error;
        for (const auto &[codigo, razon] :
             {std::pair{403, "Forbidden"}, std::pair{406, "Not Acceptable"},
              std::pair{429, "Too Many Requests"}}) {
            sitio->codigoError = codigo;
            r = pide(porFecha("20260815"));
            QCOMPARE(r.estado, codigo);
            QCOMPARE(r.razon, QLatin1String(razon));
            QVERIFY(r.reintento.isEmpty());
            QCOMPARE(r.cuerpo.contains("Access Denied"), codigo == 403);
            QVERIFY(r.tipo.startsWith("text/html"));
        }
    }

    // A late breakdown: the answers that list the draw with its numbers come without amounts as
    // many times as told, through either service; listing it before its result does not count.
    void desgloseTardio()
    {
        semana();
        sitio->sorteos[2].desgloseTardio = 2;
        sitio->ahora = QDateTime(QDate(2026, 8, 17), QTime(21, 0));
        auto ultimo = [this](const QString &destino) {
            return lista(pide(destino).cuerpo)[0].toObject();
        };
        QCOMPARE(ultimo(rango("20260817", "20260817"))[QStringLiteral("combinacion")],
                 QJsonValue(QJsonValue::Null));
        sitio->ahora.setTime(QTime(22, 30));
        for (const QString &destino : {rango("20260801", "20260831"), porFecha("20260817")}) {
            const QJsonObject e = ultimo(destino);
            QVERIFY(e[QStringLiteral("combinacion")].isString());
            QVERIFY(e[QStringLiteral("escrutinio")].toArray().isEmpty());
            QVERIFY(e[QStringLiteral("escrutinio_joker")].toArray().isEmpty());
        }
        const QJsonObject e = ultimo(porFecha("20260817"));
        QCOMPARE(e[QStringLiteral("escrutinio")].toArray().size(), 7);
        QCOMPARE(e[QStringLiteral("escrutinio_joker")].toArray().size(), 6);
        QCOMPARE(sitio->sorteos[2].desgloseTardio, 0);
    }

    // Made-up draws continue the newest one on every draw day up to the date asked, Mondays
    // only from 11/07/2022, valid and the same on every run.
    void continua()
    {
        sitio->sorteos.push_back({sorteoDe(QDate(2022, 7, 2))});
        QCOMPARE(sitio->continua(QDate(2022, 7, 16)), 5);
        QList<QDate> dias;
        for (size_t i = 1; i < sitio->sorteos.size(); ++i) {
            const Sorteo &s = sitio->sorteos[i].sorteo;
            dias << fechas::dia(s.fecha);
            QVERIFY(s.esValido());
            QVERIFY(std::is_sorted(s.numeros.begin(), s.numeros.end()));
            QVERIFY(s.joker >= 1 && s.joker <= 9999999);
        }
        QCOMPARE(dias, (QList<QDate>{QDate(2022, 7, 7), QDate(2022, 7, 9), QDate(2022, 7, 11),
                                     QDate(2022, 7, 14), QDate(2022, 7, 16)}));
        QCOMPARE(sitio->continua(QDate(2022, 7, 16)), 0);

        SitioSimulado otro;
        QCOMPARE(otro.continua(QDate(2022, 7, 16)), 0); // nothing to continue
        QCOMPARE(otro.continua(QDate(2022, 7, 16), QDate(2022, 7, 5)), 5);
        for (size_t i = 0; i < otro.sorteos.size(); ++i)
            QCOMPARE(otro.sorteos[i].sorteo, sitio->sorteos[i + 1].sorteo);
    }
};

QTEST_GUILESS_MAIN(TstSimulacion)
#include "tst_simulacion.moc"
