#include "archive/lote.h"

#include <algorithm>

bool Escrutinio::algunoConocido() const
{
    const auto conocido = [](qint64 v) { return v >= 0; };
    return std::any_of(centimos.begin(), centimos.end(), conocido) ||
           std::any_of(ganadores.begin(), ganadores.end(), conocido) ||
           std::any_of(centimosJoker.begin(), centimosJoker.end(), conocido) ||
           std::any_of(ganadoresJoker.begin(), ganadoresJoker.end(), conocido);
}
