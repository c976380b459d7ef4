#pragma once

#include "reports/ganancias.h"

#include <QString>
#include <vector>

// Which syndicates won what in one draw, said in a line each: what a notice on the desktop
// tells when a download brings a prize, and what a check without windows can print.
namespace premiados {

struct Premio {
    int registro = 0; // the syndicate's record number in apuestas.dat
    QString pena;     // its name
    ganancias::Jugada jugada;
};

// Whether a draw brought the syndicate anything: a bet in a category, a refund or a Joker prize.
bool hayPremio(const ganancias::Jugada &jugada);

// The hits of the winning bets, best first: "6 aciertos y reintegro", "5 aciertos y
// complementario", "2 × 4 aciertos", "reintegro", "Joker de 3ª categoría", joined with commas.
QString textoAciertos(const ganancias::Jugada &jugada);
// What it is worth before the tax: "77,54 €"; "77,54 € (provisional)" while the amount of some
// of it is not known; "importe pendiente" while none of it is.
QString textoImporte(const ganancias::Jugada &jugada);
// "Peña OFICINA: 4 aciertos en el sorteo del jueves 10/12/2026 — 77,54 €".
QString linea(const Premio &premio);

} // namespace premiados
