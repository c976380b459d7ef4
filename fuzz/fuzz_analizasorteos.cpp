// libFuzzer target: the parse of a downloaded page, the prize breakdown and the maker's
// message on arbitrary bytes. None of them may crash, read outside the data or hand back a
// draw that the archive cannot hold.
#include "web/analisis.h"
#include "web/desglose.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t tamano)
{
    const QByteArray pagina(reinterpret_cast<const char *>(datos), static_cast<qsizetype>(tamano));
    // Against an empty archive (every date is new) and against a recent last draw.
    for (double referencia : {0.0, 46240.0}) {
        QString enlace;
        const analisis::Resultado r = analisis::lee(pagina, referencia, enlace);
        if (r.tomados.size() > static_cast<size_t>(analisis::kMaxSorteos))
            __builtin_trap();
        if (!r.error)
            for (const Sorteo &s : r.tomados)
                if (!s.esValido() || s.fecha <= referencia)
                    __builtin_trap();
    }
    const desglose::Desglose d = desglose::lee(pagina);
    if (d.enlacePdf.contains(QLatin1Char('"')))
        __builtin_trap();
    const desglose::Mensaje m =
        desglose::muestramensaje(QByteArray(), pagina, QStringLiteral("www.bolarium.es"));
    if (!m.nuevaWeb.isEmpty() && !desglose::esHostPlausible(m.nuevaWeb))
        __builtin_trap();
    return 0;
}
