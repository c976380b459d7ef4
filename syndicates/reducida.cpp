#include "syndicates/reducida.h"

#include <algorithm>

namespace reducidas {

const TablaReducida *situatabla(const Tablas &tablas, int tablasel, Pena &pena)
{
    if (tablasel < 0 || static_cast<size_t>(tablasel) >= tablas.tablas.size())
        return nullptr;
    const TablaReducida &t = tablas.tablas[static_cast<size_t>(tablasel)];
    pena.tablaN = static_cast<qint16>(t.n);
    pena.tablaG = static_cast<qint16>(t.g);
    return &t;
}

void aplicatabla(const TablaReducida &tabla, Pena &pena)
{
    const auto entrada = pena.apuestas[0]; // the chosen numbers as the user entered them
    for (int p = 1; p <= Pena::kPosiciones; ++p)
        pena.elegidos[static_cast<size_t>(p - 1)] = p <= tabla.n ? pena.numero(1, p) : 0;
    for (auto &apuesta : pena.apuestas)
        apuesta.fill(0);
    const int k = std::min<int>(tabla.k, Pena::kApuestas);
    for (int e = 0; e < k && static_cast<size_t>(e) < tabla.apuestas.size(); ++e)
        for (int i = 0; i < 6; ++i) {
            const int indice = tabla.apuestas[static_cast<size_t>(e)][static_cast<size_t>(i)];
            pena.numero(e + 1, i + 1) = indice >= 1 && indice <= Pena::kPosiciones
                                            ? entrada[static_cast<size_t>(indice - 1)]
                                            : qint16(0);
        }
}

} // namespace reducidas
