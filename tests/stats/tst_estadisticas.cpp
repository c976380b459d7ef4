#include "apoyo/carpetaprueba.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "stats/estadisticas.h"

#include <QFile>
#include <QTest>
#include <algorithm>

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
const QDate kDomingo(2026, 1, 4); // no draw is held on Sunday: a hand-made record
const QDate kLunes(2026, 1, 5);

// A filter over a three-month period, which no click on a box may change.
stats::Filtro filtro(bool jueves, bool sabado, bool comparativa, bool todos, bool lunes = true)
{
    return {jueves, sabado, comparativa, todos, 3, lunes};
}

bool esLunes(const stats::FilaSorteo &f)
{
    return f.fecha.endsWith(QStringLiteral("Lunes"));
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

    // Every combination of the three boxes over one draw of each day and a Sunday record.
    void losDiasQueEntranEnLaSeleccion_data()
    {
        QTest::addColumn<bool>("lunes");
        QTest::addColumn<bool>("jueves");
        QTest::addColumn<bool>("sabado");
        QTest::addColumn<QList<int>>("registros"); // newest first
        QTest::newRow("los tres días") << true << true << true << QList<int>{4, 3, 2, 1};
        QTest::newRow("jueves y sábado") << false << true << true << QList<int>{3, 2, 1};
        QTest::newRow("lunes y jueves") << true << true << false << QList<int>{4, 1};
        QTest::newRow("lunes y sábado") << true << false << true << QList<int>{4, 2};
        QTest::newRow("sólo el lunes") << true << false << false << QList<int>{4};
        QTest::newRow("sólo el jueves") << false << true << false << QList<int>{1};
        QTest::newRow("sólo el sábado") << false << false << true << QList<int>{2};
        QTest::newRow("ningún día") << false << false << false << QList<int>{};
    }
    void losDiasQueEntranEnLaSeleccion()
    {
        QFETCH(bool, lunes);
        QFETCH(bool, jueves);
        QFETCH(bool, sabado);
        QFETCH(QList<int>, registros);
        const std::vector<Sorteo> sorteos = {
            sorteo(kJueves, {1, 2, 3, 4, 5, 6}), sorteo(kSabado, {1, 2, 3, 4, 5, 7}),
            sorteo(kDomingo, {1, 2, 3, 4, 5, 9}), sorteo(kLunes, {1, 2, 3, 4, 5, 8})};
        const stats::FiltroDias dias{jueves, sabado, lunes};
        const stats::Resultado r = stats::estadisticas(sorteos, dias, 0);
        QList<int> vistos;
        for (const stats::FilaSorteo &f : r.filas)
            vistos.append(f.registro);
        QCOMPARE(vistos, registros);
        QCOMPARE(r.total, static_cast<int>(registros.size()));
        QCOMPARE(r.cuentas.todos[1], static_cast<int>(registros.size()));
        // The list and the counts judge a draw by the same rule as the day name does.
        for (size_t i = 0; i < sorteos.size(); ++i)
            QCOMPARE(stats::seleccionado(diasemana(sorteos[i].fecha), dias),
                     registros.contains(static_cast<int>(i) + 1));
    }

    void losSorteosDeCadaDiaSeCuentanAparte()
    {
        const std::vector<Sorteo> sorteos = {
            sorteo(kJueves, {1, 2, 3, 4, 5, 6}), sorteo(kSabado, {1, 2, 3, 4, 5, 7}),
            sorteo(kDomingo, {1, 2, 3, 4, 5, 9}), sorteo(kLunes, {1, 2, 3, 4, 5, 8})};
        const stats::Resultado r = stats::estadisticas(sorteos, {true, true, true}, 0);
        QCOMPARE(r.cuentas.todos[1], 4);
        QCOMPARE(r.cuentas.lunes[1], 1);
        QCOMPARE(r.cuentas.jueves[1], 1);
        QCOMPARE(r.cuentas.sabado[1], 1);
        QCOMPARE(r.cuentas.lunes[8], 1);
        QCOMPARE(r.cuentas.jueves[6], 1);
        QCOMPARE(r.cuentas.sabado[7], 1);
        QCOMPARE(r.cuentas.lunes[6] + r.cuentas.lunes[7], 0);
        QCOMPARE(r.cuentas.jueves[7] + r.cuentas.jueves[8], 0);
        QCOMPARE(r.cuentas.sabado[6] + r.cuentas.sabado[8], 0);
        // The Sunday record counts among all the draws and in no day's table.
        QCOMPARE(r.cuentas.todos[9], 1);
        QCOMPARE(r.cuentas.lunes[9] + r.cuentas.jueves[9] + r.cuentas.sabado[9], 0);
        // The Monday table is empty while Monday is not selected.
        const stats::Resultado sinLunes = stats::estadisticas(sorteos, {true, true, false}, 0);
        QCOMPARE(sinLunes.cuentas.lunes[1], 0);
        QCOMPARE(sinLunes.cuentas.todos[1], 3);
    }

    void sinNingunDiaNoHayNada()
    {
        const std::vector<Sorteo> sorteos = {sorteo(kJueves, {1, 2, 3, 4, 5, 6}),
                                             sorteo(kSabado, {1, 2, 3, 4, 5, 7}),
                                             sorteo(kLunes, {1, 2, 3, 4, 5, 8})};
        const stats::Resultado nada = stats::estadisticas(sorteos, {false, false, false}, 0);
        QVERIFY(nada.filas.empty());
        for (int n = 1; n <= 49; ++n)
            QCOMPARE(nada.cuentas.todos[static_cast<size_t>(n)], 0);
        const auto d = stats::describe(nada, {false, false, false}, true, 3);
        QCOMPARE(d.dias,
                 QString::fromUtf8("-Ha seleccionado sólo los números de los sorteos del JUEVES."));
        QCOMPARE(d.fila.diasajugar, QStringLiteral("Jueves."));

        const stats::Resultado soloSabado = stats::estadisticas(sorteos, {false, true, false}, 0);
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
        QCOMPARE(r.cuentas.lunes[1], 1);
        QCOMPARE(r.cuentas.jueves[1], 1);
        QCOMPARE(r.cuentas.sabado[1], 1);

        // One selected draw: it is both the newest and the oldest.
        const stats::Resultado uno = stats::estadisticas(sorteos, {false, true, false}, 0);
        QCOMPARE(uno.masReciente, fechas::serial(kSabado));
        QCOMPARE(uno.masAntiguo, fechas::serial(kSabado));
        // None selected (a month without draws): no dates, and the sentence names none.
        const stats::Resultado ninguno =
            stats::estadisticas(sorteos, {true, true, true}, fechas::serial(kLunes) + 1);
        QCOMPARE(ninguno.masReciente, 0.0);
        QCOMPARE(ninguno.masAntiguo, 0.0);
        QCOMPARE(stats::describe(ninguno, {true, true, true}, false, 1).periodo,
                 QString::fromUtf8("-Tiene seleccionados sólo el último mes de sorteos: ningún "
                                   "sorteo en la base de datos."));
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
        // A long period in years.
        QCOMPARE(stats::tituloPeriodo(24), QString::fromUtf8("Últimos 2 años"));
        QCOMPARE(stats::tituloPeriodo(500), QString::fromUtf8("Últimos 41 años y 8 meses"));
        QCOMPARE(stats::describe({}, {true, true, true}, false, 25).periodo,
                 QString::fromUtf8("-Tiene seleccionados los últimos 2 años y 1 mes de sorteos: "
                                   "ningún sorteo en la base de datos."));
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
        QTest::newRow("Comparativa marca también el lunes")
            << filtro(true, false, false, true, false) << 2 << true
            << filtro(true, true, true, true, true);
        QTest::newRow("quitar el lunes deja jueves y sábado")
            << filtro(true, true, false, true) << 9 << false
            << filtro(true, true, false, true, false);
        QTest::newRow("la copia del lunes es el lunes")
            << filtro(false, false, false, true, false) << 10 << true
            << filtro(false, false, false, true, true);
        QTest::newRow("con Comparativa el lunes no se desmarca")
            << filtro(true, true, true, true) << 9 << false << filtro(true, true, true, true);
        QTest::newRow("con Comparativa la copia del lunes no se desmarca")
            << filtro(true, true, true, true) << 10 << false << filtro(true, true, true, true);
        QTest::newRow("sin Comparativa el lunes sigue marcado")
            << filtro(true, true, true, true) << 2 << false << filtro(true, true, false, true);
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
                                             sorteo(kSabado, {5, 6, 25, 30, 40, 49}),
                                             sorteo(kLunes, {7, 8, 9, 10, 11, 25})};
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
            QCOMPARE(segunda[0].valor3, primera[24].valor3);
        }
        QCOMPARE(stats::tabla(r.cuentas, true, false)[0].valor1, 3);
        QCOMPARE(stats::tabla(r.cuentas, true, false)[1].valor1, 1); // 26
        const auto comparada = stats::tabla(r.cuentas, false, true);
        // Monday, Thursday and Saturday in that order: 7 only on Monday, 1 only on Thursday,
        // 5 only on Saturday, 25 on all three.
        QCOMPARE((std::array{comparada[6].valor1, comparada[6].valor2, comparada[6].valor3}),
                 (std::array{1, 0, 0}));
        QCOMPARE((std::array{comparada[0].valor1, comparada[0].valor2, comparada[0].valor3}),
                 (std::array{0, 1, 0}));
        QCOMPARE((std::array{comparada[4].valor1, comparada[4].valor2, comparada[4].valor3}),
                 (std::array{0, 0, 1}));
        QCOMPARE((std::array{comparada[24].valor1, comparada[24].valor2, comparada[24].valor3}),
                 (std::array{1, 1, 1}));
    }

    // Days are compared by the share of their own draws: with four Thursdays and one Monday,
    // a number out once on each day came out in 25 % of the Thursdays and 100 % of the Mondays.
    void laComparativaEsPorSorteoDeCadaDia()
    {
        std::vector<Sorteo> sorteos = {sorteo(kLunes, {7, 8, 9, 10, 11, 25})};
        sorteos.push_back(sorteo(kJueves, {1, 2, 3, 24, 25, 26}));
        for (int k = 1; k <= 3; ++k)
            sorteos.push_back(sorteo(kJueves.addDays(-7 * k), {1, 2, 3, 4, 5, 6}));
        const stats::Resultado r = stats::estadisticas(sorteos, {true, true}, 0);
        QCOMPARE(r.cuentas.sorteosDia, (std::array{1, 4, 0}));
        const auto t = stats::tabla(r.cuentas, false, true);
        QCOMPARE(t[24].porcentaje, (std::array{100.0, 25.0, 0.0}));
        QCOMPARE(t[0].porcentaje, (std::array{0.0, 100.0, 0.0}));
    }

    void laDescripcionDeLaSeleccion()
    {
        const std::vector<Sorteo> sorteos = {sorteo(kJueves, {1, 2, 3, 4, 5, 6}),
                                             sorteo(kSabado, {1, 2, 3, 4, 5, 7})};
        const stats::Resultado r = stats::estadisticas(sorteos, {true, true}, 0);
        auto d = stats::describe(r, {true, true, false}, true, 5);
        QCOMPARE(d.periodo, QString::fromUtf8("-Tiene seleccionados todos los sorteos. Desde el "
                                              "01/01/2026 al 03/01/2026, en total, 2 sorteos en "
                                              "la base de datos."));
        QCOMPARE(d.dias, QString::fromUtf8("-Ha seleccionado tanto los números de los sorteos "
                                           "del JUEVES, como los del SÁBADO."));
        QCOMPARE(d.fila, (informes::FilaSorteos{fechas::serial(kJueves), fechas::serial(kSabado), 2,
                                                QString::fromUtf8("Jueves y sábado.")}));
        d = stats::describe(r, {false, true, false}, false, 1);
        QVERIFY(d.periodo.startsWith(
            QString::fromUtf8("-Tiene seleccionados sólo el último mes de sorteos, desde el ")));
        QCOMPARE(d.dias,
                 QString::fromUtf8("-Ha seleccionado sólo los números de los sorteos del SÁBADO."));
        QCOMPARE(d.fila.diasajugar, QString::fromUtf8("Sábado."));
        d = stats::describe(r, {true, false, false}, false, 4);
        QVERIFY(d.periodo.startsWith(
            QString::fromUtf8("-Tiene seleccionados los últimos 4 meses de sorteos, desde el ")));
    }

    void losDiasDeLaDescripcion_data()
    {
        QTest::addColumn<bool>("lunes");
        QTest::addColumn<bool>("jueves");
        QTest::addColumn<bool>("sabado");
        QTest::addColumn<QString>("dias");
        QTest::addColumn<QString>("diasajugar");
        auto fila = [](const char *nombre, bool l, bool j, bool s, const char *dias,
                       const char *diasajugar) {
            QTest::newRow(nombre) << l << j << s << QString::fromUtf8(dias)
                                  << QString::fromUtf8(diasajugar);
        };
        fila("los tres días", true, true, true,
             "tanto los números de los sorteos del LUNES, del JUEVES como los del SÁBADO.",
             "Lunes, jueves y sábado.");
        fila("jueves y sábado", false, true, true,
             "tanto los números de los sorteos del JUEVES, como los del SÁBADO.",
             "Jueves y sábado.");
        fila("lunes y jueves", true, true, false,
             "tanto los números de los sorteos del LUNES, como los del JUEVES.", "Lunes y jueves.");
        fila("lunes y sábado", true, false, true,
             "tanto los números de los sorteos del LUNES, como los del SÁBADO.", "Lunes y sábado.");
        fila("sólo el lunes", true, false, false, "sólo los números de los sorteos del LUNES.",
             "Lunes.");
        fila("sólo el sábado", false, false, true, "sólo los números de los sorteos del SÁBADO.",
             "Sábado.");
        fila("sólo el jueves", false, true, false, "sólo los números de los sorteos del JUEVES.",
             "Jueves.");
        fila("ningún día", false, false, false, "sólo los números de los sorteos del JUEVES.",
             "Jueves.");
    }
    void losDiasDeLaDescripcion()
    {
        QFETCH(bool, lunes);
        QFETCH(bool, jueves);
        QFETCH(bool, sabado);
        QFETCH(QString, dias);
        QFETCH(QString, diasajugar);
        const stats::Descripcion d = stats::describe({}, {jueves, sabado, lunes}, true, 1);
        QCOMPARE(d.dias, QStringLiteral("-Ha seleccionado ") + dias);
        QCOMPARE(d.fila.diasajugar, diasajugar);
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
        const stats::Resultado todos = stats::estadisticas(s, {true, true, true}, 0);
        QCOMPARE(todos.total, 4176);
        QCOMPARE(todos.ilegible, 0);
        QCOMPARE(stats::estadisticas(s, {true, false, false}, 0).total, 2120);
        QCOMPARE(stats::estadisticas(s, {false, true, false}, 0).total, 1841);
        const stats::Resultado lunes = stats::estadisticas(s, {false, false, true}, 0);
        QCOMPARE(lunes.total, 215);
        QVERIFY(std::all_of(lunes.filas.begin(), lunes.filas.end(), esLunes));
        // The first Monday draw, 11 July 2022.
        QCOMPARE(lunes.masAntiguo, fechas::serial(QDate(2022, 7, 11)));
        const stats::Resultado sinLunes = stats::estadisticas(s, {true, true, false}, 0);
        QCOMPARE(sinLunes.total, 3961);
        QCOMPARE(sinLunes.filas.size(), size_t(3961));
        QVERIFY(std::none_of(sinLunes.filas.begin(), sinLunes.filas.end(), esLunes));
        // Each day's table adds up, number by number, to the count over all the days.
        for (size_t n = 1; n <= 49; ++n) {
            QCOMPARE(todos.cuentas.lunes[n] + todos.cuentas.jueves[n] + todos.cuentas.sabado[n],
                     todos.cuentas.todos[n]);
            QCOMPARE(todos.cuentas.lunes[n], lunes.cuentas.todos[n]);
        }
        for (bool segunda : {false, true}) {
            const auto comparada = stats::tabla(todos.cuentas, segunda, true);
            const auto sola = stats::tabla(todos.cuentas, segunda, false);
            for (size_t i = 0; i < 25; ++i)
                QCOMPARE(comparada[i].valor1 + comparada[i].valor2 + comparada[i].valor3,
                         sola[i].valor1);
        }
        QCOMPARE(todos.masAntiguo, fechas::serial(QDate(1985, 10, 17)));
        QCOMPARE(todos.filas.back().numeros, QStringLiteral(" 3-11-13-15-34-35  C: 27 R: 0"));
        int suma = 0;
        for (int n = 1; n <= 49; ++n)
            suma += todos.cuentas.todos[static_cast<size_t>(n)];
        QCOMPARE(suma, 6 * 4176);
        const stats::Ranking r = stats::ranking(todos.cuentas);
        for (size_t i = 1; i < 49; ++i)
            QVERIFY(r.veces[i - 1] >= r.veces[i]);

        // Date texts kept from pass to pass read as freshly made ones, row by row, whichever
        // days the pass before took.
        stats::TextosFecha textos;
        for (stats::FiltroDias dias : {stats::FiltroDias{false, false, true}, {true, true, true}}) {
            const stats::Resultado hecha = stats::estadisticas(s, dias, 0, &textos);
            const stats::Resultado nueva = stats::estadisticas(s, dias, 0);
            QCOMPARE(hecha.filas.size(), nueva.filas.size());
            for (size_t i = 0; i < hecha.filas.size(); ++i)
                QCOMPARE(hecha.filas[i].fecha, nueva.filas[i].fecha);
        }
        QCOMPARE(todos.filas.back().fecha, QStringLiteral("17/10/1985  Jueves"));
    }
};

QTEST_GUILESS_MAIN(TstEstadisticas)
#include "tst_estadisticas.moc"
