#pragma once

#include "stats/estadisticas.h"
#include "widgets/pestana.h"

#include <optional>

class ModeloSorteos;
class QAbstractSlider;
class QChartView;
class QCheckBox;
class QFrame;
class QLabel;
class QScrollBar;
class QTreeView;

// Tab "Estadísticas": how often each number came out in the draws the filters select, the list
// of those draws (where a draw can be deleted after "Borrar todos los sorteos"), and the chart.
class PestanaEstadisticas : public Pestana {
    Q_OBJECT
public:
    PestanaEstadisticas(Sesion &sesion, QWidget *parent = nullptr);

    void estadisticas(double fecha);
    void describeestadisticas();
    void Check3_Click(int i);
    void Slider1_Change(int valor);
    void HScroll2_Change();
    void ListView3_ItemClick(int fila);
    // The chart back on its first half of the numbers.
    void primerGrafico();

private:
    // The filter changed here or in the creation tab: the boxes follow it and the pass runs.
    void aplicaFiltro();
    void pintaGrafico();
    // An archive the statistics pass cannot read: kept aside as a dated copy, started afresh.
    void recuperaArchivo();
    // The first date of the filter in force: the period's while it is ticked, 0 with "Todos".
    double desdeFiltro() const;

    // 0 Jueves, 1 Sábado, 2 Comparativa, 5 Todos, 6 the period, 9 Lunes.
    QCheckBox *Check3[10] = {};
    QAbstractSlider *Slider1_0 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label21 = nullptr;
    QLabel *Label27 = nullptr;
    QFrame *Frame5 = nullptr;
    QChartView *MSChart1 = nullptr;
    QTreeView *ListView3 = nullptr;
    QScrollBar *HScroll2 = nullptr;

    ModeloSorteos *modeloSorteos_ = nullptr;
    bool recuperando_ = false;
    bool baseAvisada_ = false; // the report database refused a row and the user was told
    // What the last pass counted: a pass over the same draws, days and first date is not run
    // again. The date texts of its list are kept for the next one.
    std::optional<stats::Entradas> entradas_;
    stats::TextosFecha textosFecha_;
    int pasadas_ = 0; // passes run, so that the chart knows when its counts are new
    // What the chart shows: the pass, which half of the numbers, "Comparativa".
    struct Grafico {
        int pasada = -1;
        bool segunda = false;
        bool comparativa = false;
        bool operator==(const Grafico &) const = default;
    };
    Grafico grafico_;
};
