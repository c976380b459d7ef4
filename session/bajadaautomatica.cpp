#include "session/bajadaautomatica.h"
#include "archive/fechas.h"
#include "archive/juego.h"

#include <cmath>

namespace bajadaautomatica {

namespace {
// An hour after the draw the operator has published its result; at nine the next morning the
// prize amounts it had not published that night.
constexpr double kHora = 1.0 / 24.0;
constexpr double kTrasSorteo = juego::kHoraSorteo + kHora; // 22:30
constexpr double kManana = 1.0 + 9.0 * kHora;              // 09:00 the day after
// Two draw days are never more than a week apart.
constexpr int kDiasAtras = 8;
} // namespace

double momento(const QDateTime &instante)
{
    if (!instante.isValid())
        return 0;
    return fechas::serial(instante.date()) + instante.time().msecsSinceStartOfDay() / 86400000.0;
}

double ultimoCelebrado(const QDateTime &ahora)
{
    const double ya = momento(ahora);
    const double primero = fechas::serial(juego::primerSorteo());
    for (int i = 0; i <= kDiasAtras; ++i) {
        const double dia = fechas::serial(ahora.date().addDays(-i));
        if (dia < primero)
            break;
        if (juego::esDiaDeSorteo(dia) && dia + kTrasSorteo <= ya)
            return dia;
    }
    return 0;
}

bool faltaSorteo(const QDateTime &ahora, double ultimoArchivado)
{
    const double celebrado = ultimoCelebrado(ahora);
    return celebrado > 0 && std::floor(ultimoArchivado) < celebrado;
}

Cita ultimaCita(const QDateTime &ahora)
{
    const double ya = momento(ahora);
    const double primero = fechas::serial(juego::primerSorteo());
    Cita r;
    // One day further back than the draws: the morning check of a draw is the day after it.
    for (int i = 0; i <= kDiasAtras + 1; ++i) {
        const double dia = fechas::serial(ahora.date().addDays(-i));
        if (dia < primero)
            break;
        if (!juego::esDiaDeSorteo(dia))
            continue;
        for (const double cita : {dia + kManana, dia + kTrasSorteo})
            if (cita <= ya && cita > r.momento)
                r = {cita, dia};
    }
    return r;
}

bool toca(const QDateTime &ahora, double ultimoArchivado, bool importesPendientes,
          const QDateTime &ultimaBajada)
{
    const Cita cita = ultimaCita(ahora);
    if (cita.momento == 0 || momento(ultimaBajada) >= cita.momento)
        return false;
    const double archivado = std::floor(ultimoArchivado);
    return archivado < cita.sorteo || (archivado == cita.sorteo && importesPendientes);
}

} // namespace bajadaautomatica
