// libFuzzer target: the reader of the results service's answers on arbitrary bytes, as both
// JSON sources use it. It may not crash, and what it hands back must be what the download
// relies on: valid draws only, in ascending order, one per date; the failed and the pending
// entries in array order; breakdown places and amounts that the prize labels can show; figures
// that are unknown or plausible; and a batch that says the same.
#include "archive/importes.h"
#include "web/fuente.h"
#include "web/servicio.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t tamano)
{
    const QByteArray texto(reinterpret_cast<const char *>(datos), static_cast<qsizetype>(tamano));
    const servicio::Respuesta r = servicio::lee(texto);
    if (!r.json && (!r.sorteos.empty() || !r.invalidos.empty() || !r.pendientes.empty()))
        __builtin_trap();
    double anterior = 0;
    for (const servicio::SorteoLeido &s : r.sorteos) {
        if (!s.sorteo.esValido() || s.sorteo.fecha <= anterior)
            __builtin_trap();
        anterior = s.sorteo.fecha;
        // What is kept of a draw reads back as that draw.
        const servicio::Respuesta otra = servicio::lee('[' + s.entrada + ']');
        if (otra.sorteos.size() != 1 || !(otra.sorteos[0].sorteo == s.sorteo))
            __builtin_trap();
        for (const servicio::Categoria &c : s.escrutinio) {
            const int k = servicio::casilla(c);
            if (k < -1 || k >= Escrutinio::kCategorias)
                __builtin_trap();
            const QString importe = servicio::importe(c.premio);
            if (!importe.isEmpty() && !importe.contains(QLatin1Char(',')))
                __builtin_trap();
        }
        servicio::premios(s.escrutinio);
        // Figures the files can keep: what reads back from ganadores.dat and premios.dat.
        const GanadoresSorteo g = importes::ganadoresDe(s.sorteo.fecha, s.importes);
        const ImportesSorteo i = importes::desdeEscrutinio(s.sorteo.fecha, s.importes);
        if (!g.valido() || !i.valido())
            __builtin_trap();
        char registro[GanadoresSorteo::kLongitud];
        g.escribeEn(registro);
        if (!(GanadoresSorteo::desdeBytes(registro) == g))
            __builtin_trap();
        const QString pdf = servicio::direccionPdf(s.pdf, QStringLiteral("https://www.ejemplo.es"),
                                                   QStringLiteral("http://www.ejemplo.es"));
        if (!pdf.isEmpty() && !pdf.startsWith(QStringLiteral("http://www.ejemplo.es")) &&
            !pdf.startsWith(QStringLiteral("https://www.ejemplo.es")))
            __builtin_trap();
    }
    for (const auto *lista : {&r.invalidos, &r.pendientes}) {
        int posicion = 0;
        for (const servicio::Invalido &i : *lista) {
            if (i.posicion < posicion || i.posicion < 1)
                __builtin_trap();
            posicion = i.posicion;
        }
    }
    const Fuente::Lectura l = fuentes::leeServicio(texto);
    if ((l.forma == Fuente::Lectura::Forma::Lista) != r.json ||
        l.lote.sorteos.size() != r.sorteos.size() ||
        l.lote.excluidos.size() != r.invalidos.size() + r.pendientes.size())
        __builtin_trap();
    // The amounts on their own: the texts a field may hold.
    const QString corto = QString::fromUtf8(texto.left(64));
    servicio::importe(corto);
    if (const auto c = servicio::centimos(corto); c && (*c < 0 || *c > Escrutinio::kMaximo))
        __builtin_trap();
    if (const auto g = servicio::ganadores(corto); g && *g < 0)
        __builtin_trap();
    const int k = servicio::casillaJoker(corto, corto);
    if (k < -1 || k >= Escrutinio::kJoker)
        __builtin_trap();
    return 0;
}
