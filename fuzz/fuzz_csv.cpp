// libFuzzer target: the readers of draw files made by other programs (CSV and the JSON history)
// and the merge into the archive, on arbitrary bytes. Nothing may crash; every draw taken must
// be one the archive can hold; written back as CSV, the draws must read back the same; and a
// merge must keep the archive's draws and add each new day once.
#include "archive/intercambio.h"
#include "archive/textosorteos.h"

#include <QByteArray>
#include <cstdint>

namespace {
void compruebaLectura(const textosorteos::Lectura &l)
{
    if (l.invalidas < 0 || (l.primeraInvalida != 0) != (l.invalidas > 0))
        __builtin_trap();
    for (const Sorteo &s : l.sorteos)
        if (!textosorteos::admisible(s))
            __builtin_trap();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t tamano)
{
    const QByteArray texto(reinterpret_cast<const char *>(datos), static_cast<qsizetype>(tamano));
    const textosorteos::Lectura csv = textosorteos::leeCsv(texto);
    compruebaLectura(csv);
    const textosorteos::Lectura json = textosorteos::leeHistorico(texto);
    if (json.formato == textosorteos::Lectura::Formato::Historico)
        compruebaLectura(json);

    const textosorteos::Lectura otra = textosorteos::leeCsv(textosorteos::aCsv(csv.sorteos));
    if (otra.sorteos != csv.sorteos || otra.invalidas != 0)
        __builtin_trap();

    // The CSV's draws as an archive (by date, as the import leaves it), the JSON's as new ones.
    const intercambio::Fusion base = intercambio::fusiona({}, csv.sorteos);
    const intercambio::Fusion f = intercambio::fusiona(base.sorteos, json.sorteos);
    if (f.sorteos.size() != base.sorteos.size() + static_cast<size_t>(f.anadidos) ||
        static_cast<size_t>(f.anadidos + f.yaEstaban) != json.sorteos.size())
        __builtin_trap();
    for (size_t i = 1; i < f.sorteos.size(); ++i)
        if (!(f.sorteos[i - 1].fecha < f.sorteos[i].fecha))
            __builtin_trap();
    return 0;
}
