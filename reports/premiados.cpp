#include "reports/premiados.h"
#include "archive/fechas.h"
#include "archive/texto.h"

#include <QStringList>

namespace premiados {

bool hayPremio(const ganancias::Jugada &j)
{
    for (const int n : j.premiadas)
        if (n > 0)
            return true;
    for (const int n : j.jokers)
        if (n > 0)
            return true;
    return j.reintegros > 0;
}

QString textoAciertos(const ganancias::Jugada &j)
{
    // In the order of premios.dat: Especial, 1ª ... 5ª.
    static const char *const kAciertos[ganancias::kCategorias] = {"6 aciertos y reintegro",
                                                                  "6 aciertos",
                                                                  "5 aciertos y complementario",
                                                                  "5 aciertos",
                                                                  "4 aciertos",
                                                                  "3 aciertos"};
    const auto veces = [](int n, const QString &que) {
        return n == 1 ? que : QStringLiteral("%1 × %2").arg(n).arg(que);
    };
    QStringList partes;
    for (size_t c = 0; c < j.premiadas.size(); ++c)
        if (j.premiadas[c] > 0)
            partes << veces(j.premiadas[c], u(kAciertos[c]));
    if (j.reintegros > 0)
        partes << veces(j.reintegros, u("reintegro"));
    for (size_t c = 0; c < j.jokers.size(); ++c) {
        if (j.jokers[c] == 0)
            continue;
        partes << veces(j.jokers[c], static_cast<int>(c) == juego::kJokerReintegro
                                         ? u("reintegro del Joker")
                                         : u("Joker de %1ª categoría").arg(c + 1));
    }
    return partes.join(QStringLiteral(", "));
}

QString textoImporte(const ganancias::Jugada &j)
{
    if (!j.desconocido)
        return ganancias::textoEuros(j.premio);
    // Only what is already known is counted: the figure can only grow.
    return j.premio > 0 ? ganancias::textoEuros(j.premio) + u(" (provisional)")
                        : u("importe pendiente");
}

QString linea(const Premio &p)
{
    const double fecha = p.jugada.fecha;
    return u("Peña %1: %2 en el sorteo del %3 %4 — %5")
        .arg(p.pena, textoAciertos(p.jugada), diasemana(fecha).toLower(), fechas::textoCorto(fecha),
             textoImporte(p.jugada));
}

} // namespace premiados
