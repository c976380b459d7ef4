#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

// Construction of reduction tables (lotto designs): K six-number bets over the indexes 1..n such
// that any six of the n numbers share at least g numbers with some bet. Used by the tool that
// writes data/tablas.bin; the program itself only reads that file.
namespace generador {

using Apuesta = std::array<int, 6>;

// Greedy cover: bet after bet, the six-number set that covers most winning sets still uncovered
// (the first in lexicographic order on a tie). 6 <= n <= 20, 1 <= g <= 6.
std::vector<Apuesta> voraz(int n, int g);

// One cooling: the temperature falls geometrically from `inicial` to `final` over the moves of a
// try (the cost is the count of uncovered winning sets, so a temperature t accepts a move that
// uncovers d more sets with probability e^(-d/t)).
struct Enfriamiento {
    double inicial = 1.0;
    double final = 0.1;
};

struct Recocido {
    std::uint64_t semilla = 1;
    // Moves allowed for each try at a table size.
    long long pasos = 2'000'000;
    // Tries at one size, each from the last complete table with the next cooling of the list
    // (cyclically), before the search stops.
    int intentos = 1;
    std::vector<Enfriamiento> enfriamientos{Enfriamiento{}};
    // Stop once this size is reached (a proved lower bound or a target).
    int objetivo = 1;
};

// Shrinks a table that reaches g by simulated annealing: drops the bet whose loss uncovers the
// fewest winning sets (a random one on a new try at the same size), then moves numbers between
// bets until every winning set is covered again, and repeats. Returns the smallest complete table
// found (the starting one when none is smaller); throws std::invalid_argument when `inicio` is
// not a table over 1..n that reaches g. Deterministic for a given seed. `avance`, when set, hears
// each size reached.
std::vector<Apuesta> reduce(int n, int g, const std::vector<Apuesta> &inicio,
                            const Recocido &ajustes,
                            const std::function<void(int k)> &avance = nullptr);

// The smallest size any table for (n, g) can have that we know of as proved (1 when unknown);
// the search stops there.
int cotaInferior(int n, int g);

// The searches the shipped tables come from: independent ones, each from the greedy table.
std::vector<Recocido> plan(int n, int g);

// The smallest table the searches of the plan make from the greedy one (the first on a tie),
// bets in ascending order. What the tool writes for (n, g).
std::vector<Apuesta> mejorTabla(int n, int g, const std::function<void(int k)> &avance = nullptr);

} // namespace generador
