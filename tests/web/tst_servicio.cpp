// The operator's results service: the reader of its JSON answers, and the download button
// driven against the stand-in site with the service as the source of new draws.
#include "apoyo/carpetaprueba.h"
#include "apoyo/escritorioprueba.h"
#include "apoyo/pestanas.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "archive/importes.h"
#include "archive/textosorteos.h"
#include "simulacion/sitiosimulado.h"
#include "web/analisis.h"
#include "web/descarga.h"
#include "web/direcciones.h"
#include "web/servicio.h"
#include "widgets/imagen.h"

#include <QAction>
#include <QLabel>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPdfView>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QTimer>

namespace {
QString u(const char *t)
{
    return QString::fromUtf8(t);
}

const QDate kHoy(2026, 8, 18); // a Tuesday

// One entry of an answer as the service writes it, with what the test puts in.
QByteArray entrada(const char *fecha, const QByteArray &combinacion, const QByteArray &resto = {})
{
    return "{\"fecha_sorteo\": \"" + QByteArray(fecha) + "\", \"combinacion\": \"" + combinacion +
           "\"" + resto + "}";
}

// Draws on every draw day from `desde` to `hasta`, oldest first.
std::vector<Sorteo> sorteosEntre(const QDate &desde, const QDate &hasta)
{
    std::vector<Sorteo> r;
    for (QDate d = desde; d <= hasta; d = d.addDays(1)) {
        const double s = fechas::serial(d);
        if (fechas::bitDia(s) & fechas::diasDeSorteo(s)) {
            Sorteo x = sorteoDe(d, 1 + static_cast<int>(r.size()) % 40);
            x.joker = 1000000 + static_cast<double>(r.size());
            r.push_back(x);
        }
    }
    return r;
}
} // namespace

class TstServicio : public QObject {
    Q_OBJECT

    std::unique_ptr<CarpetaPrueba> carpeta;
    std::unique_ptr<SitioSimulado> sitio;
    EscritorioPrueba *escritorio = nullptr;
    std::unique_ptr<Principal> principal;

    void prepara(const std::vector<Sorteo> &archivo, const std::vector<Sorteo> &web)
    {
        carpeta->escribeSorteos(archivo);
        carpeta->escribePenas(
            {penaDe(QStringLiteral("Oficina"), QStringLiteral("Jueves"), QDate(2020, 1, 1))});
        for (const Sorteo &s : web)
            sitio->sorteos.push_back({s});
        QVERIFY(sitio->escucha());
        sitio->configura(carpeta->ruta(), QStringLiteral("servicio"));
    }
    Principal &abre()
    {
        principal = std::make_unique<Principal>(carpeta->ruta());
        control<QTimer>(*principal, "Timer1")->setInterval(24 * 3600 * 1000);
        return *principal;
    }
    PestanaUltimo &pestana() { return ultimo(*principal); }
    Descarga &descarga() { return *pestana().descarga(); }
    QString etiqueta(const char *nombre) const
    {
        return control<QLabel>(*principal, nombre)->text();
    }
    QProgressBar *barra() const { return control<QProgressBar>(*principal, "ProgressBar1"); }
    QPlainTextEdit *aviso() const { return control<QPlainTextEdit>(*principal, "Text1"); }
    void pulsa() { QTest::mouseClick(control<Imagen>(*principal, "Picture2"), Qt::LeftButton); }
    // Each answer is read at the tick after it arrives; the download ends by itself.
    void completa()
    {
        pulsa();
        for (int i = 0; i < 60 && descarga().activa(); ++i) {
            QTRY_VERIFY(descarga().pasodescarga == 3 || !descarga().activa());
            pestana().Timer1_Timer();
        }
        QVERIFY(!descarga().activa());
    }
    std::vector<Sorteo> archivoActual() const
    {
        ArchivoSorteos a(carpeta->archivo(QStringLiteral("numeros.dat")));
        a.abre();
        return a.sorteos();
    }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        carpeta = std::make_unique<CarpetaPrueba>();
        sitio = std::make_unique<SitioSimulado>();
        escritorio = EscritorioPrueba::instala(kHoy);
    }
    void cleanup()
    {
        principal.reset();
        sitio.reset();
        carpeta.reset();
    }

    // --- The reader -----------------------------------------------------------------------

    void unSorteoPorPatron_data()
    {
        QTest::addColumn<QByteArray>("combinacion");
        QTest::addColumn<QByteArray>("joker"); // the field as the service writes it
        QTest::addColumn<QString>("leido");    // "" when the draw is refused
        const QByteArray c = "02 - 04 - 19 - 28 - 46 - 48 C(33) R(7)";
        const QString j = u("2 4 19 28 46 48 C33 R7 J1234567");
        QTest::newRow("como la da") << c << QByteArray("{\"combinacion\": \"1 234 567\"}") << j;
        QTest::newRow("espacios raros")
            << QByteArray(" 2-4 -19-  28 - 46-48c ( 33 )r(7) ") << QByteArray("\"1234567\"") << j;
        QTest::newRow("desordenada")
            << QByteArray("48 - 02 - 46 - 04 - 28 - 19 R(7) C(33)") << QByteArray("1234567") << j;
        QTest::newRow("Joker con cero delante")
            << c << QByteArray("{\"combinacion\": \"0 559 707\", \"premio_bote\": 0}")
            << u("2 4 19 28 46 48 C33 R7 J559707");
        QTest::newRow("sin reintegro ni Joker, antes de 1991")
            << QByteArray("03 - 11 - 13 - 15 - 34 - 35 C(27)") << QByteArray("null")
            << u("3 11 13 15 34 35 C27 R0 J0");
        QTest::newRow("cinco números")
            << QByteArray("02 - 04 - 19 - 28 - 46 C(33) R(7)") << QByteArray("1") << QString();
        QTest::newRow("siete números")
            << QByteArray("02 - 04 - 19 - 28 - 46 - 48 - 49 C(33)") << QByteArray("1") << QString();
        QTest::newRow("repetido") << QByteArray("02 - 04 - 19 - 28 - 46 - 02 C(33) R(7)")
                                  << QByteArray("1") << QString();
        QTest::newRow("el 50") << QByteArray("02 - 04 - 19 - 28 - 46 - 50 C(33) R(7)")
                               << QByteArray("1") << QString();
        QTest::newRow("complementario entre ellos")
            << QByteArray("02 - 04 - 19 - 28 - 46 - 48 C(19) R(7)") << QByteArray("1") << QString();
        QTest::newRow("sin complementario")
            << QByteArray("02 - 04 - 19 - 28 - 46 - 48 R(7)") << QByteArray("1") << QString();
        QTest::newRow("reintegro 10") << QByteArray("02 - 04 - 19 - 28 - 46 - 48 C(33) R(10)")
                                      << QByteArray("1") << QString();
        QTest::newRow("Joker de ocho cifras") << c << QByteArray("\"12345678\"") << QString();
        QTest::newRow("Joker con letras")
            << c << QByteArray("{\"combinacion\": \"12a4\"}") << QString();
        QTest::newRow("Joker decimal") << c << QByteArray("1234.5") << QString();
        QTest::newRow("Joker negativo") << c << QByteArray("-3") << QString();
    }
    void unSorteoPorPatron()
    {
        QFETCH(QByteArray, combinacion);
        QFETCH(QByteArray, joker);
        QFETCH(QString, leido);
        const auto r = servicio::lee(
            "[" + entrada("2026-08-17 00:00:00", combinacion, ", \"joker\": " + joker) + "]");
        QVERIFY(r.json);
        QCOMPARE(r.sorteos.size(), size_t(!leido.isEmpty()));
        if (leido.isEmpty()) {
            QCOMPARE(r.invalidos.size(), size_t(1));
            QCOMPARE(r.invalidos[0].posicion, 1);
            QCOMPARE(r.invalidos[0].fecha, fechas::serial(QDate(2026, 8, 17)));
            return;
        }
        const Sorteo &s = r.sorteos[0].sorteo;
        QStringList t;
        for (qint16 n : s.numeros)
            t << QString::number(n);
        t << u("C%1").arg(s.complementario) << u("R%1").arg(s.reintegro)
          << u("J%1").arg(qint64(s.joker));
        QCOMPARE(t.join(u' '), leido);
        QCOMPARE(s.fecha, fechas::serial(QDate(2026, 8, 17)));
    }

    void importeConCualquierMarca_data()
    {
        QTest::addColumn<QString>("premio");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("punto decimal") << u("1234567.89") << u("1.234.567,89");
        QTest::newRow("como la página") << u("1.234.567,89") << u("1.234.567,89");
        QTest::newRow("coma decimal") << u("1234567,89") << u("1.234.567,89");
        QTest::newRow("inglés") << u("1,234,567.89") << u("1.234.567,89");
        QTest::newRow("entero") << u("8") << u("8,00");
        QTest::newRow("un decimal") << u("8.5") << u("8,50");
        QTest::newRow("cero") << u("0.00") << u("0,00");
        QTest::newRow("miles sin decimales") << u("25.000") << u("25.000,00");
        QTest::newRow("el máximo") << u("200.000.000,00") << u("200.000.000,00");
        // Not a whole number of cents, past 200 million euros, or thousands badly grouped: no
        // amount, never a rounded or misread one.
        QTest::newRow("cuatro decimales") << u("2.3456") << QString();
        QTest::newRow("tres decimales") << u("0,999") << QString();
        QTest::newRow("coma ante tres cifras") << u("8,005") << QString();
        QTest::newRow("punto tras un cero") << u("0.999") << QString();
        QTest::newRow("un céntimo de más") << u("200000000,01") << QString();
        QTest::newRow("once mil millones") << u("11.000.000.000,00") << QString();
        QTest::newRow("miles mal agrupados") << u("1.23.456") << QString();
        QTest::newRow("con euro y espacios") << u(" 12,3 €") << u("12,30");
        QTest::newRow("texto") << u("Bote") << QString();
        QTest::newRow("negativo") << u("-5.00") << QString();
        QTest::newRow("dos marcas decimales") << u("1.2.3,4,5") << QString();
        QTest::newRow("vacío") << QString() << QString();
    }
    void importeConCualquierMarca()
    {
        QFETCH(QString, premio);
        QFETCH(QString, esperado);
        QCOMPARE(servicio::importe(premio), esperado);
    }

    void escrutinioEnSusCasillas()
    {
        using C = servicio::Categoria;
        const std::vector<C> lista{
            {u("Reintegro"), u("Reintegro"), u("1.00"), u("900000")},
            {u("5ª Categoría (3 Aciertos)"), u("5ª"), u("8"), u("90000")},
            {u("4 ACIERTOS"), QString(), u("56.78"), u("9000")},
            {u("5 Aciertos + Complementario"), QString(), u("98765,43"), u("12")},
            {u("3ª Categoría (5 Aciertos)"), u("3ª"), u("2345.67"), u("100")},
            {u("1ª Categoría (6 Aciertos)"), u("1ª"), u("1234567.89"), u("1")},
            // The hits win over the category's name; the same place twice keeps the first.
            {u("Especial (6 Aciertos + Reintegro)"), u("1ª"), u("0.00"), u("0")},
            {u("Especial (6 Aciertos + Reintegro)"), u("Especial"), u("99"), u("0")},
        };
        const auto p = servicio::premios(lista);
        const QStringList esperado{u("0,00"),     u("1.234.567,89"), u("98.765,43"),
                                   u("2.345,67"), u("56,78"),        u("8,00")};
        for (size_t k = 0; k < 6; ++k)
            QCOMPARE(p[k].value_or(u("-")), esperado[qsizetype(k)]);

        // The label alone says where: the number in "categoria" meant 1ª until the special
        // category came, and the special one since.
        QCOMPARE(servicio::casilla({u("Especial (6 Aciertos + R) "), u("1"), {}, {}}), 0);
        QCOMPARE(servicio::casilla({u("1ª  (6 Aciertos)"), u("1"), {}, {}}), 1);
        QCOMPARE(servicio::casilla({u("Reintegro"), u("7"), {}, {}}), 6);
        QCOMPARE(servicio::casilla({u("4ª"), u("5"), {}, {}}), 4);
        QCOMPARE(servicio::casilla({u("5 Aciertos + C"), QString(), {}, {}}), 2);
        QCOMPARE(servicio::casilla({QString(), u("Especial"), {}, {}}), -1);
        QCOMPARE(servicio::casilla({u("Primera"), u("1ª"), {}, {}}), -1);
        QCOMPARE(servicio::casilla({u("16 Aciertos"), QString(), {}, {}}), -1);
        // An amount that cannot be read leaves its place empty.
        QVERIFY(!servicio::premios({{u("3 Aciertos"), {}, u("Bote"), {}}})[5]);
    }

    // The saved real answers: one draw on its own, and the same draw listed before its result.
    void respuestasReales()
    {
        const QString carpetaReal = QStringLiteral(BOLARIUM_DATOS_REALES "/servicio-real/");
        QFile despues(carpetaReal + u("sorteo-2017-08-17.json"));
        QFile antes(carpetaReal + u("sorteo-2017-08-17-antes-del-resultado.json"));
        if (!despues.open(QIODevice::ReadOnly) || !antes.open(QIODevice::ReadOnly))
            QSKIP("no saved real answers here");
        const QByteArray sorteo = despues.readAll();
        const QByteArray pendiente = antes.readAll();
        const double dia = fechas::serial(QDate(2017, 8, 17));
        for (const QByteArray &texto : {sorteo, '[' + sorteo + ']'}) {
            const auto r = servicio::lee(texto);
            QVERIFY(r.json);
            QCOMPARE(r.sorteos.size(), size_t(1));
            const Sorteo &s = r.sorteos[0].sorteo;
            QCOMPARE(s.numeros, (std::array<qint16, 6>{8, 17, 19, 45, 48, 49}));
            QCOMPARE(s.complementario, qint16(43));
            QCOMPARE(s.reintegro, qint16(2));
            QCOMPARE(s.joker, 8337021.0);
            QCOMPARE(std::floor(s.fecha), dia);
            const Escrutinio &e = r.sorteos[0].importes;
            QCOMPARE(e.centimos, (std::array<qint64, 7>{0, 0, 3455498, 242819, 7754, 800, 100}));
            QCOMPARE(e.ganadores, (std::array<qint64, 7>{0, 0, 6, 185, 9358, 184746, 1093541}));
            QCOMPARE(e.centimosJoker,
                     (std::array<qint64, 6>{100000000, 10000000, 1000000, 100000, 10000, 1000}));
            QCOMPARE(e.ganadoresJoker, (std::array<qint64, 6>{0, 0, 5, 38, 331, 3324}));
            QVERIFY(r.desconocidas.isEmpty());
        }
        // Before the result: waiting, neither a draw nor a fault, and the newer draw stays out
        // only because the older one is not there yet.
        const auto r = servicio::lee('[' + pendiente + ']');
        QVERIFY(r.json);
        QVERIFY(r.sorteos.empty() && r.invalidos.empty());
        QCOMPARE(r.pendientes.size(), size_t(1));
        QCOMPARE(std::floor(r.pendientes[0].fecha), dia);
    }

    // A breakdown of 1985 has five rows numbered from 1ª; one of today seven, numbered from the
    // special category: each amount lands in its own category either way. A label nobody knows
    // leaves its amount unknown and is named once.
    void categoriasDeAmbasEpocas()
    {
        const QByteArray antigua =
            entrada("1985-10-17 21:00:00", "03 - 11 - 13 - 15 - 34 - 35 C(27)",
                    R"j(, "escrutinio": [
              {"tipo": "1ª  (6 Aciertos)", "categoria": 1, "premio": "0", "ganadores": "0"},
              {"tipo": "2ª  (5 Aciertos + C)", "categoria": 2, "premio": "1200000", "ganadores": "1"},
              {"tipo": "3ª  (5 Aciertos)", "categoria": 3, "premio": "45000,5", "ganadores": "12"},
              {"tipo": "4ª  (4 Aciertos)", "categoria": 4, "premio": "900", "ganadores": 700},
              {"tipo": "5ª  (3 Aciertos)", "categoria": 5, "premio": "100", "ganadores": "9000"}])j");
        const QByteArray nueva =
            entrada("2026-08-17 21:40:00", "02 - 04 - 19 - 28 - 46 - 48 C(33) R(7)",
                    R"j(, "joker": {"combinacion": "1234567"}, "escrutinio": [
              {"tipo": "Especial (6 Aciertos + R) ", "categoria": 1, "premio": "0", "ganadores": "0"},
              {"tipo": "1ª (6 Aciertos) ", "categoria": 2, "premio": "0", "ganadores": "0"},
              {"tipo": "2ª (5 Aciertos + C) ", "categoria": 3, "premio": "34554.98", "ganadores": "3"},
              {"tipo": "3ª (5 Aciertos) ", "categoria": 4, "premio": "2428,19", "ganadores": "185"},
              {"tipo": "4ª (4 Aciertos) ", "categoria": 5, "premio": "77,54", "ganadores": "9358"},
              {"tipo": "5ª (3 Aciertos) ", "categoria": 6, "premio": "8", "ganadores": "184746"},
              {"tipo": "Reintegro", "categoria": 7, "premio": "1", "ganadores": "1093541"},
              {"tipo": "Categoría nueva", "categoria": 8, "premio": "3", "ganadores": "2"},
              {"tipo": "Categoría nueva", "categoria": 9, "premio": "4", "ganadores": "2"}])j");
        const auto r = servicio::lee('[' + nueva + ',' + antigua + ']');
        QCOMPARE(r.sorteos.size(), size_t(2));
        const qint64 x = Escrutinio::kDesconocido;
        QCOMPARE(r.sorteos[0].importes.centimos,
                 (std::array<qint64, 7>{x, 0, 120000000, 4500050, 90000, 10000, x}));
        QCOMPARE(r.sorteos[0].importes.ganadores,
                 (std::array<qint64, 7>{x, 0, 1, 12, 700, 9000, x}));
        QCOMPARE(r.sorteos[1].importes.centimos,
                 (std::array<qint64, 7>{0, 0, 3455498, 242819, 7754, 800, 100}));
        QCOMPARE(r.desconocidas, QStringList{u("Categoría nueva")});
        // What the "Último sorteo" tab shows of them.
        const auto p = servicio::premios(r.sorteos[0].escrutinio);
        QVERIFY(!p[0]);
        QCOMPARE(p[2].value_or(u("-")), u("1.200.000,00"));
    }

    void entradasInvalidasYCamposDesconocidos()
    {
        const QByteArray buena = "02 - 04 - 19 - 28 - 46 - 48 C(33) R(7)";
        const QByteArray otra = "01 - 05 - 09 - 13 - 17 - 21 C(25) R(3)";
        const QByteArray texto =
            "\xEF\xBB\xBF[" +
            entrada("2026-08-17 00:00:00", buena,
                    ", \"id_sorteo\": 7, \"extra\": {\"a\": [1, \"x.pdf\"]},"
                    " \"escrutinio\": [{\"tipo\": \"3 Aciertos\", \"premio\":"
                    " 8, \"ganadores\": 90000, \"url\": \"/no/este.pdf\"}]") +
            "," + entrada("2026-02-30 00:00:00", buena) + "," + "42," +
            entrada("2026-08-13", otra,
                    ", \"documentos\": [{\"url\": \"https://otra.es/f/acta.PDF?v=2\"}]") +
            "," + entrada("2026-08-15 00:00:00", "02 - 04 - 19") + "," +
            entrada("2026-08-10", buena) + "," + entrada("2026-08-10", otra) + "," +
            entrada("17/08/2026", buena) + "]";
        const auto r = servicio::lee(texto);
        QVERIFY(r.json);
        // Ascending, one per date: 13/08 and 17/08 (the second 17/08 is the same draw).
        QCOMPARE(r.sorteos.size(), size_t(2));
        QCOMPARE(r.sorteos[0].sorteo.fecha, fechas::serial(QDate(2026, 8, 13)));
        QCOMPARE(r.sorteos[1].sorteo.fecha, fechas::serial(QDate(2026, 8, 17)));
        // A date that does not exist, something that is no object, a short combination and two
        // different draws on one day.
        QList<QPair<int, double>> invalidos;
        for (const auto &i : r.invalidos)
            invalidos.append({i.posicion, i.fecha});
        const double dia10 = fechas::serial(QDate(2026, 8, 10));
        QCOMPARE(
            invalidos,
            (QList<QPair<int, double>>{
                {2, 0}, {3, 0}, {5, fechas::serial(QDate(2026, 8, 15))}, {6, dia10}, {7, dia10}}));
        // Unknown fields are ignored, wherever a PDF is named.
        const auto &nuevo = r.sorteos[1];
        QCOMPARE(nuevo.escrutinio.size(), size_t(1));
        QCOMPARE(nuevo.escrutinio[0].premio, u("8"));
        QCOMPARE(nuevo.escrutinio[0].ganadores, u("90000"));
        QCOMPARE(nuevo.pdf, u("x.pdf"));
        QCOMPARE(r.sorteos[0].pdf, u("https://otra.es/f/acta.PDF?v=2"));
        // What is kept of a draw reads back as the same draw.
        QCOMPARE(servicio::lee('[' + nuevo.entrada + ']').sorteos.at(0).sorteo, nuevo.sorteo);
    }

    // A draw on a day the game is not drawn is refused with its date, keeps the newer draws out
    // and the next request starts before it; an amount that is not whole cents up to 200
    // million euros is unknown and named once, whichever way the answer writes it.
    void fechasEImportesQueNoPuedenSer()
    {
        const QByteArray buena = "02 - 04 - 19 - 28 - 46 - 48 C(33) R(7)";
        const QByteArray otra = "01 - 05 - 09 - 13 - 17 - 21 C(25) R(3)";
        const QByteArray escrutinio =
            ", \"escrutinio\": [{\"tipo\": \"2\u00aa (5 Aciertos + C)\", \"premio\": "
            "\"0,999\"}, {\"tipo\": \"3\u00aa (5 Aciertos)\", \"premio\": \"8,005\"}, "
            "{\"tipo\": \"4\u00aa (4 Aciertos)\", \"premio\": 11000000000}, {\"tipo\": "
            "\"5\u00aa (3 Aciertos)\", \"premio\": 8.005}, {\"tipo\": \"Reintegro\", "
            "\"premio\": 1}], \"escrutinio_joker\": [{\"tipo\": \"6\u00aa (2 \u00faltimas "
            "cifras)\", \"premio\": \"0,999\"}, {\"tipo\": \"5\u00aa (3 \u00faltimas "
            "cifras)\", \"premio\": 100.5}]";
        const QByteArray texto = "[" + entrada("2026-08-17 21:30:00", buena, escrutinio) + "," +
                                 entrada("2026-08-11 21:30:00", otra) + "," +
                                 entrada("2026-08-13 21:30:00", otra) + "]";
        const auto r = servicio::lee(texto);
        const double martes = fechas::serial(QDate(2026, 8, 11));
        QCOMPARE(r.sorteos.size(), size_t(2));
        QCOMPARE(r.invalidos.size(), size_t(1));
        QCOMPARE(r.invalidos[0].posicion, 2);
        QCOMPARE(r.invalidos[0].fecha, martes);
        const Escrutinio &e = r.sorteos[1].importes;
        QCOMPARE(e.centimos[2], qint64(-1));
        QCOMPARE(e.centimos[3], qint64(-1));
        QCOMPARE(e.centimos[4], qint64(-1));
        QCOMPARE(e.centimos[5], qint64(-1)); // 8.005 as a number is 8,005 €, not 8.005 €
        QCOMPARE(e.centimos[Escrutinio::kReintegro], qint64(100));
        QCOMPARE(e.centimosJoker[5], qint64(-1));
        QCOMPARE(e.centimosJoker[4], qint64(10050));
        QCOMPARE(r.importesNoValidos, (QStringList{u("0,999"), u("8,005"), u("11000000000")}));

        CarpetaPrueba c;
        c.escribeSorteos({sorteoDe(QDate(2026, 8, 10), 5)});
        ArchivoSorteos archivo(c.archivo(QStringLiteral("numeros.dat")));
        archivo.abre();
        const Lote lote = servicio::lote(r);
        QCOMPARE(lote.importesNoValidos, r.importesNoValidos);
        const servicio::Agregado a = servicio::agrega(lote, archivo, kHoy);
        QCOMPARE(a.nuevos, 0);
        QVERIFY(a.invalido);
        QCOMPARE(a.invalido->fecha, martes);
        QCOMPARE(archivo.cuenta(), 1);
        QVERIFY(servicio::inicio(archivo.ultimo().fecha) <= QDate(2026, 8, 11));
        QCOMPARE(servicio::textoInvalido(u("sitio"), *a.invalido, false),
                 u("El servicio de resultados de sitio ha enviado un sorteo del 11/08/2026, "
                   "martes, que no es día de sorteo. No se ha guardado ningún sorteo nuevo. Pruebe "
                   "más tarde."));

        // A Monday before Monday draws began is no draw day either; nor in an imported file.
        QCOMPARE(servicio::lee("[" + entrada("2021-08-16", buena) + "]").invalidos.size(),
                 size_t(1));
        const auto csv = textosorteos::leeCsv("11/08/2026;1;5;9;13;17;21;25;3;1234567\n"
                                              "13/08/2026;1;5;9;13;17;21;25;3;1234567\n");
        QCOMPARE(csv.sorteos.size(), size_t(1));
        QCOMPARE(csv.invalidas, 1);
        QCOMPARE(csv.primeraInvalida, 1);
    }

    void documentoSoloDelOperador()
    {
        const QString sitio = u("https://www.loterias.es"), pdf = u("http://www.loterias.es");
        QCOMPARE(servicio::direccionPdf(u("/f/acta.pdf"), sitio, pdf), pdf + u("/f/acta.pdf"));
        QCOMPARE(servicio::direccionPdf(u("https://WWW.loterias.es/a.pdf"), sitio, pdf),
                 sitio + u("/a.pdf"));
        QCOMPARE(servicio::direccionPdf(u("//www.loterias.es/a.pdf"), sitio, pdf),
                 pdf + u("/a.pdf"));
        for (const char *otra : {"https://otra.es/a.pdf", "ftp://www.loterias.es/a.pdf",
                                 "https://www.loterias.es/a.html", ""})
            QVERIFY(servicio::direccionPdf(u(otra), sitio, pdf).isEmpty());
    }

    void noJson_data()
    {
        QTest::addColumn<QByteArray>("texto");
        QTest::addColumn<bool>("json");
        QTest::newRow("vacío") << QByteArray() << false;
        QTest::newRow("página") << QByteArray("<html>Mantenimiento</html>") << false;
        QTest::newRow("objeto") << QByteArray("{\"error\": \"sin datos\"}") << false;
        QTest::newRow("cortado") << QByteArray("[{\"fecha_sorteo\": \"2026-") << false;
        QTest::newRow("demasiado grande")
            << QByteArray("[") + QByteArray(servicio::kLimite, ' ') + "]" << false;
        QTest::newRow("lista vacía") << QByteArray(" [ ]\n") << true;
        // What the service answers for a range without draws.
        QTest::newRow("texto") << QByteArray("\"No hay sorteos en las fechas indicadas\"\n")
                               << true;
        QTest::newRow("null") << QByteArray("null") << true;
        QTest::newRow("dos textos") << QByteArray("\"a\" \"b\"") << false;
    }
    void noJson()
    {
        QFETCH(QByteArray, texto);
        QFETCH(bool, json);
        const auto r = servicio::lee(texto);
        QCOMPARE(r.json, json);
        QCOMPARE(r.grande, texto.size() > servicio::kLimite);
        QVERIFY(r.sorteos.empty() && r.invalidos.empty());
    }

    void tramosDeUnAnio()
    {
        using Tramo = std::pair<QDate, QDate>;
        QCOMPARE(servicio::tramos(QDate(2025, 6, 15), kHoy),
                 (std::vector<Tramo>{{QDate(2025, 6, 15), QDate(2026, 6, 14)},
                                     {QDate(2026, 6, 15), kHoy}}));
        QCOMPARE(servicio::tramos(QDate(2025, 8, 19), kHoy),
                 (std::vector<Tramo>{{QDate(2025, 8, 19), kHoy}}));
        // Nothing to ask: today all the same, so the answer says so.
        QCOMPARE(servicio::tramos(kHoy.addDays(1), kHoy), (std::vector<Tramo>{{kHoy, kHoy}}));
        const auto todo = servicio::tramos(servicio::inicio(0), kHoy);
        QCOMPARE(todo.front().first, QDate(1985, 10, 17));
        QCOMPARE(todo.size(), size_t(41));
        for (size_t i = 1; i < todo.size(); ++i)
            QCOMPARE(todo[i].first, todo[i - 1].second.addDays(1));
        QCOMPARE(servicio::inicio(fechas::serial(QDate(2026, 8, 6))), QDate(2026, 8, 7));
    }

    void agregaSoloLoQueFalta()
    {
        const auto todos = sorteosEntre(QDate(2026, 7, 1), QDate(2026, 8, 17));
        const std::vector<Sorteo> antes(todos.begin(), todos.end() - 6);
        carpeta->escribeSorteos(antes);
        ArchivoSorteos archivo(carpeta->archivo(QStringLiteral("numeros.dat")));
        archivo.abre();
        Lote r;
        for (const Sorteo &s : todos)
            r.sorteos.push_back({s, {}, {}});
        // Archived draws are skipped, and one after the last day asked for is not taken.
        Sorteo manana = sorteoDe(kHoy.addDays(2), 7);
        r.sorteos.push_back({manana, {}, {}});
        r.excluidos.push_back({Excluido::Motivo::NoValido, 1, todos[todos.size() - 2].fecha});
        auto a = servicio::agrega(r, archivo, kHoy);
        QCOMPARE(a.nuevos, 4);
        QCOMPARE(a.ultimo->sorteo, todos[todos.size() - 3]);
        QCOMPARE(archivoActual(), std::vector<Sorteo>(todos.begin(), todos.end() - 2));
        // An entry without a date keeps the whole answer out.
        r.excluidos = {{Excluido::Motivo::NoValido, 3, 0}};
        a = servicio::agrega(r, archivo, kHoy);
        QCOMPARE(a.nuevos, 0);
        QCOMPARE(a.invalido->posicion, 3);
        // A draw listed before its result waits, quietly, with everything after it.
        r.excluidos = {{Excluido::Motivo::Pendiente, 1, todos.back().fecha}};
        a = servicio::agrega(r, archivo, kHoy);
        QCOMPARE(a.nuevos, 1);
        QVERIFY(!a.invalido);
        r.excluidos.clear();
        QCOMPARE(servicio::agrega(r, archivo, kHoy).nuevos, 1);
        QCOMPARE(archivoActual(), todos);
    }

    void ventanaDeLaPagina()
    {
        // The page lists from 29/06/2026: an archive ending on Saturday 27/06 misses no draw,
        // one ending on Thursday 25/06 misses that Saturday's.
        const QDate desde = kHoy.addDays(-50);
        QVERIFY(!analisis::faltanAntesDe(fechas::serial(QDate(2026, 6, 27)), desde));
        QVERIFY(analisis::faltanAntesDe(fechas::serial(QDate(2026, 6, 25)), desde));
        QVERIFY(analisis::faltanAntesDe(fechas::serial(QDate(2020, 1, 2)), desde));
        QVERIFY(!analisis::faltanAntesDe(fechas::serial(QDate(2026, 8, 17)), desde));
    }

    // --- The download ---------------------------------------------------------------------

    void descargaDelHistoricoReal()
    {
        const QString real = CarpetaPrueba::historicoReal();
        if (real.isEmpty())
            QSKIP("no real draw history here");
        ArchivoSorteos historico(real);
        historico.abre();
        const auto &todos = historico.sorteos();
        prepara({todos.begin(), todos.end() - 5}, {todos.end() - 20, todos.end()});
        sitio->sorteos.back().premios[0] = u("5.000.000,00");
        sitio->pdfEnServicio = true;
        Principal &p = abre();
        pulsa();
        QCOMPARE(etiqueta("Label6"), u("CONECTANDO AL SERVIDOR"));
        QTRY_COMPARE(descarga().pasodescarga, 3);
        QCOMPARE(sitio->peticiones.filter(u("buscadorSorteos")),
                 QStringList{u("/servicios/buscadorSorteos?game_id=LAPR&celebrados=true"
                               "&fechaInicioInclusiva=20260719&fechaFinInclusiva=20260818")});
        QVERIFY(sitio->cabecerasServicio.contains("\r\nAccept: application/json"));
        QVERIFY(sitio->cabecerasServicio.contains("\r\nUser-Agent: Mozilla/5.0 (X11; Linux"));
        pestana().Timer1_Timer();

        // Two Mondays among the five new draws, oldest first, checked at once.
        QCOMPARE(archivoActual(), todos);
        QCOMPARE(etiqueta("Label59"), u("5 sorteos"));
        QCOMPARE(control<QScrollBar>(p, "HScroll1")->value(), 5);
        QCOMPARE(etiqueta("Label6"), u("TRANSFERENCIA FINALIZADA"));
        QCOMPARE(barra()->value(), barra()->maximum());
        QVERIFY(etiqueta("Label58").endsWith(u(" Bytes")));
        // The newest draw's breakdown, as the page would write it, and its document.
        QCOMPARE(etiqueta("Label8"), u("-Informe del Lunes, 17 de agosto del 2026"));
        const QStringList premios{u("3.456.789,01"), u("5.000.000,00"), u("98.765,43"),
                                  u("2.345,67"),     u("56,78"),        u("8,00")};
        for (int k = 0; k < 6; ++k)
            QCOMPARE(etiqueta(qPrintable(QStringLiteral("Label10_%1").arg(k))), premios[k]);
        const paginas::SorteoWeb ultimo{todos.back()};
        QCOMPARE(pestana().textoinforme(), sitio->direccion() + ultimo.rutaPdf());
        QTRY_VERIFY(!control<QPdfView>(p, "WebBrowser1")->isHidden());
        QVERIFY(escritorio->mensajes.isEmpty());

        // A second download finds nothing new and keeps the breakdown.
        completa();
        QCOMPARE(escritorio->textos(), QStringList{u("Todavía no hay sorteos nuevos.")});
        QVERIFY(sitio->peticiones.last().contains(u("fechaInicioInclusiva=20260719")));
        QCOMPARE(archivoActual(), todos);
        QCOMPARE(etiqueta("Label10_1"), u("5.000.000,00"));
        QTRY_VERIFY(!control<QPdfView>(*principal, "WebBrowser1")->isHidden());

        // And so does the next start, without asking the site again.
        const int pedidas = static_cast<int>(sitio->peticiones.size());
        principal.reset();
        abre();
        QCOMPARE(etiqueta("Label10_1"), u("5.000.000,00"));
        QVERIFY(!control<QPdfView>(*principal, "WebBrowser1")->isHidden());
        QCOMPARE(sitio->peticiones.size(), pedidas);
    }

    void catorceMesesEnDosPeticiones_data()
    {
        QTest::addColumn<bool>("fallaElSegundo");
        QTest::newRow("las dos bien") << false;
        QTest::newRow("el segundo año con error") << true;
    }
    void catorceMesesEnDosPeticiones()
    {
        QFETCH(bool, fallaElSegundo);
        const auto todos = sorteosEntre(QDate(2025, 5, 1), QDate(2026, 8, 17));
        const auto corte = std::find_if(todos.begin(), todos.end(), [](const Sorteo &s) {
            return s.fecha > fechas::serial(QDate(2025, 6, 14));
        });
        const auto primerAnio = std::find_if(corte, todos.end(), [](const Sorteo &s) {
            return s.fecha > fechas::serial(QDate(2026, 6, 14));
        });
        prepara({todos.begin(), corte}, todos);
        connect(sitio.get(), &SitioSimulado::peticion, this, [this, fallaElSegundo] {
            if (fallaElSegundo && sitio->peticionesServicio() == 2)
                sitio->resultados = SitioSimulado::Modo::Error;
        });
        abre();
        pulsa();
        QTRY_COMPARE(descarga().pasodescarga, 3);
        QCOMPARE(barra()->maximum(), 6);
        QCOMPARE(barra()->value(), 1);
        pestana().Timer1_Timer();
        // The first year is in before the second is asked for.
        QCOMPARE(archivoActual(), std::vector<Sorteo>(todos.begin(), primerAnio));
        QCOMPARE(barra()->value(), 2);
        QTRY_VERIFY(descarga().pasodescarga == 3 || !descarga().activa());
        pestana().Timer1_Timer();
        const QStringList pedidas = sitio->peticiones.filter(u("buscadorSorteos"));
        QCOMPARE(pedidas.size(), 2);
        QVERIFY(pedidas[0].endsWith(u("fechaInicioInclusiva=20250615&fechaFinInclusiva=20260614")));
        QVERIFY(pedidas[1].endsWith(u("fechaInicioInclusiva=20260615&fechaFinInclusiva=20260818")));
        // A failure after the first year still checks what it stored.
        const auto fin = fallaElSegundo ? primerAnio : todos.end();
        QCOMPARE(archivoActual(), std::vector<Sorteo>(todos.begin(), fin));
        QCOMPARE(etiqueta("Label59"), analisis::textoContador(int(fin - corte)));
        QCOMPARE(etiqueta("Label6"), u("TRANSFERENCIA FINALIZADA"));
        QCOMPARE(barra()->value(), 6);
        QCOMPARE(escritorio->textos(),
                 fallaElSegundo ? QStringList{u("El servicio de resultados de 127.0.0.1 ha "
                                                "respondido con un error (HTTP 500). Pruebe más "
                                                "tarde.")}
                                : QStringList{});
    }

    void sorteoMaloGuardaLosAnteriores_data()
    {
        QTest::addColumn<QDate>("malo");
        QTest::addColumn<int>("guardados");
        QTest::newRow("el tercero de cinco") << QDate(2026, 8, 13) << 2;
        QTest::newRow("el más antiguo") << QDate(2026, 8, 8) << 0;
    }
    void sorteoMaloGuardaLosAnteriores()
    {
        QFETCH(QDate, malo);
        QFETCH(int, guardados);
        const auto todos = sorteosEntre(QDate(2026, 7, 1), QDate(2026, 8, 17));
        const std::vector<Sorteo> antes(todos.begin(), todos.end() - 5);
        prepara(antes, todos);
        sitio->servicioMalo = malo;
        abre();
        completa();
        QCOMPARE(archivoActual(), std::vector<Sorteo>(todos.begin(), todos.end() - 5 + guardados));
        QCOMPARE(escritorio->mensajes.size(), 1);
        QCOMPARE(escritorio->mensajes[0].titulo, u("Datos no válidos"));
        const QString inicio = u("El servicio de resultados de 127.0.0.1 ha enviado datos no "
                                 "válidos del sorteo del ") +
                               malo.toString(u("dd/MM/yyyy")) + u(".");
        if (guardados) {
            QCOMPARE(escritorio->mensajes[0].texto,
                     inicio + u(" Los sorteos anteriores se han guardado; pruebe más tarde para "
                                "descargar el resto."));
            // What was stored is checked as after any download.
            QCOMPARE(etiqueta("Label59"), u("2 sorteos"));
            QCOMPARE(etiqueta("Label6"), u("TRANSFERENCIA FINALIZADA"));
        } else {
            QCOMPARE(escritorio->mensajes[0].texto,
                     inicio + u(" No se ha guardado ningún sorteo nuevo. Pruebe más tarde."));
            QVERIFY(etiqueta("Label6").isEmpty());
            QCOMPARE(barra()->value(), 0);
        }
    }

    void diaSinSorteoEImportesNoValidosEnLaDescarga()
    {
        const auto todos = sorteosEntre(QDate(2026, 7, 1), QDate(2026, 8, 17));
        prepara({todos.begin(), todos.end() - 4}, todos);
        Sorteo martes = sorteoDe(QDate(2026, 8, 11), 7);
        martes.joker = 7654321;
        sitio->sorteos.push_back({martes});
        for (size_t i = todos.size() - 4; i < todos.size(); ++i)
            sitio->sorteos[i].premios[3] = u("0,999");
        abre();
        completa();
        // The draw of Monday 10/08 is stored; the Tuesday and the draws after it are not, and
        // the next download asks from that Tuesday on.
        QCOMPARE(archivoActual(), std::vector<Sorteo>(todos.begin(), todos.end() - 3));
        QCOMPARE(principal->sesion().diasQueFaltan().first, QDate(2026, 8, 11));
        QStringList titulos;
        for (const auto &m : escritorio->mensajes) {
            titulos << m.titulo;
            if (m.titulo == u("Datos no válidos"))
                QVERIFY2(m.texto.contains(u("11/08/2026, martes, que no es día de sorteo")),
                         qPrintable(m.texto));
            if (m.titulo == u("Importes no válidos"))
                QVERIFY2(m.texto.contains(u("(0,999)")), qPrintable(m.texto));
        }
        QCOMPARE(titulos, (QStringList{u("Importes no válidos"), u("Datos no válidos")}));
    }

    void fallosDelServicio_data()
    {
        QTest::addColumn<int>("caso");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<Escritorio::Icono>("icono");
        const QString conexion = u("Error de conexión");
        const auto exclamacion = Escritorio::Icono::Exclamacion;
        QTest::newRow("HTTP 503") << 0
                                  << u("El servicio de resultados de 127.0.0.1 ha respondido con "
                                       "un error (HTTP 503). Pruebe más tarde.")
                                  << conexion << exclamacion;
        // A gate in front of the service answers with a web page, or refuses outright.
        QTest::newRow("una página en lugar de JSON")
            << 1 << servicio::textoRechazo(u("127.0.0.1"), 0) << u("Conexión rechazada")
            << Escritorio::Icono::Pregunta;
        QTest::newRow("HTTP 403") << 4 << servicio::textoRechazo(u("127.0.0.1"), 403)
                                  << u("Conexión rechazada") << Escritorio::Icono::Pregunta;
        QTest::newRow("demasiado grande")
            << 2
            << u("La respuesta del servicio de resultados de 127.0.0.1 pasa de 4 MB y se ha "
                 "descartado. Pruebe más tarde.")
            << u("Datos no válidos") << exclamacion;
        // The service took the request and stayed silent: it is slow, not out of reach.
        QTest::newRow("sin respuesta en cinco ticks")
            << 3 << Descarga::textoSinRespuesta(u("127.0.0.1"), 5) << conexion << exclamacion;
    }
    void fallosDelServicio()
    {
        QFETCH(int, caso);
        QFETCH(QString, texto);
        QFETCH(QString, titulo);
        QFETCH(Escritorio::Icono, icono);
        const auto antes = sorteosEntre(QDate(2026, 7, 1), QDate(2026, 8, 6));
        prepara(antes, sorteosEntre(QDate(2026, 7, 1), kHoy));
        sitio->codigoError = caso == 4 ? 403 : 503;
        escritorio->respuestas = {false};
        sitio->resultados = caso == 0 || caso == 4 ? SitioSimulado::Modo::Error
                            : caso == 1            ? SitioSimulado::Modo::Corto
                            : caso == 3            ? SitioSimulado::Modo::Mudo
                                                   : SitioSimulado::Modo::Normal;
        if (caso == 2)
            sitio->tamanoServicio = servicio::kLimite + 1024 * 1024;
        abre();
        pulsa();
        QTRY_VERIFY(descarga().pasodescarga == 3 || !escritorio->mensajes.isEmpty() ||
                    (caso == 3 && sitio->peticionesServicio() == 1));
        for (int i = 0; i < 5; ++i)
            pestana().Timer1_Timer();
        QCOMPARE(escritorio->textos(), QStringList{texto});
        QCOMPARE(escritorio->mensajes[0].titulo, titulo);
        QCOMPARE(escritorio->mensajes[0].icono, icono);
        // Answered No: the browser is not opened.
        QVERIFY(escritorio->direcciones.isEmpty());
        QCOMPARE(archivoActual(), antes);
        QVERIFY(etiqueta("Label6").isEmpty());
        QCOMPARE(barra()->value(), 0);
        QVERIFY(!control<QTimer>(*principal, "Timer1")->isActive());
        QVERIFY(!descarga().Inet1.ocupada());
    }

    // A service that asks to slow down is asked again after 2 ticks, then 4; one that keeps on
    // asking is given up after three more tries, and the user hears why.
    void limitadoEsperaYReintenta()
    {
        const auto todos = sorteosEntre(QDate(2026, 7, 1), QDate(2026, 8, 17));
        prepara({todos.begin(), todos.end() - 2}, todos);
        sitio->limitaciones = 2;
        abre();
        pulsa();
        QTRY_COMPARE(etiqueta("Label6"), Descarga::esperando());
        for (int espera : {2, 4}) {
            const int pedidas = sitio->peticionesServicio();
            for (int i = 1; i < espera; ++i)
                pestana().Timer1_Timer();
            QCOMPARE(sitio->peticionesServicio(), pedidas);
            pestana().Timer1_Timer();
            QTRY_COMPARE(sitio->peticionesServicio(), pedidas + 1);
            QTRY_VERIFY(etiqueta("Label6") == Descarga::esperando() ||
                        descarga().pasodescarga == 3);
        }
        QTRY_COMPARE(descarga().pasodescarga, 3);
        pestana().Timer1_Timer();
        QCOMPARE(archivoActual(), todos);
        QVERIFY(escritorio->mensajes.isEmpty());

        // The seconds the service names are waited; the fourth refusal in a row ends it.
        escritorio->mensajes.clear();
        sitio->limitaciones = 10;
        sitio->reintentarTras = 3;
        pulsa();
        for (int i = 0; i < 40 && descarga().activa(); ++i) {
            QTRY_VERIFY(etiqueta("Label6") == Descarga::esperando() || !descarga().activa());
            pestana().Timer1_Timer();
        }
        QCOMPARE(sitio->peticionesServicio(), 3 + 4);
        QCOMPARE(escritorio->textos(),
                 QStringList{servicio::textoLimitado(u("127.0.0.1"), 406, 3)});
        QCOMPARE(archivoActual(), todos);
    }

    // Turned away: the browser is offered the address of exactly the missing days, and the
    // answer saved from it completes the archive and its amounts through the import.
    void rechazadoSeCompletaConLaImportacion()
    {
        const auto todos = sorteosEntre(QDate(2026, 7, 1), QDate(2026, 8, 17));
        const std::vector<Sorteo> antes(todos.begin(), todos.end() - 3);
        prepara(antes, todos);
        sitio->resultados = SitioSimulado::Modo::Error;
        sitio->codigoError = 403;
        escritorio->respuestas = {true};
        Principal &p = abre();
        pulsa();
        QTRY_COMPARE(escritorio->mensajes.size(), 1);
        const QUrl direccion = direcciones::servicio(
            sitio->direccion(), fechas::dia(antes.back().fecha).addDays(1), kHoy);
        QCOMPARE(escritorio->direcciones, QList<QUrl>{direccion});
        QCOMPARE(archivoActual(), antes);
        QVERIFY(!descarga().activa());

        // What the browser saves from that address.
        sitio->resultados = SitioSimulado::Modo::Normal;
        QNetworkAccessManager red;
        std::unique_ptr<QNetworkReply> r(red.get(QNetworkRequest(direccion)));
        QTRY_VERIFY(r->isFinished());
        carpeta->escribe(QStringLiteral("guardado.json"), r->readAll());
        escritorio->archivoElegido = carpeta->archivo(QStringLiteral("guardado.json"));
        control<QAction>(p, "importa")->trigger();
        QCOMPARE(archivoActual(), todos);
        ArchivoImportes importes(carpeta->archivo(QStringLiteral("premios.dat")));
        importes.abre();
        for (auto s = todos.end() - 3; s != todos.end(); ++s)
            QVERIFY(importes::completo(importes.busca(s->fecha), s->fecha));
        QCOMPARE(etiqueta("Label59"), QString());
    }

    // The draw of the day is listed without its result until the evening: it is left for the
    // next download, which takes it once published. A breakdown published after the numbers
    // reaches premios.dat with a later download as well.
    void sorteoDeHoyYDesgloseTardio()
    {
        const auto todos = sorteosEntre(QDate(2026, 7, 1), QDate(2026, 8, 17));
        prepara({todos.begin(), todos.end() - 2}, todos);
        sitio->sorteos[sitio->sorteos.size() - 2].desgloseTardio = 1;
        const double sabado = todos[todos.size() - 2].fecha;
        for (const QTime hora : {QTime(21, 0), QTime(22, 30)}) {
            escritorio->reloj = QDateTime(QDate(2026, 8, 17), hora);
            sitio->ahora = escritorio->reloj;
            if (!principal)
                abre();
            escritorio->mensajes.clear();
            completa();
            QVERIFY(escritorio->mensajes.isEmpty());
            QCOMPARE(etiqueta("Label6"), u("TRANSFERENCIA FINALIZADA"));
            ArchivoImportes importes(carpeta->archivo(QStringLiteral("premios.dat")));
            importes.abre();
            if (hora.hour() == 21) {
                QCOMPARE(archivoActual(), std::vector<Sorteo>(todos.begin(), todos.end() - 1));
                QVERIFY(!importes.busca(sabado));
            } else {
                QCOMPARE(archivoActual(), todos);
                QVERIFY(importes::completo(importes.busca(sabado), sabado));
                QCOMPARE(etiqueta("Label59"), u("1 sorteo"));
            }
        }
    }

    // A range without draws is answered with a text: nothing new, said as always.
    void rangoSinSorteos()
    {
        prepara(sorteosEntre(QDate(2026, 7, 1), QDate(2026, 8, 17)), {});
        abre();
        completa();
        QCOMPARE(escritorio->textos(), QStringList{u("Todavía no hay sorteos nuevos.")});
        QCOMPARE(etiqueta("Label6"), u("TRANSFERENCIA FINALIZADA"));
    }

    // The per-date service: one request a draw day, the archive completed all the same.
    void fuentePorFecha()
    {
        const auto todos = sorteosEntre(QDate(2026, 7, 1), QDate(2026, 8, 17));
        prepara({todos.begin(), todos.end() - 3}, todos);
        sitio->configura(carpeta->ruta(), QStringLiteral("fecha"));
        abre();
        completa();
        QCOMPARE(archivoActual(), todos);
        QStringList esperadas;
        for (QDate d = kHoy.addDays(-30); d <= kHoy; d = d.addDays(1))
            if (fechas::bitDia(fechas::serial(d)) & fechas::diasDeSorteo(fechas::serial(d)))
                esperadas << u("/servicios/fechav3?game_id=LAPR&fecha_sorteo=") +
                                 d.toString(QStringLiteral("yyyyMMdd"));
        QCOMPARE(sitio->peticiones.filter(u("fechav3")), esperadas);
        QVERIFY(escritorio->mensajes.isEmpty());
    }

    void pulsarDeNuevoEmpiezaOtraVez()
    {
        const auto todos = sorteosEntre(QDate(2026, 7, 1), QDate(2026, 8, 17));
        prepara({todos.begin(), todos.end() - 3}, todos);
        sitio->resultados = SitioSimulado::Modo::Mudo;
        abre();
        pulsa();
        QTRY_COMPARE(sitio->peticionesServicio(), 1);
        sitio->resultados = SitioSimulado::Modo::Normal;
        completa();
        QCOMPARE(sitio->peticionesServicio(), 2);
        QCOMPARE(archivoActual(), todos);
        QVERIFY(escritorio->mensajes.isEmpty());
    }

    void sinDocumentoAbreLaWebDelOperador()
    {
        const auto todos = sorteosEntre(QDate(2026, 7, 1), QDate(2026, 8, 17));
        prepara({todos.begin(), todos.end() - 1}, todos);
        sitio->sorteos.back().conPdf = false;
        abre();
        completa();
        QCOMPARE(aviso()->toPlainText(), u("El documento oficial del sorteo está en la web del "
                                           "operador. Pulse aquí para abrirla."));
        QVERIFY(!aviso()->isHidden());
        QTest::mouseClick(aviso()->viewport(), Qt::LeftButton);
        QCOMPARE(escritorio->direcciones,
                 QList<QUrl>{QUrl(sitio->direccion() + u("/es/resultados/primitiva"))});
        QVERIFY(sitio->peticiones.filter(u(".pdf")).isEmpty());
    }

    void paginaConArchivoFueraDeLaVentana()
    {
        // With the pages the download cannot reach back further than 50 days.
        const auto todos = sorteosEntre(QDate(2026, 6, 1), QDate(2026, 8, 17));
        const auto corte = std::find_if(todos.begin(), todos.end(), [](const Sorteo &s) {
            return s.fecha > fechas::serial(QDate(2026, 6, 25));
        });
        prepara({todos.begin(), corte}, todos);
        sitio->configura(carpeta->ruta(), QStringLiteral("pagina"));
        abre();
        pulsa();
        QCOMPARE(escritorio->textos(),
                 QStringList{u("El archivo de sorteos termina el 25/06/2026; la página del "
                               "operador sólo muestra los últimos 50 días. Importe los sorteos "
                               "que faltan desde un archivo.")});
        QVERIFY(!descarga().activa());
        QCoreApplication::processEvents();
        QVERIFY(sitio->peticiones.filter(u("buscador")).isEmpty());
        QCOMPARE(archivoActual(), std::vector<Sorteo>(todos.begin(), corte));
    }

    // --- The "Último sorteo" tab ----------------------------------------------------------

    // The newest draw's combination, and each category's amount beside its winners. A
    // breakdown published after the numbers reads "pendiente", never 0, until a later download
    // brings it; a category nobody won reads 0 all the same.
    void ultimoSorteoConAcertantes()
    {
        auto todos = sorteosEntre(QDate(2026, 7, 1), QDate(2026, 8, 17));
        Sorteo &ultimo = todos.back();
        ultimo.numeros = {8, 17, 19, 45, 48, 49};
        ultimo.complementario = 43;
        ultimo.reintegro = 2;
        ultimo.joker = 837021;
        prepara({todos.begin(), todos.end() - 1}, todos);
        sitio->sorteos.back().desgloseTardio = 1;
        sitio->sorteos.back().especial = u("0,00");
        abre();
        auto fila = [this](const char *nombre, int k) {
            return control<QLabel>(*principal, QString::fromLatin1(nombre).arg(k));
        };
        completa();
        QCOMPARE(archivoActual(), todos);
        const QString combinacion = u("Combinación ganadora: 8 - 17 - 19 - 45 - 48 - 49   C: 43   "
                                      "R: 2   Joker: 0837021");
        QCOMPARE(etiqueta("combinacionUltimo"), combinacion);
        for (int k = 0; k < 6; ++k) {
            QCOMPARE(fila("Label10_%1", k)->text(), u("pendiente"));
            QVERIFY(fila("euros_%1", k)->isHidden());
            QCOMPARE(fila("ganadores_%1", k)->text(), u("pendiente"));
        }

        const QStringList importes{u("0,00"),     u("1.234.567,89"), u("98.765,43"),
                                   u("2.345,67"), u("56,78"),        u("8,00")};
        const QStringList acertantes{u("0 acertantes"),     u("1 acertante"),
                                     u("6 acertantes"),     u("185 acertantes"),
                                     u("9.358 acertantes"), u("184.746 acertantes")};
        auto compruebaDesglose = [&] {
            QCOMPARE(etiqueta("combinacionUltimo"), combinacion);
            for (int k = 0; k < 6; ++k) {
                QCOMPARE(fila("Label10_%1", k)->text(), importes[k]);
                QVERIFY(!fila("euros_%1", k)->isHidden());
                QCOMPARE(fila("ganadores_%1", k)->text(), acertantes[k]);
            }
        };
        completa();
        compruebaDesglose();
        // The next start shows them from the files.
        principal.reset();
        abre();
        compruebaDesglose();
    }

    // With the results pages the amounts are the page's own; one the page leaves blank, and the
    // winners the page does not give, read "pendiente". A refund of 0 is a refund.
    void ultimoSorteoDeLaPagina()
    {
        auto todos = sorteosEntre(QDate(2026, 7, 1), QDate(2026, 8, 17));
        Sorteo &ultimo = todos.back();
        ultimo.numeros = {5, 12, 23, 31, 40, 44};
        ultimo.complementario = 9;
        ultimo.reintegro = 0;
        ultimo.joker = 1234;
        prepara({todos.begin(), todos.end() - 1}, todos);
        sitio->configura(carpeta->ruta(), QStringLiteral("pagina"));
        sitio->sorteos.back().premios[2] = QString();
        abre();
        pulsa();
        QTRY_COMPARE(descarga().pasodescarga, 3);
        pestana().Timer1_Timer();
        QTRY_VERIFY(!descarga().Inet2.ocupada());
        pestana().Timer1_Timer();
        QCOMPARE(archivoActual(), todos);
        QCOMPARE(
            etiqueta("combinacionUltimo"),
            u("Combinación ganadora: 5 - 12 - 23 - 31 - 40 - 44   C: 9   R: 0   Joker: 0001234"));
        const QStringList importes{u("1.234.567,89"), u("98.765,43"), u("pendiente"),
                                   u("56,78"),        u("8,00"),      u("1,00")};
        for (int k = 0; k < 6; ++k) {
            const QString n = QString::number(k);
            QCOMPARE(control<QLabel>(*principal, u("Label10_") + n)->text(), importes[k]);
            QCOMPARE(control<QLabel>(*principal, u("euros_") + n)->isHidden(), k == 2);
            QCOMPARE(control<QLabel>(*principal, u("ganadores_") + n)->text(), u("pendiente"));
        }
    }

    // Before 20/06/1991 a draw had no refund and before 2012 no Joker (the archive holds 0 for
    // both): the combination leaves them out. An empty archive names no combination at all.
    void combinacionSinReintegroYSinSorteos()
    {
        Sorteo viejo;
        viejo.numeros = {3, 11, 13, 15, 34, 35};
        viejo.complementario = 27;
        viejo.fecha = fechas::serial(QDate(1990, 6, 14));
        prepara({viejo}, {});
        abre();
        QCOMPARE(etiqueta("combinacionUltimo"),
                 u("Combinación ganadora: 3 - 11 - 13 - 15 - 34 - 35   C: 27"));
        QCOMPARE(etiqueta("Label10_1"), u("pendiente"));

        principal.reset();
        carpeta->escribeSorteos({});
        abre();
        QVERIFY(etiqueta("combinacionUltimo").isEmpty());
        QVERIFY(control<QLabel>(*principal, "combinacionUltimo")->isHidden());
        QCOMPARE(etiqueta("ganadores_0"), u("pendiente"));
    }
};

QTEST_MAIN(TstServicio)
#include "tst_servicio.moc"
