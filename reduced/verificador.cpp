#include "reduced/verificador.h"

#include <bit>

namespace verificador {

namespace {

// Masks of the bets, or an empty vector with ok = false when some bet is not valid.
std::vector<std::uint32_t> mascaras(int n, const std::vector<std::array<int, 6>> &apuestas,
                                    bool &ok)
{
    std::vector<std::uint32_t> m;
    m.reserve(apuestas.size());
    ok = n >= 6 && n <= 31;
    for (const auto &a : apuestas) {
        if (!ok)
            break;
        const std::uint32_t b = mascara(n, a);
        ok = b != 0;
        m.push_back(b);
    }
    return m;
}

// Calls f with every six-bit subset of the low n bits, in increasing numeric order (Gosper).
template <typename F> void cadaSeisDe(int n, F f)
{
    const std::uint32_t tope = std::uint32_t(1) << n;
    std::uint32_t w = 0x3F;
    while (w < tope) {
        if (!f(w))
            return;
        const std::uint32_t c = w & -w;
        const std::uint32_t r = w + c;
        w = (((r ^ w) >> 2) / c) | r;
    }
}

} // namespace

std::uint32_t mascara(int n, const std::array<int, 6> &apuesta)
{
    std::uint32_t m = 0;
    for (int i : apuesta) {
        if (i < 1 || i > n || i > 31)
            return 0;
        const std::uint32_t bit = std::uint32_t(1) << (i - 1);
        if (m & bit)
            return 0;
        m |= bit;
    }
    return m;
}

int garantia(int n, const std::vector<std::array<int, 6>> &apuestas)
{
    bool ok;
    const auto m = mascaras(n, apuestas, ok);
    if (!ok)
        return -1;
    if (m.empty())
        return 0;
    // A winning set only matters when its best bet is below the minimum seen so far, so the scan
    // of the bets stops at the first one that reaches it; a table that holds spends most sets on
    // one or two bets.
    int minimo = 6;
    cadaSeisDe(n, [&](std::uint32_t w) {
        int mejor = 0;
        for (std::uint32_t b : m) {
            const int c = std::popcount(b & w);
            if (c > mejor) {
                mejor = c;
                if (mejor >= minimo)
                    break;
            }
        }
        if (mejor < minimo)
            minimo = mejor;
        return minimo > 0;
    });
    return minimo;
}

long long sinCubrir(int n, int g, const std::vector<std::array<int, 6>> &apuestas)
{
    bool ok;
    const auto m = mascaras(n, apuestas, ok);
    if (!ok)
        return -1;
    long long cuenta = 0;
    cadaSeisDe(n, [&](std::uint32_t w) {
        bool cubierto = false;
        for (std::uint32_t b : m) {
            if (std::popcount(b & w) >= g) {
                cubierto = true;
                break;
            }
        }
        if (!cubierto)
            ++cuenta;
        return true;
    });
    return cuenta;
}

} // namespace verificador
