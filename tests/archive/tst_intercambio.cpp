// Draws read from CSV and JSON files, merged into numeros.dat by date, and written out as CSV.
#include "apoyo/carpetaprueba.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "archive/intercambio.h"
#include "archive/textosorteos.h"

#include <QFile>
#include <QTest>
#include <sys/stat.h>

Q_DECLARE_METATYPE(Sorteo)

namespace {
using Estado = intercambio::Resultado::Estado;
using Formato = textosorteos::Lectura::Formato;
const QByteArray kCabecera = "fecha;n1;n2;n3;n4;n5;n6;complementario;reintegro;joker\n";

// The first draw of La Primitiva, with a refund and a Joker it did not have.
Sorteo primero(int reintegro = 0, double joker = 0)
{
    Sorteo s;
    s.numeros = {3, 11, 13, 15, 34, 35};
    s.complementario = 27;
    s.reintegro = static_cast<qint16>(reintegro);
    s.fecha = fechas::serial(QDate(1985, 10, 17));
    s.joker = joker;
    return s;
}
} // namespace

class TstIntercambio : public QObject {
    Q_OBJECT
private slots:
    void formasDeUnaLinea_data()
    {
        QTest::addColumn<QByteArray>("texto");
        QTest::addColumn<Sorteo>("esperado");
        QTest::newRow("punto y coma, cabecera, sin reintegro ni Joker")
            << kCabecera + "17/10/1985;3;11;13;15;34;35;27;;\r\n"
            << primero();
        QTest::newRow("comas, aaaa-mm-dd, desordenados")
            << QByteArray("1985-10-17,35,3,34,11,13,15,27,4,1807401\n") << primero(4, 1807401);
        QTest::newRow("tabuladores, sin Joker")
            << QByteArray("17/10/1985\t3\t11\t13\t15\t34\t35\t27\t9") << primero(9);
        QTest::newRow("comillas, Joker con blancos, CR")
            << QByteArray("\"17/10/1985\",\"3\",\"11\",\"13\",\"15\",\"34\",\"35\",\"27\",\"1\","
                          "\"0 000 012\"\r")
            << primero(1, 12);
        QTest::newRow("BOM, línea en blanco, separador al final")
            << QByteArray("\xEF\xBB\xBF\n17/10/1985;03;11;13;15;34;35;27;;;\n") << primero();
    }
    void formasDeUnaLinea()
    {
        QFETCH(QByteArray, texto);
        QFETCH(Sorteo, esperado);
        const textosorteos::Lectura l = textosorteos::lee(texto);
        QCOMPARE(l.formato, Formato::Csv);
        QCOMPARE(l.invalidas, 0);
        QCOMPARE(l.sorteos, std::vector<Sorteo>{esperado});
    }

    // Each faulty line among good ones is counted and named by its line in the file.
    void lineasNoValidas_data()
    {
        QTest::addColumn<QByteArray>("linea");
        QTest::newRow("fecha que no existe") << QByteArray("31/02/2020;1;2;3;4;5;6;7");
        QTest::newRow("fecha antes de 1900") << QByteArray("31/12/1899;1;2;3;4;5;6;7");
        QTest::newRow("año de dos cifras") << QByteArray("17/10/85;1;2;3;4;5;6;7");
        QTest::newRow("número repetido") << QByteArray("17/10/1985;1;2;3;4;5;5;7");
        QTest::newRow("Joker de ocho cifras") << QByteArray("17/10/1985;1;2;3;4;5;6;7;1;12345678");
        QTest::newRow("decimal") << QByteArray("17/10/1985;1;2;3;4;5;6;7;1,5");
        QTest::newRow("siete campos") << QByteArray("17/10/1985;1;2;3;4;5;6");
        QTest::newRow("once campos") << QByteArray("17/10/1985;1;2;3;4;5;6;7;1;1;1");
    }
    void lineasNoValidas()
    {
        QFETCH(QByteArray, linea);
        const QByteArray texto = kCabecera + "24/10/1985;1;2;3;4;5;6;7\n\n" + linea +
                                 "\n31/10/1985;1;2;3;4;5;6;7\n" + linea + "\n";
        const textosorteos::Lectura l = textosorteos::leeCsv(texto);
        QCOMPARE(l.sorteos.size(), size_t(2));
        QCOMPARE(l.invalidas, 2);
        QCOMPARE(l.primeraInvalida, 4);
    }

    void listasJson()
    {
        const textosorteos::Lectura h = textosorteos::lee(
            "  [{\"fecha\":\"17/10/1985\",\"numeros\":[35,3,11,13,15,34],\"complementario\":27,"
            "\"reintegro\":null,\"joker\":null},"
            " {\"fecha\":\"7/1/2021\",\"numeros\":[1,2,3,4,5,6],\"complementario\":7,"
            "\"reintegro\":3,\"joker\":1807401},"
            " {\"fecha\":\"8/1/2021\",\"numeros\":[1,2,3,4,5],\"complementario\":7}, 4]");
        QCOMPARE(h.formato, Formato::Historico);
        QCOMPARE(h.sorteos.size(), size_t(2));
        QCOMPARE(h.sorteos[0], primero());
        QCOMPARE(h.sorteos[1].joker, 1807401.0);
        QCOMPARE(h.invalidas, 2);
        QCOMPARE(h.primeraInvalida, 3);

        const textosorteos::Lectura s = textosorteos::lee(
            "[{\"fecha_sorteo\":\"2026-08-17 00:00:00\",\"combinacion\":\"02 - 04 - 19 - 28 - 46 "
            "- 48 C(18) R(0)\",\"joker\":{\"combinacion\":\"7 076 326\"},\"escrutinio\":[]},"
            "{\"fecha_sorteo\":\"2026-08-15 00:00:00\",\"combinacion\":\"1 - 2\"}]");
        QCOMPARE(s.formato, Formato::Servicio);
        QCOMPARE(s.sorteos.size(), size_t(1));
        QCOMPARE(s.sorteos[0].joker, 7076326.0);
        QCOMPARE(s.primeraInvalida, 2);

        const QByteArrayList otros = {"[{\"x\":1}]", "{\"fecha\":\"17/10/1985\"}", "[1,",
                                      QByteArray("17/10/1985;1\0;3", 15)};
        for (const QByteArray &otro : otros)
            QCOMPARE(textosorteos::lee(otro).formato, Formato::Desconocido);
    }

    void fusionPorFecha()
    {
        const auto dia = [](int d, int n = 1) { return sorteoDe(QDate(2026, 1, d), n); };
        const intercambio::Fusion f =
            intercambio::fusiona({dia(3), dia(10), dia(17)},
                                 {dia(24), dia(10, 20), dia(1), dia(12), dia(12, 30), dia(15)});
        QCOMPARE(f.anadidos, 4);
        QCOMPARE(f.yaEstaban, 2);
        QCOMPARE(f.sorteos, (std::vector<Sorteo>{dia(1), dia(3), dia(10), dia(12), dia(15), dia(17),
                                                 dia(24)}));
    }

    void importaGuardaLaCopiaYSoloLoNuevo()
    {
        CarpetaPrueba c;
        const std::vector<Sorteo> previos = {sorteoDe(QDate(2026, 1, 1)),
                                             sorteoDe(QDate(2026, 1, 8))};
        c.escribeSorteos(previos);
        const Sorteo nuevo = sorteoDe(QDate(2026, 1, 3), 10);
        c.escribe(QStringLiteral("a.csv"), kCabecera + "03/01/2026;10;11;12;13;14;15;49;3\n"
                                                       "08/01/2026;1;2;3;4;5;6;7\nbasura\n");
        intercambio::Resultado r =
            intercambio::importa(c.ruta(), c.archivo(QStringLiteral("a.csv")));
        QCOMPARE(r.estado, Estado::Importado);
        QCOMPARE(intercambio::mensaje(r),
                 QString::fromUtf8("1 sorteo añadido, 1 ya estaba, 1 "
                                   "línea no válida (la primera: línea 4)"));
        QCOMPARE(c.lee(QStringLiteral("numeros.bak")), ArchivoSorteos::serializa(previos));
        const QByteArray ahora = ArchivoSorteos::serializa({previos[0], nuevo, previos[1]});
        QCOMPARE(c.lee(QStringLiteral("numeros.dat")), ahora);
        QVERIFY(!QFile::exists(c.archivo(QStringLiteral("numeros.tmp"))));

        // Again: nothing is new, and neither file is touched.
        c.escribe(QStringLiteral("numeros.bak"), "anterior");
        r = intercambio::importa(c.ruta(), c.archivo(QStringLiteral("a.csv")));
        QCOMPARE(r.estado, Estado::SinNovedades);
        QCOMPARE(intercambio::mensaje(r),
                 QString::fromUtf8("0 sorteos añadidos, 2 ya estaban, 1 línea no válida (la "
                                   "primera: línea 4)"));
        QCOMPARE(c.lee(QStringLiteral("numeros.dat")), ahora);
        QCOMPARE(c.lee(QStringLiteral("numeros.bak")), QByteArray("anterior"));
    }

    void origenesRechazados()
    {
        CarpetaPrueba c;
        c.escribeSorteos({sorteoDe(QDate(2026, 1, 1))});
        const QByteArray antes = c.lee(QStringLiteral("numeros.dat"));
        const QString fifo = c.archivo(QStringLiteral("tuberia.csv"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QFile grande(c.archivo(QStringLiteral("grande.csv")));
        QVERIFY(grande.open(QIODevice::WriteOnly) && grande.resize(intercambio::kLimiteBytes + 1));
        c.escribe(QStringLiteral("otro.dat"), antes);
        const std::pair<QString, Estado> casos[] = {
            {fifo, Estado::NoEsArchivo},
            {c.ruta(), Estado::NoEsArchivo},
            {c.archivo(QStringLiteral("grande.csv")), Estado::Grande},
            {c.archivo(QStringLiteral("otro.dat")), Estado::Desconocido},
            {c.archivo(QStringLiteral("no-existe.csv")), Estado::Ilegible}};
        for (const auto &[ruta, estado] : casos)
            QCOMPARE(intercambio::importa(c.ruta(), ruta).estado, estado);
        QVERIFY(intercambio::mensaje(intercambio::importa(c.ruta(), fifo))
                    .startsWith(QStringLiteral("tuberia.csv no es un archivo normal")));
        QVERIFY(intercambio::mensaje(intercambio::importa(c.ruta(), grande.fileName()))
                    .contains(QStringLiteral("hasta 32 MB")));
        QCOMPARE(c.lee(QStringLiteral("numeros.dat")), antes);
        QVERIFY(!QFile::exists(c.archivo(QStringLiteral("numeros.bak"))));
    }

    void formatoDeLaExportacion()
    {
        CarpetaPrueba c;
        const QString destino = c.archivo(QStringLiteral("s.csv"));
        QCOMPARE(intercambio::exporta({primero(), primero(7, 1807401)}, destino), Escritura::Hecha);
        QCOMPARE(c.lee(QStringLiteral("s.csv")),
                 QByteArray("fecha;n1;n2;n3;n4;n5;n6;complementario;reintegro;joker\r\n"
                            "17/10/1985;3;11;13;15;34;35;27;0;0\r\n"
                            "17/10/1985;3;11;13;15;34;35;27;7;1807401\r\n"));
    }

    // The real history: out as CSV and back in gives every byte; the public JSON gives the same
    // records, all but the one draw it lacks.
    void historicoReal()
    {
        const QString dat = CarpetaPrueba::historicoReal();
        if (dat.isEmpty())
            QSKIP("no real history here");
        QFile f(dat);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray original = f.readAll();
        CarpetaPrueba c;
        QCOMPARE(intercambio::exporta(ArchivoSorteos::deserializa(original),
                                      c.archivo(QStringLiteral("h.csv"))),
                 Escritura::Hecha);
        intercambio::Resultado r =
            intercambio::importa(c.ruta(), c.archivo(QStringLiteral("h.csv")));
        QCOMPARE(r.anadidos, 4176);
        QCOMPARE(r.invalidas, 0);
        QCOMPARE(c.lee(QStringLiteral("numeros.dat")), original);

        CarpetaPrueba j;
        r = intercambio::importa(j.ruta(),
                                 QStringLiteral(BOLARIUM_DATOS_REALES "/primitiva-historico.json"));
        QCOMPARE(r.anadidos, 4175);
        QCOMPARE(r.invalidas, 0);
        r = intercambio::importa(j.ruta(), c.archivo(QStringLiteral("h.csv")));
        QCOMPARE(r.anadidos, 1);
        QCOMPARE(r.yaEstaban, 4175);
        QCOMPARE(j.lee(QStringLiteral("numeros.dat")), original);
    }
};

QTEST_APPLESS_MAIN(TstIntercambio)
#include "tst_intercambio.moc"
