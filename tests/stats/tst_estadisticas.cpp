#include "apoyo/carpetaprueba.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "stats/estadisticas.h"

#include <QFile>
#include <QTest>

namespace {
Sorteo sorteo(const QDate &dia, std::array<qint16, 6> numeros, qint16 comp = 7, qint16 reint = 5)
{
    Sorteo s;
    s.numeros = numeros;
    s.complementario = comp;
    s.reintegro = reint;
    s.fecha = fechas::serial(dia);
    s.joker = 1234567;
    return s;
}

const QDate kJueves(2026, 1, 1);
const QDate kSabado(2026, 1, 3);
const QDate kLunes(2026, 1, 5);

// A filter over a three-month period, which no click on a box may change.
stats::Filtro filtro(bool jueves, bool sabado, bool comparativa, bool todos)
{
    return {jueves, sabado, comparativa, todos, 3};
}
} // namespace

class TstEstadisticas : public QObject {
    Q_OBJECT
private slots:
    void textoDeLaFilaDeUnSorteo()
    {
        QCOMPARE(stats::textoSorteo(sorteo(kJueves, {3, 12, 25, 33, 41, 49}, 7, 5)),
                 QStringLiteral(" 3-12-25-33-41-49  C: 7  R: 5"));
        // A sixth number below 10 takes a third blank before "C:"; a complementary of two
        // digits no blank after it.
        QCOMPARE(stats::textoSorteo(sorteo(kJueves, {1, 2, 3, 4, 5, 6}, 40, 0)),
                 QStringLiteral(" 1- 2- 3- 4- 5-6   C: 40 R: 0"));
    }

    void losDiasQueEntranEnLaSeleccion()
    {
        const std::vector<Sorteo> sorteos = {sorteo(kJueves, {1, 2, 3, 4, 5, 6}),
                                             sorteo(kSabado, {1, 2, 3, 4, 5, 7}),
                                             sorteo(kLunes, {1, 2, 3, 4, 5, 8})};
        auto total = [&](bool j, bool s) { return stats::estadisticas(sorteos, {j, s}, 0).total; };
        QCOMPARE(total(true, true), 3); // the Monday draw only with both boxes
        QCOMPARE(total(true, false), 1);
        QCOMPARE(total(false, true), 1);
        QCOMPARE(total(false, false), 0);

        const stats::Resultado nada = stats::estadisticas(sorteos, {false, false}, 0);
        QVERIFY(nada.filas.empty());
        for (int n = 1; n <= 49; ++n)
            QCOMPARE(nada.cuentas.todos[static_cast<size_t>(n)], 0);
        const auto d = stats::describe(nada, {false, false}, true, 3);
        QCOMPARE(d.dias,
                 QString::fromUtf8("-Ha seleccionado sólo los números de los sorteos del JUEVES."));
        QCOMPARE(d.fila.diasajugar, QStringLiteral("Jueves."));

        const stats::Resultado soloSabado = stats::estadisticas(sorteos, {false, true}, 0);
        QCOMPARE(soloSabado.filas.size(), size_t(1));
        QCOMPARE(soloSabado.filas[0].fecha, QString::fromUtf8("03/01/2026  Sábado"));
        QCOMPARE(soloSabado.filas[0].registro, 2);
        QCOMPARE(soloSabado.cuentas.todos[7], 1);
        QCOMPARE(soloSabado.cuentas.todos[6], 0);
    }

    void laListaVaDelMasNuevoAlMasAntiguoYLasFechasSeGuardan()
    {
        const std::vector<Sorteo> sorteos = {sorteo(kJueves, {1, 2, 3, 4, 5, 6}),
                                             sorteo(kSabado, {1, 2, 3, 4, 5, 7}),
                                             sorteo(kLunes, {1, 2, 3, 4, 5, 8})};
        const stats::Resultado r = stats::estadisticas(sorteos, {true, true}, 0);
        QCOMPARE(r.filas.size(), size_t(3));
        QCOMPARE(r.filas[0].registro, 3);
        QCOMPARE(r.filas[2].registro, 1);
        QCOMPARE(r.filas[0].joker, QStringLiteral("1234567"));
        QCOMPARE(r.masReciente, fechas::serial(kLunes));
        QCOMPARE(r.masAntiguo, fechas::serial(kJueves));
        QCOMPARE(r.cuentas.todos[1], 3);
        QCOMPARE(r.cuentas.jueves[1], 1);
        QCOMPARE(r.cuentas.otros[1], 2);

        // One selected draw: it is both the newest and the oldest.
        const stats::Resultado uno = stats::estadisticas(sorteos, {false, true}, 0, r);
        QCOMPARE(uno.masReciente, fechas::serial(kSabado));
        QCOMPARE(uno.masAntiguo, fechas::serial(kSabado));
        // None selected: the dates of the previous pass stay.
        const stats::Resultado ninguno = stats::estadisticas(sorteos, {false, false}, 0, uno);
        QCOMPARE(ninguno.masReciente, fechas::serial(kSabado));
        QCOMPARE(ninguno.masAntiguo, fechas::serial(kSabado));
    }

    void laFraseEsLaDelSorteoMasNuevoSoloSiEntra()
    {
        const std::vector<Sorteo> sorteos = {sorteo(kJueves, {1, 2, 3, 4, 5, 6}),
                                             sorteo(kSabado, {10, 20, 30, 40, 45, 49}, 9, 1)};
        const stats::Resultado todos = stats::estadisticas(sorteos, {true, true}, 0);
        QVERIFY(todos.hayFrase);
        QCOMPARE(todos.frase, QStringLiteral("10-20-30-40-45-49  C: 9  R: 1"));
        const stats::Resultado jueves = stats::estadisticas(sorteos, {true, false}, 0);
        QVERIFY(jueves.hayFrase);
        QCOMPARE(jueves.frase, QString());
        QVERIFY(!stats::estadisticas({}, {true, true}, 0).hayFrase);
    }

    void elPeriodoDeTresMesesEmpiezaNoventaYUnoYMedioDiasAtras()
    {
        const double hoy = fechas::serial(QDate(2026, 4, 2));
        QCOMPARE(stats::desdePeriodo(hoy, 3), hoy - 91.5);
        QCOMPARE(stats::tituloPeriodo(1), QString::fromUtf8("Último mes"));
        QCOMPARE(stats::tituloPeriodo(2), QString::fromUtf8("Últimos 2 meses"));
        // Draw dates are whole days: 91 days back is inside, 92 outside.
        Sorteo dentro = sorteo(kJueves, {1, 2, 3, 4, 5, 6});
        dentro.fecha = hoy - 91;
        Sorteo fuera = dentro;
        fuera.fecha = hoy - 92;
        const stats::Resultado r =
            stats::estadisticas({fuera, dentro}, {true, true}, stats::desdePeriodo(hoy, 3));
        QCOMPARE(r.total, 1);
        QCOMPARE(r.filas[0].registro, 2);
    }

    void lasCasillasDelFiltro_data()
    {
        QTest::addColumn<stats::Filtro>("antes");
        QTest::addColumn<int>("casilla");
        QTest::addColumn<bool>("marcada");
        QTest::addColumn<stats::Filtro>("despues");
        QTest::newRow("Comparativa marca los dos días")
            << filtro(false, true, false, true) << 2 << true << filtro(true, true, true, true);
        QTest::newRow("sin Comparativa los días siguen marcados")
            << filtro(true, true, true, true) << 2 << false << filtro(true, true, false, true);
        QTest::newRow("con Comparativa la copia del jueves no se desmarca")
            << filtro(true, true, true, true) << 3 << false << filtro(true, true, true, true);
        QTest::newRow("la copia del sábado es el sábado")
            << filtro(true, true, false, true) << 4 << false << filtro(true, false, false, true);
        QTest::newRow("quitar Todos deja el periodo")
            << filtro(true, true, false, true) << 5 << false << filtro(true, true, false, false);
        QTest::newRow("marcar el periodo quita Todos")
            << filtro(true, false, false, true) << 6 << true << filtro(true, false, false, false);
        QTest::newRow("la copia de Todos quita el periodo")
            << filtro(true, true, false, false) << 7 << true << filtro(true, true, false, true);
        QTest::newRow("quitar la copia del periodo vuelve a Todos")
            << filtro(true, true, false, false) << 8 << false << filtro(true, true, false, true);
    }
    void lasCasillasDelFiltro()
    {
        QFETCH(stats::Filtro, antes);
        QFETCH(int, casilla);
        QFETCH(bool, marcada);
        QFETCH(stats::Filtro, despues);
        QVERIFY(stats::pulsa(antes, casilla, marcada) == despues);
    }

    void elVeinticincoEstaEnLasDosMitades()
    {
        const std::vector<Sorteo> sorteos = {sorteo(kJueves, {1, 2, 3, 24, 25, 26}),
                                             sorteo(kSabado, {5, 6, 25, 30, 40, 49})};
        const stats::Resultado r = stats::estadisticas(sorteos, {true, true}, 0);
        for (bool comparativa : {false, true}) {
            const auto primera = stats::tabla(r.cuentas, false, comparativa);
            const auto segunda = stats::tabla(r.cuentas, true, comparativa);
            QCOMPARE(primera[0].etiqueta, QStringLiteral(" 1"));
            QCOMPARE(primera[24].etiqueta, QStringLiteral(" 25"));
            QCOMPARE(segunda[0].etiqueta, QStringLiteral(" 25"));
            QCOMPARE(segunda[24].etiqueta, QStringLiteral(" 49"));
            QCOMPARE(segunda[0].valor1, primera[24].valor1);
            QCOMPARE(segunda[0].valor2, primera[24].valor2);
        }
        QCOMPARE(stats::tabla(r.cuentas, true, false)[0].valor1, 2);
        QCOMPARE(stats::tabla(r.cuentas, true, true)[0].valor1, 1);  // Thursday
        QCOMPARE(stats::tabla(r.cuentas, true, true)[0].valor2, 1);  // other days
        QCOMPARE(stats::tabla(r.cuentas, true, false)[1].valor1, 1); // 26
    }

    void laDescripcionDeLaSeleccion()
    {
        const std::vector<Sorteo> sorteos = {sorteo(kJueves, {1, 2, 3, 4, 5, 6}),
                                             sorteo(kSabado, {1, 2, 3, 4, 5, 7})};
        const stats::Resultado r = stats::estadisticas(sorteos, {true, true}, 0);
        auto d = stats::describe(r, {true, true}, true, 5);
        QCOMPARE(d.periodo, QString::fromUtf8("-Tiene seleccionados todos los sorteos. Desde el "
                                              "01/01/2026 al 03/01/2026, en total, 2 sorteos en "
                                              "la base de datos."));
        QCOMPARE(d.dias, QString::fromUtf8("-Ha seleccionado tanto los números de los sorteos "
                                           "del JUEVES, como los del SÁBADO."));
        QCOMPARE(d.fila, (informes::FilaSorteos{fechas::serial(kJueves), fechas::serial(kSabado), 2,
                                                QString::fromUtf8("Jueves y sábado.")}));
        d = stats::describe(r, {false, true}, false, 1);
        QVERIFY(d.periodo.startsWith(
            QString::fromUtf8("-Tiene seleccionados sólo el último mes de sorteos, desde el ")));
        QCOMPARE(d.dias,
                 QString::fromUtf8("-Ha seleccionado sólo los números de los sorteos del SÁBADO."));
        QCOMPARE(d.fila.diasajugar, QString::fromUtf8("Sábado."));
        d = stats::describe(r, {true, false}, false, 4);
        QVERIFY(d.periodo.startsWith(
            QString::fromUtf8("-Tiene seleccionados los últimos 4 meses de sorteos, desde el ")));
    }

    void elRankingDejaLosEmpatesEnOrdenAscendente()
    {
        stats::Cuentas c;
        c.todos[40] = 5;
        c.todos[7] = 3;
        c.todos[2] = 3;
        c.todos[49] = 3;
        const stats::Ranking r = stats::ranking(c);
        QCOMPARE(r.numeros[0], 40);
        QCOMPARE(r.numeros[1], 2);
        QCOMPARE(r.numeros[2], 7);
        QCOMPARE(r.numeros[3], 49);
        QCOMPARE(r.numeros[4], 1); // then every number without a count, ascending
        QCOMPARE(r.numeros[48], 48);
        const auto seis = stats::primeros(r, 6);
        QCOMPARE(seis.size(), size_t(6));
        QCOMPARE(seis[0], (informes::FilaNumero{40, 5}));
        QCOMPARE(seis[5], (informes::FilaNumero{3, 0}));
        QCOMPARE(stats::primeros(r, 80).size(), size_t(49));
        QCOMPARE(stats::primeros(r, -1).size(), size_t(0));
    }

    void unSorteoQueNoSePuedeContarSeDetecta()
    {
        Sorteo malo = sorteo(kSabado, {1, 2, 3, 4, 5, 6});
        malo.numeros[3] = 300;
        const stats::Resultado r =
            stats::estadisticas({sorteo(kJueves, {1, 2, 3, 4, 5, 6}), malo}, {true, true}, 0);
        QCOMPARE(r.ilegible, 2);
        Sorteo sinFecha = sorteo(kJueves, {1, 2, 3, 4, 5, 6});
        sinFecha.fecha = std::nan("");
        QVERIFY(!stats::legible(sinFecha));
        QVERIFY(stats::legible(sorteo(kJueves, {1, 2, 3, 4, 5, 6})));
    }

    void elArchivoReal()
    {
        const QString ruta = CarpetaPrueba::historicoReal();
        if (ruta.isEmpty())
            QSKIP("No está el histórico real");
        ArchivoSorteos archivo(ruta);
        QVERIFY(archivo.abre() == Escritura::Hecha);
        QCOMPARE(archivo.cuenta(), 4176);
        const auto &s = archivo.sorteos();
        const stats::Resultado todos = stats::estadisticas(s, {true, true}, 0);
        QCOMPARE(todos.total, 4176);
        QCOMPARE(todos.ilegible, 0);
        QCOMPARE(stats::estadisticas(s, {true, false}, 0).total, 2120);
        QCOMPARE(stats::estadisticas(s, {false, true}, 0).total, 1841);
        QCOMPARE(todos.masAntiguo, fechas::serial(QDate(1985, 10, 17)));
        QCOMPARE(todos.filas.back().numeros, QStringLiteral(" 3-11-13-15-34-35  C: 27 R: 0"));
        int suma = 0;
        for (int n = 1; n <= 49; ++n)
            suma += todos.cuentas.todos[static_cast<size_t>(n)];
        QCOMPARE(suma, 6 * 4176);
        const stats::Ranking r = stats::ranking(todos.cuentas);
        for (size_t i = 1; i < 49; ++i)
            QVERIFY(r.veces[i - 1] >= r.veces[i]);
    }
};

QTEST_GUILESS_MAIN(TstEstadisticas)
#include "tst_estadisticas.moc"
