// libFuzzer target: the draw archive numeros.dat as the program reads it at start-up, on
// arbitrary bytes: the records, the damaged ones left out, the older layout's test, the archive
// scan and the statistics pass. Nothing may crash or convert a value it cannot hold (UBSan),
// and what is left in memory must be draws the program can count.
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "archive/sorteo.h"
#include "session/recuento.h"
#include "stats/estadisticas.h"

#include <QByteArray>
#include <QDate>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t tamano)
{
    const QByteArray bytes(reinterpret_cast<const char *>(datos), static_cast<qsizetype>(tamano));
    const std::vector<Sorteo> leidos = ArchivoSorteos::deserializa(bytes);
    if (leidos.size() != static_cast<size_t>(bytes.size() / Sorteo::kLongitud))
        __builtin_trap();
    const QDate hoy(2026, 8, 18);
    std::vector<Sorteo> buenos;
    for (const Sorteo &s : leidos) {
        if (Sorteo::desdeBytes(s.aBytes().constData()).aBytes() != s.aBytes())
            __builtin_trap();
        if (!ArchivoSorteos::danado(s))
            buenos.push_back(s);
    }
    const Recuento r = recuenta(buenos, {}, hoy);
    if (r.proximosorteo != static_cast<int>(buenos.size()) + 1 || r.sorteosjugados != 0)
        __builtin_trap();
    const stats::Resultado e = stats::estadisticas(buenos, stats::FiltroDias{}, 0);
    // Every draw the statistics count is a real draw: a damaged one never got this far.
    if (e.ilegible == 0)
        for (const stats::FilaSorteo &f : e.filas)
            if (f.registro < 1 || f.registro > static_cast<int>(buenos.size()) ||
                !buenos[static_cast<size_t>(f.registro - 1)].esValido())
                __builtin_trap();
    for (const Sorteo &s : buenos) {
        (void)fechas::textoLargo(s.fecha);
        (void)diasemana(s.fecha);
    }
    return 0;
}
