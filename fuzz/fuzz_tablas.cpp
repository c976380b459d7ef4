// libFuzzer target: the reduction tables of tablas.bin on arbitrary bytes. Every table offered
// must fit the syndicate record (at most 20 numbers, 205 bets, indexes into the chosen numbers)
// and its list entries and figures must be made without a crash.
#include "reduced/tablas.h"

#include <QByteArray>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t tamano)
{
    const QByteArray bytes(reinterpret_cast<const char *>(datos), static_cast<qsizetype>(tamano));
    const Tablas t = reducidas::interpreta(bytes);
    for (const TablaReducida &tabla : t.tablas) {
        if (tabla.n < 1 || tabla.n > reducidas::kMaxN || tabla.k < 1 ||
            tabla.k > reducidas::kMaxK || static_cast<int>(tabla.apuestas.size()) != tabla.k)
            __builtin_trap();
        for (const auto &apuesta : tabla.apuestas)
            for (int indice : apuesta)
                if (indice < 1 || indice > tabla.n)
                    __builtin_trap();
        (void)reducidas::entrada(tabla);
        (void)reducidas::cifras(tabla);
    }
    for (int n = 6; n <= reducidas::kMaxN; ++n) {
        const reducidas::Listado l = reducidas::listatablas(t, n);
        for (int ordinal : l.indicetablas)
            if (ordinal < 0 || ordinal >= static_cast<int>(t.tablas.size()))
                __builtin_trap();
    }
    return 0;
}
