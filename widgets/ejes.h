#pragma once

class QBarCategoryAxis;
class QChart;
class QValueAxis;

// The value axis of a chart of counts: whole numbers only, ticks on round steps from 0 (1, 2, 5,
// 10, 20, 50…) and labels that name exactly the value of their line.
struct EscalaEntera {
    int tope = 1; // the axis ends here, a multiple of `paso` not below the largest count
    int paso = 1;
};
EscalaEntera escalaEntera(int maximo);
void ponEjeEntero(QValueAxis &eje, int maximo);

// Category labels that are never cut. Qt Charts shortens a label to "…" as soon as it is a little
// narrower than twice its text, which hides the numbers 10 to 49 of a chart of 25 bars in any
// window below 1100 pixels. The axis keeps its categories and its room, with its own labels
// invisible, and the chart shows the same labels centred under each bar group, in the axis's
// type or a smaller one where the bars are narrow. Call it after the axis is attached.
void ponEtiquetasEnteras(QChart &grafico, QBarCategoryAxis &eje);

// Empties a chart to draw it again: its series and its axes are deleted. A removed axis is no
// longer the chart's, and one left alive at every redraw would add up over a session.
void vaciaGrafico(QChart &grafico);
