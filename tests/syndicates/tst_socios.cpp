// socios.dat and the window "Socios", and the money the manager tab shows from them.
#include "apoyo/carpetaprueba.h"
#include "apoyo/discolleno.h"
#include "apoyo/escritorioprueba.h"
#include "apoyo/pestanas.h"
#include "app/principal.h"
#include "archive/fechas.h"
#include "archive/importes.h"
#include "reports/informes.h"
#include "reports/motor.h"
#include "session/sesion.h"
#include "syndicates/cuentas.h"
#include "syndicates/socios.h"
#include "syndicates/ventanasocios.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeView>
#include <QtEndian>

namespace {
QString u(const char *t)
{
    return QString::fromUtf8(t);
}

const QDate kHoy(2026, 1, 20);
const QDate kJueves(2026, 1, 8);
const QDate kSabado(2026, 1, 10);
const QDate kJueves2(2026, 1, 15);

Sorteo sorteo(const QDate &dia, std::array<int, 6> numeros, int complementario, int reintegro)
{
    Sorteo s;
    for (size_t i = 0; i < 6; ++i)
        s.numeros[i] = static_cast<qint16>(numeros[i]);
    s.complementario = static_cast<qint16>(complementario);
    s.reintegro = static_cast<qint16>(reintegro);
    s.fecha = fechas::serial(dia);
    return s;
}

ImportesSorteo importesDe(const QDate &dia, std::array<qint64, 6> centimos)
{
    ImportesSorteo r;
    r.fecha = fechas::serial(dia);
    r.centimos = centimos;
    return r;
}

SociosPena de(const Pena &p, std::vector<Socio> socios, int reintegro = -1)
{
    SociosPena s = SociosPena::de(p);
    s.socios = std::move(socios);
    s.reintegro = reintegro;
    return s;
}

QString texto(const QObject &o, const char *nombre)
{
    return control<QLabel>(o, nombre)->text();
}

Socios *ventanaSocios()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("Socios") && w->isVisible())
            return qobject_cast<Socios *>(w);
    return nullptr;
}

QStringList fila(const QAbstractItemModel *m, int r)
{
    QStringList t;
    for (int c = 0; c < m->columnCount(); ++c)
        t << m->index(r, c).data().toString();
    return t;
}
} // namespace

class TstSocios : public QObject {
    Q_OBJECT
private:
    EscritorioPrueba *escritorio = nullptr;

private slots:
    void init()
    {
        escritorio = EscritorioPrueba::instala(kHoy);
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    }
    void cleanup()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("Socios"))
                delete w;
        Escritorio::sustituye(nullptr);
    }

    // 3232 bytes a syndicate: its creation date and name, the refund digit, the count, and
    // 100 slots of a 30-byte name and the shares.
    void registroByteAByte()
    {
        Pena p = penaDe(u("LA PEÑA"), u("Jueves"), kJueves);
        const SociosPena s = de(p, {{u("José"), 2}, {u("Ana"), 1}}, 7);
        QByteArray b(SociosPena::kLongitud, '\0');
        s.escribeEn(b.data());
        QCOMPARE(SociosPena::kLongitud, 3232);
        QCOMPARE(b.mid(8, 20), p.nombre);
        QCOMPARE(b.mid(8, 20), QByteArray("LA PE\xD1"
                                          "A             ",
                                          20));
        QCOMPARE(qFromLittleEndian<qint16>(b.constData() + 28), qint16(7));
        QCOMPARE(qFromLittleEndian<qint16>(b.constData() + 30), qint16(2));
        QCOMPARE(b.mid(32, 30), QByteArray("Jos\xE9"
                                           "                          ",
                                           30));
        QCOMPARE(qFromLittleEndian<qint16>(b.constData() + 62), qint16(2));
        QCOMPARE(b.mid(64, 3), QByteArray("Ana"));
        QCOMPARE(qFromLittleEndian<qint16>(b.constData() + 94), qint16(1));
        QCOMPARE(b.mid(96, 30), QByteArray(30, ' '));
        QCOMPARE(qFromLittleEndian<qint16>(b.constData() + 126), qint16(0));
        QCOMPARE(SociosPena::desdeBytes(b.constData()).value(), s);
        // Out-of-range counts, digits and shares are no record.
        for (const auto &[offset, valor] : {std::pair{28, 10}, {30, 101}, {30, -1}, {62, 0}}) {
            QByteArray malo = b;
            qToLittleEndian<qint16>(static_cast<qint16>(valor), malo.data() + offset);
            QVERIFY(!SociosPena::desdeBytes(malo.constData()));
        }
    }

    // Found by the syndicate's date and name; a record that cannot be used is written back as
    // it was; a syndicate deleted or renamed takes its members along.
    void archivoPorPena()
    {
        CarpetaPrueba c;
        const Pena a = penaDe(u("A"), u("Jueves"), kJueves);
        const Pena b = penaDe(u("B"), u("Jueves"), kJueves);
        Pena otraFecha = a;
        otraFecha.creacion += 1;
        QByteArray malo(SociosPena::kLongitud, '\0');
        qToLittleEndian<qint16>(qint16(500), malo.data() + 30);
        c.escribe(QStringLiteral("socios.dat"), malo);

        ArchivoSocios f(socios::rutaArchivo(c.ruta()));
        QCOMPARE(f.abre(), Escritura::Hecha);
        QCOMPARE(f.danados(), 1);
        QCOMPARE(f.pon(de(a, {{u("ANA"), 1}})), Escritura::Hecha);
        QCOMPARE(f.pon(de(b, {{u("LUIS"), 3}}, 2)), Escritura::Hecha);
        QVERIFY(!f.busca(otraFecha));
        QCOMPARE(f.busca(b)->reintegro, 2);

        ArchivoSocios g(f.ruta());
        g.abre();
        QCOMPARE(g.registros(), f.registros());
        QCOMPARE(c.lee(QStringLiteral("socios.dat")).right(SociosPena::kLongitud), malo);

        Pena renombrada = a;
        renombrada.ponNombre(u("A NUEVA"));
        QCOMPARE(g.sigue({{a, renombrada}}), Escritura::Hecha);
        QVERIFY(!g.busca(a));
        QCOMPARE(g.busca(renombrada)->socios.front().nombre, u("ANA"));
        QCOMPARE(g.quita(b), Escritura::Hecha);
        QVERIFY(!g.busca(b));
        // Nothing left to say of a syndicate: no record.
        QCOMPARE(g.pon(de(renombrada, {})), Escritura::Hecha);
        QCOMPARE(c.lee(QStringLiteral("socios.dat")), malo);
    }

    void nombresDeSocio_data()
    {
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<QString>("nombre");
        QTest::newRow("acentos") << u("  José Muñoz ") << u("José Muñoz");
        QTest::newRow("treinta") << QString(30, QLatin1Char('a')) << QString(30, QLatin1Char('a'));
        QTest::newRow("treinta y uno") << QString(31, QLatin1Char('a')) << QString();
        QTest::newRow("fuera de 1252") << u("Ana ☘") << QString();
        QTest::newRow("vacío") << u("   ") << QString();
    }
    void nombresDeSocio()
    {
        QFETCH(QString, tecleado);
        QFETCH(QString, nombre);
        const socios::NombreSocio n = socios::normalizaNombre(tecleado);
        QCOMPARE(n.texto, nombre);
        QCOMPARE(n.aviso.has_value(), nombre.isEmpty());
    }

    void sobreviveAUnaReescrituraInterrumpida()
    {
        DiscoLleno disco;
        const Pena a = penaDe(u("A"), u("Jueves"), kJueves);
        ArchivoSocios f(socios::rutaArchivo(disco.ruta()));
        QCOMPARE(f.pon(de(a, {{u("ANA"), 1}})), Escritura::Hecha);
        QFile archivo(f.ruta());
        QVERIFY(archivo.open(QIODevice::ReadOnly));
        const QByteArray antes = archivo.readAll();
        archivo.close();
        disco.llena();
        std::vector<Socio> muchos;
        for (int i = 0; i < SociosPena::kMaxSocios; ++i)
            muchos.push_back({QStringLiteral("SOCIO %1").arg(i), 1});
        for (int i = 0; i < 700; ++i) {
            Pena otra = a;
            otra.creacion += i + 1;
            if (f.pon(de(otra, muchos)) != Escritura::Hecha)
                break;
        }
        disco.libera();
        QVERIFY(archivo.open(QIODevice::ReadOnly));
        const QByteArray despues = archivo.readAll();
        archivo.close();
        // Whatever was written before the disk filled up, the file is whole records and the
        // first one is as it was.
        QCOMPARE(despues.size() % SociosPena::kLongitud, 0);
        QCOMPARE(despues.left(SociosPena::kLongitud), antes);
        QCOMPARE(QDir(disco.ruta()).entryList(QDir::Files), QStringList{u("socios.dat")});
        ArchivoSocios g(f.ruta());
        QCOMPARE(g.abre(), Escritura::Hecha);
        QCOMPARE(g.registros(), f.registros());
    }

    // A syndicate whose creation date is damaged (not a number) keeps one members record,
    // however often its members change.
    void unaFechaDanadaEsUnaSolaClave()
    {
        CarpetaPrueba c;
        Pena p = penaDe(u("ROTA"), u("Jueves"), kJueves);
        p.creacion = std::numeric_limits<double>::quiet_NaN();
        ArchivoSocios f(socios::rutaArchivo(c.ruta()));
        QCOMPARE(f.abre(), Escritura::Hecha);
        QCOMPARE(f.pon(de(p, {{u("Ana"), 1}})), Escritura::Hecha);
        QCOMPARE(f.pon(de(p, {{u("Ana"), 2}})), Escritura::Hecha);
        ArchivoSocios g(socios::rutaArchivo(c.ruta()));
        g.abre();
        QCOMPARE(g.registros().size(), size_t(1));
        QCOMPARE(g.busca(p)->socios[0].participaciones, 2);
    }

    // The whole road: members recorded in the window, what the syndicate won and spent on the
    // manager tab, for it and for every syndicate, the report, the CSV, and the members going
    // with a deleted syndicate.
    void ventanaYPestanaDelGestor()
    {
        CarpetaPrueba c;
        Pena uno = penaDe(u("UNO"), u("Jueves"), kJueves);
        Pena dos = penaDe(u("DOS"), u("Jueves y Sábado"), kJueves);
        for (int i = 1; i <= 6; ++i)
            dos.numero(1, i) = static_cast<qint16>(10 + i);
        c.escribePenas({uno, dos});
        c.escribeSorteos({sorteo(kJueves, {1, 2, 3, 4, 5, 40}, 6, 3),      // UNO: 5 + C
                          sorteo(kSabado, {11, 12, 13, 30, 31, 32}, 7, 3), // DOS: 3, unknown
                          sorteo(kJueves2, {1, 2, 3, 30, 31, 32}, 7, 5)}); // UNO: 3
        c.escribe(QStringLiteral("premios.dat"),
                  ArchivoImportes::serializa({importesDe(kJueves, {-1, -1, 10000, 5000, 700, 800}),
                                              importesDe(kJueves2, {-1, -1, -1, -1, -1, 800})}));
        Principal p(c.ruta());
        PestanaGestor &g = gestor(p);

        // "TODAS LAS PEÑAS" at first: 100,00 + 8,00 won and one prize not known yet, so every
        // figure is provisional; 3 + 2 draws at 1 € a bet (the price of a new installation).
        QCOMPARE(texto(g, "premiosEuros"), u("Premios provisionales: 108,00 €"));
        QCOMPARE(texto(g, "retencionEuros"), u("Retención provisional: 0,00 €"));
        QCOMPARE(texto(g, "netoEuros"), u("Neto provisional: 108,00 €"));
        QCOMPARE(texto(g, "balanceEuros"), u("Balance provisional: 103,00 €"));
        QCOMPARE(texto(g, "gastoEuros"), u("Jugado: 5,00 €"));
        QCOMPARE(texto(g, "importesDesconocidos"), u("1 premio de importe pendiente"));
        QVERIFY(control<QLabel>(g, "importesDesconocidos")->isVisibleTo(&g));

        // Amounts that arrive later, for a draw the archive has (an answer of the results
        // service), show at once: the session says they changed.
        const Sesion::Recepcion r = p.sesion().recibe(
            "[{\"fecha_sorteo\": \"2026-01-10 00:00:00\", \"combinacion\": "
            "\"11 - 12 - 13 - 30 - 31 - 32 C(7) R(3)\", \"escrutinio\": [{\"tipo\": "
            "\"5ª Categoría (3 Aciertos)\", \"premio\": \"9.00\", \"ganadores\": \"1\"}]}]",
            kSabado);
        QCOMPARE(r.forma, Fuente::Lectura::Forma::Lista);
        QCOMPARE(r.agregado.nuevos, 0);
        QCOMPARE(texto(g, "premiosEuros"), u("Premios: 117,00 €"));
        QCOMPARE(texto(g, "balanceEuros"), u("Balance: 112,00 €"));
        QVERIFY(!control<QLabel>(g, "importesDesconocidos")->isVisibleTo(&g));

        // The socios button needs a syndicate.
        g.socios_Click();
        QCOMPARE(escritorio->textos().value(0), u("Seleccione una peña primero..."));
        escritorio->mensajes.clear();

        g.ListView1_ItemClick(1);
        QCOMPARE(texto(g, "premiosEuros"), u("Premios: 108,00 €"));
        QVERIFY(!control<QLabel>(g, "importesDesconocidos")->isVisibleTo(&g));
        QTest::mouseClick(control<QPushButton>(g, "socios"), Qt::LeftButton);
        Socios *v = ventanaSocios();
        QVERIFY(v);
        QCOMPARE(v->objectName(), u("Socios"));
        auto *nombre = control<QLineEdit>(*v, "nombreSocio");
        auto *partes = control<QSpinBox>(*v, "participaciones");
        auto *anadir = control<QPushButton>(*v, "anadirSocio");
        for (const auto &[n, k] : {std::pair{"Ana", 1}, {"Luis", 1}, {"Marta", 2}}) {
            nombre->setText(u(n));
            partes->setValue(k);
            QTest::mouseClick(anadir, Qt::LeftButton);
        }
        // Same rules as the editor's names.
        nombre->setText(u("Ana ☘"));
        QTest::mouseClick(anadir, Qt::LeftButton);
        QVERIFY(escritorio->textos().value(0).contains(u("«☘»")));
        QCOMPARE(v->actuales().socios.size(), size_t(3));
        // The slip's refund 5 matches the second draw: one bet back at the price (none yet).
        control<QComboBox>(*v, "reintegro")->setCurrentIndex(6);

        ArchivoSocios f(socios::rutaArchivo(c.ruta()));
        f.abre();
        QCOMPARE(f.busca(uno)->socios,
                 (std::vector<Socio>{{u("Ana"), 1}, {u("Luis"), 1}, {u("Marta"), 2}}));
        QCOMPARE(f.busca(uno)->reintegro, 5);

        auto *lista = control<QTreeView>(g, "ListViewSocios");
        QCOMPARE(lista->model()->rowCount(), 3);
        QCOMPARE(fila(lista->model(), 0),
                 (QStringList{u("Ana"), u("1"), u("27,25 €"), u("0,50 €"), u("26,75 €"),
                              u("0,00 €"), u("A favor 26,75 €")}));
        QCOMPARE(fila(lista->model(), 2).value(2), u("54,50 €"));

        // With a price of 5 € a bet, the balance of DOS is negative and red.
        Ajustes a = p.sesion().ajustes();
        a.precio = 5.0f;
        p.sesion().ponAjustes(a);
        g.ListView1_ItemClick(2);
        QCOMPARE(texto(g, "gastoEuros"), u("Jugado: 15,00 €"));
        QCOMPARE(texto(g, "balanceEuros"), u("Balance: −6,00 €"));
        QVERIFY(control<QLabel>(g, "balanceEuros")->styleSheet().contains(u("255, 0, 0")));
        QCOMPARE(control<QLabel>(g, "balanceEuros")->palette().color(QPalette::WindowText),
                 QColor(255, 0, 0));
        QCOMPARE(lista->model()->rowCount(), 0);
        QVERIFY(!control<QLabel>(g, "importesDesconocidos")->isVisibleTo(&g));
        QCOMPARE(texto(g, "premiosEuros"), u("Premios: 9,00 €"));

        // UNO: 100 + 8 + 5 (refund) won, its 2 Thursdays at 5.
        g.ListView1_ItemClick(1);
        QCOMPARE(texto(g, "premiosEuros"), u("Premios: 113,00 €"));
        QCOMPARE(texto(g, "gastoEuros"), u("Jugado: 10,00 €"));
        QCOMPARE(texto(g, "balanceEuros"), u("Balance: 103,00 €"));
        QVERIFY(control<QLabel>(g, "balanceEuros")->styleSheet().isEmpty());
        QCOMPARE(fila(lista->model(), 0),
                 (QStringList{u("Ana"), u("1"), u("28,25 €"), u("2,50 €"), u("25,75 €"),
                              u("0,00 €"), u("A favor 25,75 €")}));
        // Nothing paid yet and the prizes shared out: the pot owes the stakes. The summary of
        // every member's balance goes to the clipboard.
        QCOMPARE(texto(g, "boteEuros"), u("Bote: −10,00 €"));
        QTest::mouseClick(control<QPushButton>(g, "copiarResumen"), Qt::LeftButton);
        QVERIFY(QGuiApplication::clipboard()->text().contains(u("Ana")));
        QVERIFY(QGuiApplication::clipboard()->text().contains(u("A favor 25,75 €")));
        // Its winning draws, newest first, with what each won.
        auto *premios = control<QTreeView>(g, "ListViewPremios");
        QCOMPARE(premios->model()->rowCount(), 2);
        QCOMPARE(fila(premios->model(), 0),
                 (QStringList{u("15/01/2026"), u("5ª, reintegro"), QString(), u("13,00 €")}));
        QCOMPARE(fila(premios->model(), 1),
                 (QStringList{u("08/01/2026"), u("2ª"), QString(), u("100,00 €")}));

        // The Joker numbers of the slip, in the members window: a wrong one is named and
        // nothing is kept; good ones are kept with their zeros.
        auto *jokers = control<QLineEdit>(*v, "jokers");
        escritorio->mensajes.clear();
        jokers->setText(u("0559707, 12345"));
        emit jokers->editingFinished();
        QVERIFY(escritorio->textos().value(0).contains(u("«12345»")));
        QVERIFY(v->actuales().jokers.empty());
        jokers->setText(u("559707"));
        jokers->setText(u("0559707 ,8337021"));
        emit jokers->editingFinished();
        QCOMPARE(v->actuales().jokers, (std::vector<qint32>{559707, 8337021}));
        QCOMPARE(jokers->text(), u("0559707 8337021"));
        ArchivoSocios conJokers(socios::rutaArchivo(c.ruta()));
        conJokers.abre();
        QCOMPARE(conJokers.busca(p.sesion().penas().lee(1))->jokers,
                 (std::vector<qint32>{559707, 8337021}));
        // The draws of 2026 had no Joker drawn: only the stake, 1 € a number and draw.
        QCOMPARE(texto(g, "gastoEuros"), u("Jugado: 14,00 €"));
        QCOMPARE(texto(g, "jokerEuros"), u("De ellos, Joker: 0,00 €"));
        jokers->setText(QString());
        emit jokers->editingFinished();
        QVERIFY(v->actuales().jokers.empty());

        // The report of the syndicate shown carries the same figures and its members.
        informes::Contenido contenido;
        QVERIFY(informes::lee(c.ruta(), contenido));
        QCOMPARE(contenido.ganancias,
                 (informes::FilaGanancias{11300, 1000, 10300, 0, 2, 0, 0, 11300, 0}));
        QCOMPARE(contenido.socios.size(), size_t(3));
        QCOMPARE(contenido.socios[2].premios, qint64(5650));
        // Nobody paid: the pot is the stake, the prizes are owed to the members.
        QCOMPARE(contenido.cuentas, (informes::FilaCuentas{0, 0, -1000, true}));
        QCOMPARE(contenido.saldos.size(), size_t(3));
        QCOMPARE(contenido.saldos[2].saldo, contenido.socios[2].balance);
        const informes::Informe informe =
            informes::prepara(c.ruta(), 1, QLocale(QLocale::Spanish), kHoy);
        QCOMPARE(informe.error, 0);
        QVERIFY(informe.html.contains(u("113,00 €")));
        // Its winning draws, the rows of the list.
        QCOMPARE(contenido.premiados.size(), size_t(2));
        QVERIFY(informe.html.contains(
            u("<td>15/01/2026</td><td>5ª, reintegro</td><td></td><td align=\"right\">13,00 €")));
        QVERIFY(informe.html.contains(u("Marta")));

        // Every draw played, as a spreadsheet through the save dialog.
        escritorio->destinoElegido = QDir(c.ruta()).filePath(QStringLiteral("../uno-premios"));
        escritorio->mensajes.clear();
        QTest::mouseClick(control<QPushButton>(g, "exportarCsv"), Qt::LeftButton);
        QFile csv(escritorio->destinoElegido + QStringLiteral(".csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QList<QByteArray> lineas = csv.readAll().split('\n');
        csv.close();
        csv.remove();
        QCOMPARE(lineas.size(), 4); // heading, 2 draws, and the end of the last line
        QCOMPARE(lineas[1], QByteArray("UNO;08/01/2026;0;0;1;0;0;0;0;100,00;0,00;100,00;5,00\r"));
        QCOMPARE(lineas[2], QByteArray("UNO;15/01/2026;0;0;0;0;0;1;1;13,00;0,00;13,00;5,00\r"));
        QCOMPARE(escritorio->textos().value(0),
                 u("2 sorteos jugados exportados a uno-premios.csv"));
        // With accounts kept, the members' accounts go to a file of their own beside it.
        CuentasPena pagos = CuentasPena::de(p.sesion().penas().lee(1));
        pagos.pagos.push_back({u("Marta"), fechas::serial(QDate(2026, 1, 5)), 700, QString()});
        QCOMPARE(p.sesion().guardaCuentas(pagos), Escritura::Hecha);
        escritorio->mensajes.clear();
        QTest::mouseClick(control<QPushButton>(g, "exportarCsv"), Qt::LeftButton);
        QFile cuentasCsv(escritorio->destinoElegido + QStringLiteral("-cuentas.csv"));
        QVERIFY(cuentasCsv.open(QIODevice::ReadOnly));
        QVERIFY(cuentasCsv.readAll().contains("UNO;Marta;"));
        cuentasCsv.remove();
        QFile::remove(escritorio->destinoElegido + QStringLiteral(".csv"));
        QCOMPARE(escritorio->textos().value(0),
                 u("2 sorteos jugados exportados a uno-premios.csv, y las cuentas de los socios "
                   "a uno-premios-cuentas.csv"));

        // A name changed in the editor keeps the members, and the members window still open
        // follows it: its next change is written under the new name, never the old one.
        Pena renombrada = p.sesion().penas().lee(1);
        renombrada.ponNombre(u("UNO BIS"));
        QCOMPARE(p.sesion().guardaPena(1, renombrada), Escritura::Hecha);
        g.ListView1_ItemClick(1);
        QCOMPARE(lista->model()->rowCount(), 3);
        QCOMPARE(ventanaSocios(), v);
        QCOMPARE(v->windowTitle(), u("Socios de la peña UNO BIS"));
        nombre->setText(u("Pedro"));
        QTest::mouseClick(anadir, Qt::LeftButton);
        ArchivoSocios tras(socios::rutaArchivo(c.ruta()));
        tras.abre();
        QCOMPARE(tras.registros().size(), size_t(1));
        QCOMPARE(tras.busca(renombrada)->socios.size(), size_t(4));
        QCOMPARE(lista->model()->rowCount(), 4);

        // Deleting the syndicate deletes its members.
        p.sesion().ponPenasel(1);
        escritorio->respuestas = {true};
        g.Command3_Click();
        QCOMPARE(p.sesion().penas().cuenta(), 1);
        ArchivoSocios despues(socios::rutaArchivo(c.ruta()));
        despues.abre();
        QVERIFY(despues.registros().empty());
    }
};

QTEST_MAIN(TstSocios)
#include "tst_socios.moc"
