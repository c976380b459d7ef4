#pragma once

#include "reduced/tablas.h"
#include "syndicates/pena.h"

// A reduction table applied to a syndicate record.
namespace reducidas {

// The table the editor opens on: stores its N and G in the record and returns it, or nullptr
// when there is no table with that ordinal (the record is then left alone).
const TablaReducida *situatabla(const Tablas &tablas, int tablasel, Pena &pena);
// Expands the table over the chosen numbers held in bet 1, positions 1..N (ascending): fills
// the chosen numbers and generates bets 1..K. Bet positions 7..20 and later bets are cleared.
void aplicatabla(const TablaReducida &tabla, Pena &pena);

} // namespace reducidas
