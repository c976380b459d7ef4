#pragma once

#include <QDate>
#include <QString>

// Dates are kept as the day count since 30 December 1899 in a double, the way the
// record files store them: the whole part is the day, 0 means "no date".
namespace fechas {

double serial(const QDate &dia);
// Invalid QDate for 0, for values that are not finite, or far outside any real calendar.
QDate dia(double serial);
// "Domingo" = 1 ... "Sábado" = 7, the week as the draw days are named.
int numeroDia(double serial);
// The weekday of a date as one bit, 1 << numeroDia (0 for no date), so that a set of
// weekdays is a mask of these bits.
int bitDia(double serial);
constexpr int kLunes = 1 << 2;
constexpr int kJueves = 1 << 5;
constexpr int kSabado = 1 << 7;
// The first Monday draw: from this date on La Primitiva is drawn on Monday too.
double primerLunes();
// The draw days in force on a date (juego::diasDeSorteo): Thursday, Saturday from 1990, Monday
// from primerLunes().
int diasDeSorteo(double serial);
// Long text used by the main window: "Jueves, 5 de marzo del 2020".
QString textoLargo(double serial);
// Short day/month/year text with a four-digit year: "05/03/2020".
QString textoCorto(double serial);

} // namespace fechas

// Spanish weekday name of a serial date ("Domingo" ... "Sábado"); empty for a date that
// cannot exist.
QString diasemana(double dime);
