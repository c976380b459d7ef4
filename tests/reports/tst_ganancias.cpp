// What a syndicate won and spent in euros, and each member's part, from hand-made draws and
// amounts and from the real history.
#include "apoyo/carpetaprueba.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "reports/ganancias.h"
#include "reports/listado.h"

#include <QTest>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace {
QString u(const char *t)
{
    return QString::fromUtf8(t);
}

const QDate kJueves(2026, 1, 8);
const QDate kSabado(2026, 1, 10);
const QDate kLunes(2026, 1, 12);
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

Pena sencilla(const QString &dias, const QDate &desde, std::vector<std::array<int, 6>> apuestas)
{
    Pena p = penaDe(QStringLiteral("PRUEBA"), dias, desde);
    p.tipo = static_cast<qint16>(apuestas.size());
    for (size_t b = 0; b < apuestas.size(); ++b)
        for (int i = 0; i < 6; ++i)
            p.numero(static_cast<int>(b) + 1, i + 1) = static_cast<qint16>(apuestas[b][size_t(i)]);
    return p;
}

Pena multiple(int codigo, const std::vector<int> &numeros, const QString &dias, const QDate &desde)
{
    Pena p = penaDe(QStringLiteral("MULTIPLE"), dias, desde);
    p.tipo = static_cast<qint16>(codigo);
    for (size_t i = 0; i < numeros.size(); ++i)
        p.numero(1, static_cast<int>(i) + 1) = static_cast<qint16>(numeros[i]);
    return p;
}

// Amounts of a draw: Especial, 1ª ... 5ª in cents (-1 unknown).
ImportesSorteo importesDe(const QDate &dia, std::array<qint64, 6> centimos)
{
    ImportesSorteo r;
    r.fecha = fechas::serial(dia);
    r.centimos = centimos;
    return r;
}

// An ArchivoImportes holding these amounts (written to a throw-away folder and read back, the
// way the program gets them).
struct Importes {
    CarpetaPrueba carpeta;
    ArchivoImportes archivo;
    explicit Importes(const std::vector<ImportesSorteo> &registros)
        : archivo(importes::rutaArchivo(carpeta.ruta()))
    {
        carpeta.escribe(QStringLiteral("premios.dat"), ArchivoImportes::serializa(registros));
        archivo.abre();
    }
};

constexpr std::array<qint64, 6> kTodos = {100000000000, 500000000, 10000000, 300000, 7000, 800};
} // namespace

class TstGanancias : public QObject {
    Q_OBJECT
private slots:
    void eurosEscritosALaEspanola_data()
    {
        QTest::addColumn<qint64>("centimos");
        QTest::addColumn<QString>("texto");
        QTest::newRow("cero") << qint64(0) << u("0,00 €");
        QTest::newRow("céntimos") << qint64(5) << u("0,05 €");
        QTest::newRow("sin miles") << qint64(99999) << u("999,99 €");
        QTest::newRow("miles") << qint64(123456) << u("1.234,56 €");
        QTest::newRow("millones") << qint64(123456789012) << u("1.234.567.890,12 €");
        QTest::newRow("negativo") << qint64(-76544) << u("−765,44 €");
        QTest::newRow("el menor") << std::numeric_limits<qint64>::min()
                                  << u("−92.233.720.368.547.758,08 €");
    }
    void eurosEscritosALaEspanola()
    {
        QFETCH(qint64, centimos);
        QFETCH(QString, texto);
        QCOMPARE(ganancias::textoEuros(centimos), texto);
    }

    void repartoPorParticipaciones_data()
    {
        QTest::addColumn<qint64>("total");
        QTest::addColumn<QList<int>>("partes");
        QTest::addColumn<QList<qint64>>("esperado");
        QTest::newRow("1, 1, 2 de 100,01")
            << qint64(10001) << QList<int>{1, 1, 2} << QList<qint64>{2501, 2500, 5000};
        QTest::newRow("el resto a los primeros")
            << qint64(100) << QList<int>{1, 1, 1} << QList<qint64>{34, 33, 33};
        QTest::newRow("negativo") << qint64(-10001) << QList<int>{1, 1, 2}
                                  << QList<qint64>{-2501, -2500, -5000};
        QTest::newRow("sin participaciones")
            << qint64(500) << QList<int>{0, 0} << QList<qint64>{0, 0};
        QTest::newRow("un socio") << qint64(777) << QList<int>{3} << QList<qint64>{777};
        QTest::newRow("sin socios") << qint64(777) << QList<int>{} << QList<qint64>{};
    }
    void repartoPorParticipaciones()
    {
        QFETCH(qint64, total);
        QFETCH(QList<int>, partes);
        QFETCH(QList<qint64>, esperado);
        const std::vector<qint64> r =
            ganancias::reparte(total, std::vector<int>(partes.begin(), partes.end()));
        QCOMPARE(QList<qint64>(r.begin(), r.end()), esperado);
    }

    // Whatever the amount and the shares, the parts add up to it and differ from the exact
    // share by less than a cent (no overflow near the largest amounts either).
    void lasPartesSumanElTotal()
    {
        const std::vector<qint64> totales = {1,         99,         10001,
                                             123456789, -987654321, ImportesSorteo::kMaximo * 462};
        const std::vector<std::vector<int>> repartos = {
            {1, 1, 2}, {7, 3}, {9999, 1, 1, 9999}, std::vector<int>(100, 9999), {1, 2, 3, 4, 5}};
        for (qint64 total : totales)
            for (const std::vector<int> &p : repartos) {
                const std::vector<qint64> r = ganancias::reparte(total, p);
                qint64 suma = 0;
                double partes = 0;
                for (int x : p)
                    partes += x;
                for (size_t i = 0; i < r.size(); ++i) {
                    suma += r[i];
                    const long double exacta = static_cast<long double>(total) * p[i] / partes;
                    QVERIFY2(std::fabs(static_cast<double>(static_cast<long double>(r[i]) -
                                                           exacta)) < 1.0 + 1e-6,
                             qPrintable(QStringLiteral("%1 / %2").arg(total).arg(i)));
                }
                QCOMPARE(suma, total);
            }
    }

    // 5 + complementary in one draw and 3 hits in another: the two amounts, and the stake of
    // every draw played (not the one before the creation, nor the Saturday).
    void sencillaConCincoMasComplementarioYTres()
    {
        const Pena p = sencilla(u("Jueves"), kJueves, {{1, 2, 3, 4, 5, 6}});
        const std::vector<Sorteo> sorteos = {
            sorteo(kJueves.addDays(-7), {1, 2, 3, 4, 5, 6}, 7, 0), // before it was made
            sorteo(kJueves, {1, 2, 3, 4, 5, 40}, 6, 1),            // 5 + C
            sorteo(kSabado, {1, 2, 3, 4, 5, 6}, 7, 1),             // not its day
            sorteo(kJueves2, {1, 2, 3, 30, 31, 32}, 6, 1),         // 3
        };
        const Importes i({importesDe(kJueves, {-1, -1, 12345678, 300000, 7000, 800}),
                          importesDe(kJueves2, {-1, -1, -1, -1, -1, 800})});
        const ganancias::Historia h(sorteos, i.archivo);
        const ganancias::Ganancias g = ganancias::calcula(h, p, 100, -1, true);
        QCOMPARE(g.jugados, 2);
        QCOMPARE(g.premios, qint64(12345678 + 800));
        QCOMPARE(g.gasto, qint64(200));
        // 123.456,78 € in 2026: 20 % of what passes the 40.000 € exempt is withheld.
        QCOMPARE(g.retencion, qint64(1669136));
        QCOMPARE(g.balance(), qint64(12345678 + 800 - 1669136 - 200));
        QCOMPARE(g.desconocidos, 0);
        QCOMPARE(g.premiadas, (std::array<qint64, 6>{0, 0, 1, 0, 0, 1}));
        QCOMPARE(g.detalle.size(), size_t(2));
        QCOMPARE(g.detalle[0].premio, qint64(12345678));
        QCOMPARE(g.detalle[1].premiadas, (std::array<int, 6>{0, 0, 0, 0, 0, 1}));
    }

    // Six, five (without the complementary), four and three hits of a reduced-like set of bets
    // in one draw: each bet in its own category.
    void cadaApuestaEnSuCategoria()
    {
        const Pena p = sencilla(u("Jueves y Sábado"), kJueves,
                                {{1, 2, 3, 4, 5, 6},
                                 {1, 2, 3, 4, 5, 20},
                                 {1, 2, 3, 4, 20, 21},
                                 {1, 2, 3, 20, 21, 22},
                                 {1, 2, 20, 21, 22, 23},
                                 {1, 2, 3, 4, 5, 5}}); // a bet that cannot be checked
        const std::vector<Sorteo> sorteos = {sorteo(kSabado, {1, 2, 3, 4, 5, 6}, 30, 4)};
        const Importes i({importesDe(kSabado, kTodos)});
        const ganancias::Ganancias g =
            ganancias::calcula(ganancias::Historia(sorteos, i.archivo), p, 100, -1);
        QCOMPARE(g.premiadas, (std::array<qint64, 6>{0, 1, 0, 1, 1, 1}));
        QCOMPARE(g.premios, kTodos[1] + kTodos[3] + kTodos[4] + kTodos[5]);
        QCOMPARE(g.gasto, qint64(600));
    }

    // A multiple of 8 with 5 hits (the complementary not among its numbers): 3 bets of 3ª,
    // 15 of 4ª and 10 of 5ª; with the complementary, one of the five-hit bets is 2ª.
    void multipleDeOchoConCincoAciertos()
    {
        const Pena p = multiple(502, {1, 2, 3, 4, 5, 10, 11, 12}, u("Jueves"), kJueves);
        const Importes i({importesDe(kJueves, kTodos), importesDe(kJueves2, kTodos)});
        const std::vector<Sorteo> sorteos = {sorteo(kJueves, {1, 2, 3, 4, 5, 40}, 41, 0),
                                             sorteo(kJueves2, {1, 2, 3, 4, 5, 40}, 12, 0)};
        const ganancias::Historia h(sorteos, i.archivo);
        const ganancias::Ganancias g = ganancias::calcula(h, p, 100, -1, true);
        QCOMPARE(g.detalle[0].premiadas, (std::array<int, 6>{0, 0, 0, 3, 15, 10}));
        QCOMPARE(g.detalle[0].premio, 3 * kTodos[3] + 15 * kTodos[4] + 10 * kTodos[5]);
        QCOMPARE(g.detalle[1].premiadas, (std::array<int, 6>{0, 0, 1, 2, 15, 10}));
        // 28 bets a draw.
        QCOMPARE(g.gasto, qint64(2 * 28 * 100));
    }

    // The refund digit of the slip: each bet gets its price back, and a 6 with the refund is
    // the special category, not the first.
    void reintegroDelBoleto()
    {
        const Pena p =
            sencilla(u("Jueves"), kJueves, {{1, 2, 3, 4, 5, 6}, {10, 11, 12, 13, 14, 15}});
        const std::vector<Sorteo> sorteos = {sorteo(kJueves, {1, 2, 3, 4, 5, 6}, 7, 4),
                                             sorteo(kJueves2, {20, 21, 22, 23, 24, 25}, 26, 9)};
        const Importes i({importesDe(kJueves, kTodos), importesDe(kJueves2, kTodos)});
        const ganancias::Historia h(sorteos, i.archivo);

        const ganancias::Ganancias sin = ganancias::calcula(h, p, 150, -1, true);
        QCOMPARE(sin.premiadas, (std::array<qint64, 6>{0, 1, 0, 0, 0, 0}));
        QCOMPARE(sin.premios, kTodos[1]);
        QCOMPARE(sin.reintegros, qint64(0));

        const ganancias::Ganancias cuatro = ganancias::calcula(h, p, 150, 4, true);
        QCOMPARE(cuatro.premiadas, (std::array<qint64, 6>{1, 0, 0, 0, 0, 0}));
        QCOMPARE(cuatro.reintegros, qint64(2));
        QCOMPARE(cuatro.premios, kTodos[0] + 2 * 150);

        // Only the draw whose refund matches, and nothing else won there.
        const ganancias::Ganancias nueve = ganancias::calcula(h, p, 150, 9, true);
        QCOMPARE(nueve.detalle[1].reintegros, 2);
        QCOMPARE(nueve.detalle[1].premio, qint64(300));
        QCOMPARE(nueve.premios, kTodos[1] + 300);

        // A multiple gets the price of every bet it stands for.
        const Pena m = multiple(501, {30, 31, 32, 33, 34, 35, 36}, u("Jueves"), kJueves);
        QCOMPARE(ganancias::calcula(h, m, 100, 9).premios, qint64(7 * 100));

        // Before refunds were drawn the archive holds 0, which is no refund.
        const QDate antiguo(1990, 1, 4);
        const Pena vieja = sencilla(u("Jueves"), antiguo, {{10, 11, 12, 13, 14, 15}});
        const ArchivoImportes ninguno;
        const ganancias::Historia h90({sorteo(antiguo, {1, 2, 3, 4, 5, 6}, 7, 0)}, ninguno);
        QCOMPARE(ganancias::calcula(h90, vieja, 100, 0).premios, qint64(0));
    }

    // A prize with no amount for it is counted as pending and makes the figures provisional;
    // what is known still counts; a draw without a prize needs no amount.
    void importesDesconocidosNoCuentan()
    {
        const Pena p = sencilla(u("Todos los días"), kJueves, {{1, 2, 3, 4, 5, 6}});
        const std::vector<Sorteo> sorteos = {
            sorteo(kJueves, {1, 2, 3, 30, 31, 32}, 40, 0),    // 3, no record
            sorteo(kSabado, {1, 2, 3, 4, 30, 31}, 40, 0),     // 4, amount unknown
            sorteo(kLunes, {1, 2, 3, 30, 31, 32}, 40, 0),     // 3, known
            sorteo(kJueves2, {20, 21, 22, 23, 24, 25}, 40, 0) // nothing, no record
        };
        const Importes i({importesDe(kSabado, {-1, -1, -1, -1, -1, 800}),
                          importesDe(kLunes, {-1, -1, -1, -1, -1, 800})});
        const ganancias::Ganancias g =
            ganancias::calcula(ganancias::Historia(sorteos, i.archivo), p, 100, -1, true);
        QCOMPARE(g.jugados, 4);
        QCOMPARE(g.desconocidos, 2);
        QCOMPARE(g.pendientes, 2);
        QVERIFY(g.provisional());
        QCOMPARE(g.premios, qint64(800));
        QCOMPARE(g.gasto, qint64(400));
        QVERIFY(g.detalle[0].desconocido && g.detalle[1].desconocido);
        QVERIFY(!g.detalle[3].desconocido);
        QVERIFY(ganancias::aCsv({{p.nombreTexto(), g}}).contains(";pendiente;"));

        // The refund is the bet's price back, known even when a prize of the draw is not.
        const ganancias::Ganancias r =
            ganancias::calcula(ganancias::Historia({sorteos[1]}, i.archivo), p, 100, 0, true);
        QCOMPARE(r.pendientes, 1);
        QCOMPARE(r.premios, qint64(100));
    }

    // The Joker numbers of the slip: each staked at 1 € a draw once the Joker exists, each won
    // at its best category, from the Joker's breakdown; the refund of its price is always
    // known; a category without its amount is pending; a draw without a Joker gives none.
    void jokerDeLosBoletos()
    {
        const Pena p = sencilla(u("Jueves"), QDate(2012, 9, 1), {{40, 41, 42, 43, 44, 45}});
        Sorteo antes = sorteo(QDate(2012, 9, 20), {1, 2, 3, 4, 5, 6}, 7, 1); // before the Joker
        Sorteo conJoker = sorteo(kJueves, {1, 2, 3, 4, 5, 6}, 7, 1);
        conJoker.joker = 8337021;
        Sorteo sinFiguras = sorteo(kJueves2, {1, 2, 3, 4, 5, 6}, 7, 1);
        sinFiguras.joker = 8337021;
        Sorteo sinJoker = sorteo(QDate(2026, 1, 22), {1, 2, 3, 4, 5, 6}, 7, 1);
        CarpetaPrueba c;
        GanadoresSorteo g;
        g.fecha = fechas::serial(kJueves);
        g.centimosJoker = {100000000, 10000000, 1000000, 100000, 10000, 1000};
        c.escribe(QStringLiteral("ganadores.dat"), ArchivoGanadores::serializa({g}));
        ArchivoGanadores figuras(importes::rutaGanadores(c.ruta()));
        QCOMPARE(figuras.abre(), Escritura::Hecha);
        const ArchivoImportes ninguno;
        const ganancias::Historia h({antes, conJoker, sinFiguras, sinJoker}, ninguno, &figuras);
        // The last six digits: 2ª; the last one only: the price back; nothing.
        const std::vector<qint32> jokers{1337021, 5555551, 2222222};
        const ganancias::Ganancias r = ganancias::calcula(h, p, 100, -1, true, jokers);
        QCOMPARE(r.jugados, 4);
        QCOMPARE(r.gasto, qint64(4 * 100 + 3 * 3 * 100));
        QCOMPARE(r.detalle[1].jokers, (std::array<int, 7>{0, 1, 0, 0, 0, 0, 1}));
        QCOMPARE(r.detalle[1].premioJoker, qint64(10000000 + 100));
        QCOMPARE(r.detalle[1].retencion, qint64(1200000)); // 100.000 € in 2026
        QCOMPARE(r.detalle[2].pendientes, 1);
        QCOMPARE(r.detalle[2].premioJoker, qint64(100));
        QCOMPARE(r.detalle[3].premioJoker, qint64(0));
        QCOMPARE(r.premiosJoker, qint64(10000000 + 200));
        QVERIFY(r.provisional());
    }

    // A prize of 100.000 € in 2026 withholds 12.000 €; the members share the net.
    void retencionYPartesDelNeto()
    {
        const Pena p = sencilla(u("Jueves"), kJueves, {{1, 2, 3, 4, 5, 6}});
        const Importes i({importesDe(kJueves, {-1, -1, -1, 10000000, -1, -1})});
        const ganancias::Ganancias g = ganancias::calcula(
            ganancias::Historia({sorteo(kJueves, {1, 2, 3, 4, 5, 40}, 7, 1)}, i.archivo), p, 100,
            -1);
        QCOMPARE(g.premios, qint64(10000000));
        QCOMPARE(g.retencion, qint64(1200000));
        QCOMPARE(g.neto(), qint64(8800000));
        SociosPena s;
        s.socios = {{u("Ana"), 1}, {u("Luis"), 3}};
        const auto partes = ganancias::partes(s, g);
        QCOMPARE(partes[0].premios, qint64(2200000));
        QCOMPARE(partes[1].premios, qint64(6600000));
    }

    // Every syndicate together, and a member of two syndicates with the sum of both parts.
    void todasLasPenasYSociosDeVarias()
    {
        SociosPena a;
        a.socios = {{u("Ana"), 1}, {u("Luis"), 1}};
        SociosPena b;
        b.socios = {{u("Luis"), 2}, {u("Marta"), 2}};
        ganancias::Ganancias ga;
        ga.premios = 1001;
        ga.gasto = 200;
        ganancias::Ganancias gb;
        gb.premios = 400;
        gb.gasto = 100;
        const auto juntas = ganancias::junta({ganancias::partes(a, ga), ganancias::partes(b, gb)});
        QCOMPARE(juntas.size(), size_t(3));
        QCOMPARE(juntas[0].nombre, u("Ana"));
        QCOMPARE(juntas[0].premios, qint64(501));
        QCOMPARE(juntas[1].nombre, u("Luis"));
        QCOMPARE(juntas[1].participaciones, qint64(3));
        QCOMPARE(juntas[1].premios, qint64(500 + 200));
        QCOMPARE(juntas[1].gasto, qint64(100 + 50));
        QCOMPARE(juntas[2].balance(), qint64(200 - 50));
        ganancias::Ganancias total = ga;
        total += gb;
        QCOMPARE(total.premios, qint64(1401));
        QCOMPARE(total.balance(), qint64(1101));
    }

    void hojaDeCalculo()
    {
        ganancias::Ganancias g;
        ganancias::Jugada j;
        j.fecha = fechas::serial(kJueves);
        j.premiadas = {0, 0, 1, 0, 0, 2};
        j.premio = 123456;
        j.gasto = 300;
        g.detalle = {j};
        const QByteArray bytes = ganancias::aCsv({{u("LA; PEÑA    "), g}});
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList lineas = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
        QCOMPARE(lineas.value(0), u("Peña;Fecha;Especial;1ª;2ª;3ª;4ª;5ª;Reintegros;Premios brutos "
                                    "(euros);Retención (euros);Premios netos (euros);Jugado "
                                    "(euros)"));
        QCOMPARE(lineas.value(1),
                 u("\"LA; PEÑA\";08/01/2026;0;0;1;0;0;2;0;1234,56;0,00;1234,56;3,00"));
    }

    // The spreadsheet writes its dates and amounts itself: every date reads as the program's
    // short date, from the first four-digit year to the last, leap days and dates that are no
    // date included, and negative amounts keep their sign.
    void hojaDeCalculoFechasEImportes()
    {
        ganancias::Ganancias g;
        std::vector<double> fechas = {0,  -3,    0.5,   1,       2,       60,
                                      61, 36584, 36585, 2958465, 2958466, std::nan("")};
        for (double f = 1.25; f < 2958466; f += 997)
            fechas.push_back(f);
        for (size_t i = 0; i < fechas.size(); ++i) {
            ganancias::Jugada j;
            j.fecha = fechas[i];
            j.premio = -qint64(i * i * 7919) % 100007;
            j.retencion = 5;
            j.gasto = qint64(i * 101);
            g.detalle.push_back(j);
        }
        const QStringList lineas =
            QString::fromUtf8(ganancias::aCsv({{u("P"), g}}).mid(3)).split(QStringLiteral("\r\n"));
        QCOMPARE(lineas.size(), int(fechas.size()) + 2);
        for (size_t i = 0; i < fechas.size(); ++i) {
            const QStringList campos = lineas[int(i) + 1].split(QLatin1Char(';'));
            const ganancias::Jugada &j = g.detalle[i];
            QCOMPARE(campos.value(1), ::fechas::textoCorto(j.fecha));
            QCOMPARE(campos.value(9), ganancias::textoCsv(j.premio));
            QCOMPARE(campos.value(11), ganancias::textoCsv(j.neto()));
            QCOMPARE(campos.value(12), ganancias::textoCsv(j.gasto));
        }
    }

    // The real history: a syndicate playing every draw day since 2000 pays for the draws the
    // manager counts as played, and with no amounts downloaded every draw it won is unknown.
    void historicoReal()
    {
        const QString ruta = CarpetaPrueba::historicoReal();
        if (ruta.isEmpty())
            QSKIP("no real history here");
        ArchivoSorteos archivo(ruta);
        archivo.abre();
        QCOMPARE(archivo.cuenta(), 4176);
        const Pena p = sencilla(u("Todos los días"), QDate(2000, 1, 1),
                                {{8, 12, 21, 23, 27, 47}, {3, 11, 13, 15, 34, 35}});
        const ArchivoImportes vacio;
        const ganancias::Historia sinImportes(archivo.sorteos(), vacio);
        const ganancias::Ganancias g = ganancias::calcula(sinImportes, p, 100, -1, true);
        const int jugados = listado::sorteosJugados(p, archivo.sorteos());
        QVERIFY(jugados > 2500);
        QCOMPARE(g.jugados, jugados);
        QCOMPARE(g.gasto, qint64(jugados) * 2 * 100);
        QCOMPARE(g.premios, qint64(0));
        int conPremio = 0;
        for (const ganancias::Jugada &j : g.detalle)
            conPremio += std::accumulate(j.premiadas.begin(), j.premiadas.end(), 0) > 0;
        QVERIFY(conPremio > 0);
        QCOMPARE(g.desconocidos, conPremio);

        // 18/12/2025: 8 12 21 23 27 43, complementary 47, refund 2. The first bet has 5 + C.
        const QDate dia(2025, 12, 18);
        const Importes i({importesDe(dia, {-1, -1, 6543210, 300000, 7000, 800})});
        const ganancias::Historia conImportes(archivo.sorteos(), i.archivo);
        const ganancias::Ganancias con = ganancias::calcula(conImportes, p, 100, 2, true);
        const auto jugada =
            std::find_if(con.detalle.begin(), con.detalle.end(), [&](const ganancias::Jugada &j) {
                return j.fecha == fechas::serial(dia);
            });
        QVERIFY(jugada != con.detalle.end());
        QCOMPARE(jugada->premiadas, (std::array<int, 6>{0, 0, 1, 0, 0, 0}));
        QVERIFY(!jugada->desconocido);
        QCOMPARE(jugada->premio, qint64(6543210 + 2 * 100));
        QCOMPARE(con.desconocidos, conPremio - 1);
    }
};

QTEST_APPLESS_MAIN(TstGanancias)
#include "tst_ganancias.moc"
