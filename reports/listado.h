#pragma once

#include "archive/sorteo.h"
#include "syndicates/pena.h"

#include <QLocale>
#include <QStringList>
#include <array>
#include <vector>

// What the syndicate manager shows of one syndicate, and the bet rows of its listing report.
namespace listado {

// The number the error message shows when a record cannot be shown (a bet count or type no
// syndicate can have, or a reduced table of more than 20 numbers).
inline constexpr int kRegistroMalo = 9;

struct Ficha {
    int error = 0;                      // 0, or kRegistroMalo
    bool vacia = false;                 // no syndicates: only the figures are cleared
    QStringList apuestas;               // ListView5 and "Peñanums"
    int altoTwips = 0;                  // height of ListView5
    std::array<qint16, 5> contadores{}; // Label3_0..4: hits of 3, 4, 5, 6, 5 + complementary
    QString jugados;                    // Label17
    QString efectividad;                // Label16
    int sinPremio = 0;                  // MSChart3: played draws without prize
    int premios = 0;                    // MSChart3: prizes
    QString tipo;                       // Label28
    QString elegidos;                   // Label29
};

// The numbers in stored order, each below 10 preceded by a blank, joined by "-".
QString textoApuesta(const qint16 *numeros, int cuantos);

// Height of the bet list for this many rows, in twips.
int altoLista(int filas);

// Draws on the syndicate's days since its creation.
int sorteosJugados(const Pena &pena, const std::vector<Sorteo> &sorteos);

// A percentage rounded to one decimal, halves to even, with the locale's separator and no
// trailing zero: 12,5 or 40.
QString unDecimal(double valor, const QLocale &locale);

// Syndicate r (1-based) of `penas`; an empty list gives the empty figures.
Ficha ficha(const std::vector<Pena> &penas, int r, const std::vector<Sorteo> &sorteos,
            const QLocale &locale);

} // namespace listado
