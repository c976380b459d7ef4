#include "app/ejes.h"

#include <QValueAxis>
#include <algorithm>
#include <climits>

namespace {
// A chart of counts reads best with at most this many steps above 0.
constexpr int kPasos = 5;
} // namespace

EscalaEntera escalaEntera(int maximo)
{
    maximo = std::max(maximo, 1);
    EscalaEntera e;
    for (long long base = 1;; base *= 10) {
        for (const long long factor : {1, 2, 5}) {
            const long long paso = base * factor;
            const long long pasos = (maximo + paso - 1) / paso;
            if (pasos <= kPasos) {
                e.paso = static_cast<int>(paso);
                e.tope = static_cast<int>(std::min<long long>(pasos * paso, INT_MAX));
                return e;
            }
        }
    }
}

void ponEjeEntero(QValueAxis &eje, int maximo)
{
    const EscalaEntera e = escalaEntera(maximo);
    eje.setRange(0, e.tope);
    eje.setTickType(QValueAxis::TicksDynamic);
    eje.setTickAnchor(0);
    eje.setTickInterval(e.paso);
    eje.setMinorTickCount(0);
    eje.setLabelFormat(QStringLiteral("%d"));
}
