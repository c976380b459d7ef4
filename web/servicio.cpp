#include "web/servicio.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "archive/juego.h"
#include "archive/texto.h"
#include "web/direcciones.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>

namespace servicio {

QString direccionPdf(const QString &pdf, const QString &sitio, const QString &sitioPdf)
{
    const QString t = pdf.trimmed();
    if (!esPdf(t))
        return {};
    if (t.startsWith(QLatin1Char('/')) && !t.startsWith(QStringLiteral("//")))
        return direcciones::enSitio(sitioPdf, t);
    const QUrl direccion(
        t.startsWith(QStringLiteral("//")) ? QUrl(sitioPdf).scheme() + QLatin1Char(':') + t : t);
    const QString esquema = direccion.scheme().toLower();
    if (!direccion.isValid() ||
        (esquema != QStringLiteral("http") && esquema != QStringLiteral("https")))
        return {};
    const QString host = direccion.host().toLower();
    if (host.isEmpty() ||
        (host != QUrl(sitio).host().toLower() && host != QUrl(sitioPdf).host().toLower()))
        return {};
    return direccion.toString();
}

QDate inicio(double ultimo)
{
    const QDate d = fechas::dia(ultimo);
    return ultimo == 0 || !d.isValid() ? primerSorteo() : d.addDays(1);
}

std::vector<std::pair<QDate, QDate>> tramos(QDate desde, QDate hasta)
{
    std::vector<std::pair<QDate, QDate>> r;
    if (!hasta.isValid())
        return r;
    if (!desde.isValid() || desde > hasta)
        desde = hasta;
    while (desde <= hasta) {
        const QDate fin = std::min(desde.addYears(1).addDays(-1), hasta);
        r.emplace_back(desde, fin);
        desde = fin.addDays(1);
    }
    return r;
}

Agregado agrega(const Lote &lote, ArchivoSorteos &archivo, const QDate &hasta)
{
    Agregado a;
    const double referencia = archivo.vacio() ? 0 : archivo.ultimo().fecha;
    const double tope = fechas::serial(hasta);
    double corte = std::numeric_limits<double>::infinity();
    for (const Excluido &i : lote.excluidos) {
        const bool pendiente = i.motivo == Excluido::Motivo::Pendiente;
        if (i.fecha == 0 && !pendiente) {
            a.invalido = i;
            return a;
        }
        if (i.fecha > referencia && i.fecha <= tope && i.fecha < corte) {
            corte = i.fecha;
            if (pendiente)
                a.invalido.reset();
            else
                a.invalido = i;
        }
    }
    std::vector<Sorteo> nuevos;
    for (const Recibido &s : lote.sorteos) {
        if (s.sorteo.fecha > referencia && s.sorteo.fecha <= tope && s.sorteo.fecha < corte) {
            nuevos.push_back(s.sorteo);
            a.ultimo = &s;
        }
    }
    if (nuevos.empty())
        return a;
    a.encontrados = static_cast<int>(nuevos.size());
    if (archivo.cuenta() + static_cast<int>(nuevos.size()) > ArchivoSorteos::kMaximo) {
        a.lleno = true;
        a.ultimo = nullptr;
        return a;
    }
    a.escritura = archivo.agrega(nuevos);
    if (a.escritura == Escritura::Hecha)
        a.nuevos = static_cast<int>(nuevos.size());
    else
        a.ultimo = nullptr;
    return a;
}

QString tituloNoValido()
{
    return u("Datos no válidos");
}

QString textoHttp(const QString &host, int codigo)
{
    return u("El servicio de resultados de %1 ha respondido con un error (HTTP %2). Pruebe más "
             "tarde.")
        .arg(host)
        .arg(codigo);
}

QString textoNoJson(const QString &host)
{
    return u("La respuesta del servicio de resultados de %1 no es una lista de sorteos en JSON. "
             "Pruebe más tarde.")
        .arg(host);
}

QString textoLimitado(const QString &host, int codigo, int intentos)
{
    return u("El servicio de resultados de %1 pide esperar antes de volver a preguntar (HTTP "
             "%2) y ha seguido pidiéndolo tras %3 intentos. Pruebe dentro de unos minutos.")
        .arg(host)
        .arg(codigo)
        .arg(intentos);
}

QString textoRechazado(const QString &host, int codigo)
{
    return codigo != 0
               ? u("El servidor de %1 ha rechazado la conexión del programa (HTTP %2).")
                     .arg(host)
                     .arg(codigo)
               : u("El servidor de %1 ha rechazado la conexión del programa: ha enviado una página "
                   "web en lugar de los sorteos.")
                     .arg(host);
}

QString textoRechazo(const QString &host, int codigo)
{
    return textoRechazado(host, codigo) +
           u("\n\nPuede traer los sorteos con el navegador:\n"
             "1. Abra la dirección de los sorteos que faltan y guarde la página con "
             "«Guardar como...».\n"
             "2. En el programa, elija «Importar sorteos de un archivo...» y abra el "
             "archivo guardado.\n\n"
             "¿Quiere abrir ahora esa dirección en el navegador?");
}

QString tituloRechazo()
{
    return u("Conexión rechazada");
}

QString textoEtiquetas(const QString &host, const QStringList &etiquetas)
{
    return u("El servicio de resultados de %1 nombra categorías de premios que el programa no "
             "conoce (%2). Sus importes quedan sin conocer; puede que haya que actualizar el "
             "programa.")
        .arg(host, etiquetas.join(u("; ")));
}

QString textoImportesActualizados(int cuantos)
{
    return cuantos == 1 ? u("IMPORTES ACTUALIZADOS: 1 SORTEO")
                        : u("IMPORTES ACTUALIZADOS: %1 SORTEOS").arg(cuantos);
}

QString textoGrande(const QString &host)
{
    return u("La respuesta del servicio de resultados de %1 pasa de %2 MB y se ha descartado. "
             "Pruebe más tarde.")
        .arg(host)
        .arg(kLimite / (1024 * 1024));
}

QString textoInvalido(const QString &host, const Excluido &invalido, bool guardados)
{
    const QString cual =
        invalido.fecha != 0 && !juego::esDiaDeSorteo(invalido.fecha)
            ? u("El servicio de resultados de %1 ha enviado un sorteo del %2, %3, que no es día "
                "de sorteo.")
                  .arg(host, fechas::textoCorto(invalido.fecha),
                       diasemana(invalido.fecha).toLower())
        : invalido.fecha != 0
            ? u("El servicio de resultados de %1 ha enviado datos no válidos del sorteo del %2.")
                  .arg(host, fechas::textoCorto(invalido.fecha))
            : u("El servicio de resultados de %1 ha enviado un sorteo sin fecha válida (entrada "
                "%2 de la respuesta).")
                  .arg(host)
                  .arg(invalido.posicion);
    return cual + (guardados ? u(" Los sorteos anteriores se han guardado; pruebe más tarde para "
                                 "descargar el resto.")
                             : u(" No se ha guardado ningún sorteo nuevo. Pruebe más tarde."));
}

QString textoImportesNoValidos(const QString &host, const QStringList &importes)
{
    return u("El servicio de resultados de %1 ha enviado importes de premios que no son una "
             "cantidad válida (%2): deben ser céntimos enteros, de 0 a 200 millones de euros. "
             "Esos premios quedan pendientes hasta que lleguen bien.")
        .arg(host, importes.join(u("; ")));
}

QString textoDocumentoEnWeb()
{
    return u("El documento oficial del sorteo está en la web del operador. Pulse aquí para "
             "abrirla.");
}

} // namespace servicio
