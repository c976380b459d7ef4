#pragma once

#include "archive/sorteo.h"
#include "reports/informes.h"

#include <QHash>
#include <QString>
#include <array>
#include <vector>

// Number statistics: how often each number came out among the archived draws of a period and
// of chosen draw days, the list of those draws, and the ranking of the numbers.
namespace stats {

// The three day boxes ("Lunes", "Jueves", "Sábado"). Monday comes last so that a filter
// written as {jueves, sábado} still takes the Monday draws, as the boxes do at start.
struct FiltroDias {
    bool jueves = true;
    bool sabado = true;
    bool lunes = true;
    bool operator==(const FiltroDias &) const = default;
};

// Every filter of the statistics tab, which the creation tab's copies share: the day boxes,
// "Comparativa", "Todos" or the period of the last `meses` months.
struct Filtro {
    bool jueves = true;
    bool sabado = true;
    bool comparativa = false;
    bool todos = true; // false: the period box is the one ticked
    int meses = 1;     // months of the period, as the sliders show it (1..500)
    bool lunes = true;

    FiltroDias dias() const { return {jueves, sabado, lunes}; }
    bool operator==(const Filtro &) const = default;
};

// The filter after a click on box `casilla` of the Check3 array (0 Jueves, 1 Sábado,
// 2 Comparativa, 5 Todos, 6 the period, 9 Lunes; 3, 4, 7, 8 and 10 are the creation tab's
// copies of 0, 1, 5, 6 and 9), which the click left `marcada`. "Comparativa" needs all three
// days; "Todos" and the period exclude each other.
Filtro pulsa(Filtro filtro, int casilla, bool marcada);
// A slider value as the period sliders hold it.
int mesesValidos(int meses);

// One row of the draw list: numbers text (shown in bold), Joker, date and weekday.
struct FilaSorteo {
    QString numeros;
    QString joker;
    QString fecha;
    int registro = 0; // record number in the archive
};

// Counts by number (index 1..49; 0 unused): all selected draws, and the same split by draw
// day. A draw on any other weekday (only in a damaged or hand-made archive) counts in `todos`
// alone.
struct Cuentas {
    std::array<int, 50> todos{};
    std::array<int, 50> lunes{};
    std::array<int, 50> jueves{};
    std::array<int, 50> sabado{};
    // Draws counted on each day: Monday, Thursday, Saturday.
    std::array<int, 3> sorteosDia{};
};

struct Resultado {
    int total = 0;
    double masReciente = 0; // newest selected draw; kept from the previous pass when none
    double masAntiguo = 0;  // oldest selected draw
    Cuentas cuentas;
    std::vector<FilaSorteo> filas; // newest first
    bool hayFrase = false;         // the archive has draws, so "Frase" is written
    QString frase;                 // row text of the newest stored draw, empty when not selected
    int ilegible = 0;              // record number of a draw that cannot be counted; 0 = none
};

// Whether a draw of weekday `dia` ("Lunes", "Jueves", "Sábado", as diasemana names it) passes
// the day boxes: a draw day passes when its box is ticked; any other weekday only while both
// "Jueves" and "Sábado" are, so that all three boxes still take every draw.
bool seleccionado(const QString &dia, FiltroDias filtro);

// " 3-12-25-33-41-49  C:  7  R: 5" (the layout of the draw list).
QString textoSorteo(const Sorteo &s);

// A draw whose numbers or date cannot be counted: the sign of a damaged archive.
bool legible(const Sorteo &s);

// The date column of the draw list, "05/03/2020  Jueves", made once for each date and kept from
// one pass to the next: formatting thousands of dates was most of what a pass cost.
class TextosFecha {
public:
    const QString &de(double serial);

private:
    QHash<quint64, QString> textos_; // by the bits of the serial date
};

// The statistics pass over the archive, newest draw first, taking the draws on or after
// `desde` (0 = all). With nothing selected both dates are 0. `fechas`, when given, keeps the
// date texts for the next pass.
Resultado estadisticas(const std::vector<Sorteo> &sorteos, FiltroDias filtro, double desde,
                       TextosFecha *fechas = nullptr);

// What a pass was made from. Equal inputs give an equal result, so a caller that keeps the
// inputs of its last pass need not run it again.
struct Entradas {
    std::vector<Sorteo> sorteos;
    FiltroDias filtro;
    double desde = 0;
    bool iguales(const std::vector<Sorteo> &otros, FiltroDias otroFiltro, double otroDesde) const
    {
        return desde == otroDesde && filtro == otroFiltro && sorteos == otros;
    }
};

// One chart table: 25 rows labelled " 1".." 25" (first half) or " 25".." 49" (second half),
// number 25 in both. With `comparativa` the three values are the Monday, Thursday and Saturday
// counts, the order of the chart's series; without it the first value is the count of every
// selected draw and the other two are unused.
struct FilaTabla {
    QString etiqueta;
    int numero = 0;
    int valor1 = 0; // all days, or Monday
    int valor2 = 0; // Thursday
    int valor3 = 0; // Saturday
    // With `comparativa`: the share of each day's draws (Monday, Thursday, Saturday) the
    // number came out in, in percent. Days are drawn since different years (Mondays only since
    // 2022), so it is these shares, not the counts, that compare the days.
    std::array<double, 3> porcentaje{};
};
std::array<FilaTabla, 25> tabla(const Cuentas &cuentas, bool segundaMitad, bool comparativa);

// Earliest date of a period of the last `meses` months (30.5 days each) before `hoy`.
double desdePeriodo(double hoy, int meses);
// Caption of the period box: "Último mes", "Últimos 3 meses".
QString tituloPeriodo(int meses);

// The description of the selection: the two labels and the "Sorteos" row.
struct Descripcion {
    QString periodo; // Label21
    QString dias;    // Label27
    informes::FilaSorteos fila;
};
Descripcion describe(const Resultado &r, FiltroDias filtro, bool todos, int meses);

// The 49 numbers by descending count, equal counts in ascending number order.
struct Ranking {
    std::array<int, 49> numeros{};
    std::array<int, 49> veces{};
};
Ranking ranking(const Cuentas &cuentas);
// The first k rows of the ranking (k limited to 0..49), as "Numeros" holds them.
std::vector<informes::FilaNumero> primeros(const Ranking &r, int k);

} // namespace stats
