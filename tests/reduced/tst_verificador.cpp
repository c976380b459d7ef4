#include "reduced/generador.h"
#include "reduced/verificador.h"

#include <QTest>
#include <algorithm>
#include <set>

using Tabla = std::vector<std::array<int, 6>>;
Q_DECLARE_METATYPE(Tabla)

namespace {

// Every six-number combination of 1..n, as the full system (multiple bet) plays them.
Tabla sistemaCompleto(int n)
{
    Tabla t;
    std::array<int, 6> a{};
    for (a[0] = 1; a[0] <= n; ++a[0])
        for (a[1] = a[0] + 1; a[1] <= n; ++a[1])
            for (a[2] = a[1] + 1; a[2] <= n; ++a[2])
                for (a[3] = a[2] + 1; a[3] <= n; ++a[3])
                    for (a[4] = a[3] + 1; a[4] <= n; ++a[4])
                        for (a[5] = a[4] + 1; a[5] <= n; ++a[5])
                            t.push_back(a);
    return t;
}

// The guarantee counted the slow, obvious way, with sets of numbers and no bit tricks.
int garantiaLenta(int n, const Tabla &tabla)
{
    int minimo = 6;
    for (const auto &w : sistemaCompleto(n)) {
        const std::set<int> ganadores(w.begin(), w.end());
        int mejor = 0;
        for (const auto &a : tabla) {
            int aciertos = 0;
            for (int x : a)
                aciertos += int(ganadores.count(x));
            mejor = std::max(mejor, aciertos);
        }
        minimo = std::min(minimo, mejor);
    }
    return tabla.empty() ? 0 : minimo;
}

// Ten numbers, any six of them share five with one of these fourteen bets (the best size known).
const Tabla diezAlCinco = {{1, 2, 3, 4, 5, 7},  {1, 2, 3, 5, 9, 10}, {1, 2, 3, 7, 8, 9},
                           {1, 2, 5, 6, 8, 10}, {1, 3, 4, 5, 6, 9},  {1, 3, 4, 6, 7, 8},
                           {1, 3, 4, 8, 9, 10}, {1, 4, 5, 7, 8, 10}, {1, 5, 6, 7, 9, 10},
                           {2, 3, 4, 6, 8, 10}, {2, 3, 5, 6, 7, 10}, {2, 4, 5, 6, 8, 9},
                           {2, 4, 6, 7, 9, 10}, {3, 5, 7, 8, 9, 10}};

} // namespace

class TstVerificador : public QObject {
    Q_OBJECT
private slots:
    void sistemasCompletosYUnaApuesta()
    {
        for (int n = 6; n <= 9; ++n)
            QCOMPARE(verificador::garantia(n, sistemaCompleto(n)), 6);
        // One bet over n numbers: the six drawn share at least 12 - n with it.
        const Tabla una = {{1, 2, 3, 4, 5, 6}};
        QCOMPARE(verificador::garantia(7, una), 5);
        QCOMPARE(verificador::garantia(8, una), 4);
        QCOMPARE(verificador::garantia(9, una), 3);
        QCOMPARE(verificador::garantia(12, una), 0);
        QCOMPARE(verificador::garantia(12, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}), 3);
        QCOMPARE(verificador::garantia(10, {}), 0);
    }

    void tablaConocidaYCadaApuestaQuitada()
    {
        QCOMPARE(verificador::garantia(10, diezAlCinco), 5);
        QCOMPARE(verificador::sinCubrir(10, 5, diezAlCinco), 0LL);
        // Fourteen is the smallest known size, so every bet is needed: without any one of them
        // some draw of six gets only four from the table.
        for (std::size_t i = 0; i < diezAlCinco.size(); ++i) {
            Tabla rota = diezAlCinco;
            rota.erase(rota.begin() + std::ptrdiff_t(i));
            QCOMPARE(verificador::garantia(10, rota), 4);
            QVERIFY(verificador::sinCubrir(10, 5, rota) > 0);
            QCOMPARE(verificador::sinCubrir(10, 4, rota), 0LL);
        }
        // The same table read as if it were for eleven numbers leaves 11 out of every bet.
        QVERIFY(verificador::garantia(11, diezAlCinco) < 5);
    }

    void tablaNoValida_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<Tabla>("tabla");
        QTest::newRow("índice 0") << 10 << Tabla{{0, 2, 3, 4, 5, 6}};
        QTest::newRow("índice mayor que n") << 10 << Tabla{{1, 2, 3, 4, 5, 11}};
        QTest::newRow("índice repetido") << 10 << Tabla{{1, 2, 3, 4, 5, 6}, {1, 1, 2, 3, 4, 5}};
        QTest::newRow("negativo") << 10 << Tabla{{-1, 2, 3, 4, 5, 6}};
        QTest::newRow("n menor que 6") << 5 << Tabla{{1, 2, 3, 4, 5, 6}};
        QTest::newRow("n enorme") << 40 << Tabla{{1, 2, 3, 4, 5, 6}};
        QTest::newRow("índice 32") << 31 << Tabla{{1, 2, 3, 4, 5, 32}};
    }
    void tablaNoValida()
    {
        QFETCH(int, n);
        QFETCH(Tabla, tabla);
        QCOMPARE(verificador::garantia(n, tabla), -1);
        QCOMPARE(verificador::sinCubrir(n, 3, tabla), -1LL);
    }

    void mascaraDeUnaApuesta()
    {
        QCOMPARE(verificador::mascara(20, {1, 2, 3, 4, 5, 20}), 0x8001Fu);
        QCOMPARE(verificador::mascara(20, {6, 5, 4, 3, 2, 1}), 0x3Fu); // order does not matter
        QCOMPARE(verificador::mascara(19, {1, 2, 3, 4, 5, 20}), 0u);
    }

    // The bit-mask count against the plain one on many pseudo-random tables.
    void coincideConElRecuentoLento()
    {
        std::uint32_t estado = 12345;
        auto azar = [&](int tope) {
            estado = estado * 1103515245u + 12345u;
            return int((estado >> 16) % std::uint32_t(tope));
        };
        for (int vuelta = 0; vuelta < 60; ++vuelta) {
            const int n = 6 + azar(7);
            const auto todas = sistemaCompleto(n);
            Tabla tabla;
            for (int k = 1 + azar(12); k > 0; --k)
                tabla.push_back(todas[std::size_t(azar(int(todas.size())))]);
            QCOMPARE(verificador::garantia(n, tabla), garantiaLenta(n, tabla));
        }
    }

    // The greedy table and the search both keep the guarantee, and the search is repeatable.
    void generadorDeterminista()
    {
        for (auto [n, g] : {std::pair{8, 5}, {11, 4}, {12, 3}, {13, 5}}) {
            const auto voraz = generador::voraz(n, g);
            QVERIFY(verificador::garantia(n, voraz) >= g);
            QCOMPARE(generador::voraz(n, g), voraz);
        }
        generador::Recocido aj;
        aj.pasos = 20'000;
        aj.semilla = 7;
        const auto voraz = generador::voraz(11, 5);
        const auto una = generador::reduce(11, 5, voraz, aj);
        QVERIFY(una.size() < voraz.size());
        QVERIFY(verificador::garantia(11, una) >= 5);
        QCOMPARE(generador::reduce(11, 5, voraz, aj), una);
        // A table that does not hold is refused, not silently "reduced".
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                 generador::reduce(11, 5, {{1, 2, 3, 4, 5, 6}}, aj));
    }
};

QTEST_GUILESS_MAIN(TstVerificador)
#include "tst_verificador.moc"
