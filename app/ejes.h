#pragma once

class QValueAxis;

// The value axis of a chart of counts: whole numbers only, ticks on round steps from 0 (1, 2, 5,
// 10, 20, 50…) and labels that name exactly the value of their line.
struct EscalaEntera {
    int tope = 1; // the axis ends here, a multiple of `paso` not below the largest count
    int paso = 1;
};
EscalaEntera escalaEntera(int maximo);
void ponEjeEntero(QValueAxis &eje, int maximo);
