#pragma once

#include <QDate>
#include <QDateTime>
#include <QtGlobal>
#include <cmath>
#include <cstddef>

// Functions that count bits are built twice, with the processor's own bit count (every x86-64
// processor of the last fifteen years has it) and plain for the rest, and the loader picks
// one: the program still runs on the oldest x86-64, and the counting loops run at full speed
// everywhere else.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define BOLARIUM_CUENTA_BITS __attribute__((target_clones("popcnt", "default")))
#else
#define BOLARIUM_CUENTA_BITS
#endif

// The rules of La Primitiva that the program relies on, in one place: when it is drawn, what a
// bet's hits win, the Joker's categories and the state's tax on big prizes. The checking
// passes, the prize counters, the listings and the money all ask here.
namespace juego {

// --- When it is drawn ---
// The first draw, Thursday 17/10/1985. Saturday draws from 19/05/1990 and Monday draws from
// 11/07/2022 (the first draw of each day in the public history of the game).
QDate primerSorteo();
QDate primerSabado();
QDate primerLunes();
// The weekdays drawn on a date (serial day), as fechas::bitDia bits.
int diasDeSorteo(double fecha);
// Whether a draw can be held on `fecha`: its weekday is one of the draw days of its time.
bool esDiaDeSorteo(double fecha);
// The draw is held at 21:30, Madrid time: as a fraction of a day, added to a draw's date to get
// its moment.
constexpr double kHoraSorteo = 21.5 / 24.0;
// Every moment the program stores or compares with a draw (now, today, a syndicate's creation,
// the next draw) is Madrid's wall-clock time as a serial date, whatever the machine's time zone:
// the draws are held in Madrid, and a machine in another zone must not see a draw day start or
// end hours away from it. The program's clock is read here, and only here.
//
// The moment `instante` as Madrid's clock shows it (its date() and time() are Madrid's). When
// the system knows no Europe/Madrid zone, the machine's local time is the best there is.
QDateTime enMadrid(const QDateTime &instante);
// Now, on Madrid's clock.
QDateTime ahora();
// Whether a draw held on `fecha` (its day) counts for a syndicate that started to play at the
// moment `creacion`: its moment is not earlier than that. A syndicate made on the morning of a
// draw day plays that evening's draw; one made after it does not.
inline bool despuesDe(double fecha, double creacion)
{
    return !(std::floor(fecha) + kHoraSorteo < creacion);
}

// --- What a bet wins ---
// The categories in one numbering, the order of premios.dat and of a breakdown.
enum Categoria { kNinguna = -1, kEspecial = 0, kPrimera, kSegunda, kTercera, kCuarta, kQuinta };
constexpr int kCategorias = 6;
// The refund was first drawn on 20/06/1991; the special category (6 hits and the refund) is
// paid since 2013 (before it a breakdown has the five categories 1ª to 5ª).
QDate primerReintegro();
QDate primerEspecial();
// Category of a six-number bet by its hits, whether it holds the complementary, and whether
// the slip's refund digit came out.
Categoria categoria(int aciertos, bool complementario, bool reintegro);
// The prize counter of apuestas.dat a category raises: by hits 3, 4, 5, 6 and 7 (five plus
// the complementary); the special category is six hits too.
int contador(Categoria categoria);
// The category a counter of apuestas.dat stands for (the special one is counted as 1ª).
Categoria deContador(int contador);

// Numbers of a bet (a bit a number) among those of a draw (a bit a winning number).
int aciertos(quint64 apuesta, quint64 ganadores);
// The one classifier every six-number bet goes through: adds to `porCategoria` (kCategorias
// entries, in the order of Categoria) the bets of `apuestas` that win each category in a
// draw. A bet of mask 0 (not checkable) wins nothing.
void clasifica(const quint64 *apuestas, size_t cuantas, quint64 ganadores, quint64 complementario,
               bool reintegro, int *porCategoria);

// --- The Joker ---
// Played since 27/09/2012 (its first draw in the public history), 1 € a number.
QDate primerJoker();
constexpr qint64 kPrecioJoker = 100; // cents
// Category of a Joker number against the draw's: the digits that match from the first one or
// from the last one, whichever are more. 0..5 the categories 1ª (all seven) to 6ª (two);
// kJokerReintegro one digit (the number's price back); -1 nothing, or a draw without a Joker.
constexpr int kCategoriasJoker = 6;
constexpr int kJokerReintegro = 6;
int categoriaJoker(qint64 numero, qint64 sorteo);

// --- The tax ---
// The state's special tax withholds 20 % of the part of each bet's prize above the exempt
// amount, by the date of the draw: none before 2013; 2.500 € from 01/01/2013 (Ley 16/2012);
// 10.000 € from 05/07/2018, 20.000 € from 01/01/2019 and 40.000 € from 01/01/2020
// (Ley 6/2018). Cents withheld from one bet's prize of `centimos` in the draw of `fecha`.
qint64 retencion(qint64 centimos, double fecha);
// The same in two steps, for a loop over many prizes of the same draw: the exempt amount in
// force on `fecha` in cents (kSinRetencion when nothing is withheld)...
constexpr qint64 kSinRetencion = -1;
qint64 exento(double fecha);
// ...and what is withheld of a prize under it.
constexpr qint64 retencionSobre(qint64 centimos, qint64 exento)
{
    if (exento < 0 || centimos <= exento)
        return 0;
    return ((centimos - exento) * 20 + 50) / 100;
}

} // namespace juego
