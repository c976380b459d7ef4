#pragma once

#include "reports/informes.h"
#include "syndicates/pena.h"

#include <QLocale>

// The money report: the "Peña" row that the syndicate report prints, with the weekly stake.
namespace dinero {

// Cost of one week of play in single precision: bets × price × the draws a week the syndicate
// plays (one, two or three; none for days no option stores).
float apuestaSemanal(const Pena &pena, float precio);

// The row of the syndicate shown, with the effectiveness and played-draws texts as the syndicate
// manager shows them.
informes::FilaPena filaPena(const Pena &pena, float precio, const QString &aciertos,
                            const QString &sorteos);

// Numeric value at the start of a text, the way a label's caption is read as a number: "12" is
// 12, "-" or "" is 0, "3 sorteos" is 3.
double valorDe(const QString &texto);

// Caption of the stake label: "20 euros.".
QString textoEuros(float dinero, const QLocale &locale);

} // namespace dinero
