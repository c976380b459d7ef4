// The rules of the game the program relies on: the draw days and moment, the categories, the
// Joker and the tax, and the draw of a syndicate's creation day wherever draws are counted.
#include "apoyo/carpetaprueba.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "archive/importes.h"
#include "archive/juego.h"
#include "reports/ganancias.h"
#include "session/recuento.h"
#include "syndicates/pena.h"

#include <QtTest>
#include <bit>
#include <random>

namespace {
const QDate kJueves(2025, 1, 2);

double momento(const QDate &dia, const QTime &hora)
{
    return fechas::serial(dia) + hora.msecsSinceStartOfDay() / 86400000.0;
}
} // namespace

class TstJuego : public QObject {
    Q_OBJECT

private slots:
    void diasDeSorteoPorFecha()
    {
        const auto dias = [](const QDate &d) { return juego::diasDeSorteo(fechas::serial(d)); };
        QCOMPARE(dias(QDate(1985, 10, 17)), fechas::kJueves);
        QCOMPARE(dias(QDate(1990, 5, 19)), fechas::kJueves | fechas::kSabado);
        QCOMPARE(dias(QDate(2022, 7, 10)), fechas::kJueves | fechas::kSabado);
        QCOMPARE(dias(QDate(2022, 7, 11)), fechas::kJueves | fechas::kSabado | fechas::kLunes);
        // The real history has no draw on a day the rule does not name.
        const QString real = CarpetaPrueba::historicoReal();
        if (real.isEmpty())
            return;
        ArchivoSorteos a(real);
        a.abre();
        for (const Sorteo &s : a.sorteos())
            QVERIFY2(fechas::bitDia(s.fecha) & juego::diasDeSorteo(s.fecha),
                     qPrintable(fechas::textoCorto(s.fecha)));
    }

    // A syndicate made on a draw day's morning plays that evening's draw; one made after the
    // draw does not, in the played-draw test, the played-draw count and the money alike.
    void sorteoDelDiaDeCreacion()
    {
        const double dia = fechas::serial(kJueves);
        Sorteo s = sorteoDe(kJueves);
        for (const auto &[hora, juega] :
             {std::pair{QTime(10, 0), true}, std::pair{QTime(21, 30), true},
              std::pair{QTime(23, 0), false}}) {
            Pena p = penaDe(QStringLiteral("P"), QStringLiteral("Jueves"), kJueves);
            p.creacion = momento(kJueves, hora);
            QCOMPARE(p.juega(dia), juega);
            QCOMPARE(sorteosjugados({s}, {p}), juega ? 1 : 0);
            const ArchivoImportes ninguno;
            QCOMPARE(ganancias::calcula(ganancias::Historia({s}, ninguno), p, 100, -1).jugados,
                     juega ? 1 : 0);
        }
    }

    void categoriasYContadores()
    {
        QCOMPARE(juego::categoria(6, false, true), juego::kEspecial);
        QCOMPARE(juego::categoria(6, true, false), juego::kPrimera);
        QCOMPARE(juego::categoria(5, true, true), juego::kSegunda);
        QCOMPARE(juego::categoria(5, false, false), juego::kTercera);
        QCOMPARE(juego::categoria(4, true, true), juego::kCuarta);
        QCOMPARE(juego::categoria(3, false, false), juego::kQuinta);
        QCOMPARE(juego::categoria(2, true, true), juego::kNinguna);
        // The counters of apuestas.dat go by hits: 3, 4, 5, 6 and 7 for five plus the
        // complementary, and back.
        for (int c = 3; c <= 7; ++c)
            QCOMPARE(juego::contador(juego::deContador(c)), c);
        QCOMPARE(juego::contador(juego::kEspecial), 6);
    }

    void joker_data()
    {
        QTest::addColumn<qint64>("numero");
        QTest::addColumn<qint64>("sorteo");
        QTest::addColumn<int>("categoria");
        QTest::newRow("todas") << qint64(8337021) << qint64(8337021) << 0;
        QTest::newRow("seis últimas") << qint64(1337021) << qint64(8337021) << 1;
        QTest::newRow("seis primeras") << qint64(8337029) << qint64(8337021) << 1;
        QTest::newRow("ceros delante") << qint64(559707) << qint64(559700) << 1;
        QTest::newRow("dos últimas") << qint64(1111121) << qint64(8337021) << 5;
        QTest::newRow("la mejor de las dos") << qint64(8337121) << qint64(8337021) << 3;
        QTest::newRow("la primera") << qint64(8000000) << qint64(8337021) << 6;
        QTest::newRow("la última") << qint64(1111111) << qint64(8337021) << 6;
        QTest::newRow("ninguna") << qint64(1111112) << qint64(8337021) << -1;
        QTest::newRow("sorteo sin Joker") << qint64(0) << qint64(0) << -1;
    }
    void joker()
    {
        QFETCH(qint64, numero);
        QFETCH(qint64, sorteo);
        QFETCH(int, categoria);
        QCOMPARE(juego::categoriaJoker(numero, sorteo), categoria);
    }

    // The classifier of many bets puts each bet in the category its hits, the complementary
    // and the slip's refund give it; a bet that cannot be checked (mask 0) wins nothing.
    void clasificaComoCadaApuesta()
    {
        std::mt19937 azar(49);
        const auto bit = [](int n) { return quint64(1) << n; };
        for (int vez = 0; vez < 300; ++vez) {
            quint64 ganadores = 0;
            std::vector<int> suyos;
            while (suyos.size() < 6) {
                const int n = 1 + int(azar() % 49);
                if (!(ganadores & bit(n)))
                    suyos.push_back(n);
                ganadores |= bit(n);
            }
            quint64 complementario = 0;
            while (!complementario || (complementario & ganadores))
                complementario = bit(1 + int(azar() % 49));
            // Bets drawn half from the winning numbers, the draw itself, and five of it with
            // the complementary.
            std::vector<quint64> apuestas = {ganadores, 0,
                                             (ganadores & ~bit(suyos[0])) | complementario};
            for (int k = 0; k < 200; ++k) {
                quint64 m = 0;
                while (std::popcount(m) < 6)
                    m |= bit(azar() % 2 ? suyos[azar() % 6] : 1 + int(azar() % 49));
                apuestas.push_back(m);
            }
            for (const bool reintegro : {false, true}) {
                std::array<int, juego::kCategorias> esperado{};
                std::array<int, juego::kCategorias> contado{};
                for (quint64 m : apuestas) {
                    const juego::Categoria c = juego::categoria(
                        std::popcount(m & ganadores), (m & complementario) != 0, reintegro);
                    if (c != juego::kNinguna)
                        ++esperado[size_t(c)];
                }
                juego::clasifica(apuestas.data(), apuestas.size(), ganadores, complementario,
                                 reintegro, contado.data());
                QCOMPARE(contado, esperado);
                QCOMPARE(juego::aciertos(apuestas[2], ganadores), 5);
            }
        }
    }

    void retencionPorFecha()
    {
        const auto r = [](qint64 centimos, const QDate &d) {
            return juego::retencion(centimos, fechas::serial(d));
        };
        QCOMPARE(r(10000000, QDate(2012, 12, 31)), qint64(0));
        QCOMPARE(r(10000000, QDate(2013, 1, 1)), qint64(1950000));
        QCOMPARE(r(250000, QDate(2013, 1, 1)), qint64(0));
        QCOMPARE(r(10000000, QDate(2018, 7, 4)), qint64(1950000));
        QCOMPARE(r(10000000, QDate(2018, 7, 5)), qint64(1800000));
        QCOMPARE(r(10000000, QDate(2019, 1, 1)), qint64(1600000));
        QCOMPARE(r(10000000, QDate(2026, 3, 5)), qint64(1200000));
        QCOMPARE(r(4000000, QDate(2026, 3, 5)), qint64(0));
        QCOMPARE(r(4000001, QDate(2026, 3, 5)), qint64(0));
        QCOMPARE(r(4000003, QDate(2026, 3, 5)), qint64(1));
    }
};

QTEST_MAIN(TstJuego)
#include "tst_juego.moc"
