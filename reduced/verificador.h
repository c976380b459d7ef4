#pragma once

#include <array>
#include <cstdint>
#include <vector>

// Proof of a reduction table: a table of bets over the indexes 1..n "guarantees G" when, whatever
// six of the n chosen numbers are drawn, at least one bet holds G of them. The tables we ship and
// every table read from tablas.bin are checked here against each of the C(n, 6) winning sets.
namespace verificador {

// The guarantee the bets actually reach: the minimum, over every six-number subset W of {1..n},
// of the largest |bet ∩ W|. 0 when there are no bets. -1 when the input is not a table at all:
// n outside 6..31, or a bet with an index outside 1..n or a repeated index.
int garantia(int n, const std::vector<std::array<int, 6>> &apuestas);

// The bet as a bit mask (bit i-1 for index i), or 0 when it is not six distinct indexes 1..n.
std::uint32_t mascara(int n, const std::array<int, 6> &apuesta);

// How many six-number subsets of {1..n} no bet meets in g or more numbers (0 = guarantee holds).
// -1 for the same invalid input as garantia.
long long sinCubrir(int n, int g, const std::vector<std::array<int, 6>> &apuestas);

} // namespace verificador
