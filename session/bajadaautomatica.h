#pragma once

#include <QDateTime>

// When the program brings new draws without a click: at start-up, when a draw held more than
// an hour ago is missing, and while it is open, at 22:30 of each draw day and at 09:00 of the
// day after while that draw or its amounts are still missing. Every moment here is Madrid's
// wall-clock time (the program's clock, juego::ahora); nothing here reads a clock or a file,
// so that the main window's timer only asks and acts.
namespace bajadaautomatica {

// A moment as a serial date: the day and the fraction of it gone.
double momento(const QDateTime &instante);

// The newest draw held at least an hour before `ahora` (its serial date), 0 when none was.
double ultimoCelebrado(const QDateTime &ahora);

// At start-up: a draw held at least an hour ago is not in an archive whose newest draw is
// `ultimoArchivado` (0: an empty archive).
bool faltaSorteo(const QDateTime &ahora, double ultimoArchivado);

// The last time of a check reached by `ahora`: 22:30 of a draw day, or 09:00 of the day after
// one, and the draw it is for. `momento` 0: none.
struct Cita {
    double momento = 0;
    double sorteo = 0;
};
Cita ultimaCita(const QDateTime &ahora);

// Whether a download is due at `ahora`: a check time has come since the last download started
// (or the program did, when none has; `ultimaBajada`), and the draw it is for is not archived,
// or is the newest archived draw (`ultimoArchivado`) with amounts still unknown
// (`importesPendientes`). A check time that passed while the program was closed is start-up's.
bool toca(const QDateTime &ahora, double ultimoArchivado, bool importesPendientes,
          const QDateTime &ultimaBajada);

} // namespace bajadaautomatica
