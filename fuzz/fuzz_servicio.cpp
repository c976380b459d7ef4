// libFuzzer target: the reader of the results service's answers on arbitrary bytes. It may not
// crash, and what it hands back must be what the download relies on: valid draws only, in
// ascending order, one per date; the failed entries in array order; breakdown places and
// amounts that the prize labels can show.
#include "web/servicio.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t tamano)
{
    const QByteArray texto(reinterpret_cast<const char *>(datos), static_cast<qsizetype>(tamano));
    const servicio::Respuesta r = servicio::lee(texto);
    if (!r.json && (!r.sorteos.empty() || !r.invalidos.empty()))
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
            if (k < -1 || k > 5)
                __builtin_trap();
            const QString importe = servicio::importe(c.premio);
            if (!importe.isEmpty() && !importe.contains(QLatin1Char(',')))
                __builtin_trap();
        }
        servicio::premios(s.escrutinio);
        const QString pdf = servicio::direccionPdf(s.pdf, QStringLiteral("https://www.ejemplo.es"),
                                                   QStringLiteral("http://www.ejemplo.es"));
        if (!pdf.isEmpty() && !pdf.startsWith(QStringLiteral("http://www.ejemplo.es")) &&
            !pdf.startsWith(QStringLiteral("https://www.ejemplo.es")))
            __builtin_trap();
    }
    int posicion = 0;
    for (const servicio::Invalido &i : r.invalidos) {
        if (i.posicion < posicion || i.posicion < 1)
            __builtin_trap();
        posicion = i.posicion;
    }
    // The amounts on their own: the texts a field may hold.
    servicio::importe(QString::fromUtf8(texto.left(64)));
    return 0;
}
