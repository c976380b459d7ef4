#include "web/fuente.h"
#include "archive/respuestaservicio.h"

Fuente::Lectura FuenteJson::lee(const QByteArray &respuesta) const
{
    return fuentes::leeServicio(respuesta);
}

qint64 FuenteJson::limite() const
{
    return servicio::kLimite;
}

Fuente::Peticion FuenteJson::peticion(const QUrl &direccion) const
{
    Transferencia::Cabeceras cabeceras{{"Accept", "application/json"}};
    if (!agente_.isEmpty())
        cabeceras.append({"User-Agent", agente_.toUtf8()});
    return {direccion, cabeceras};
}

namespace fuentes {

Fuente::Lectura leeServicio(const QByteArray &respuesta)
{
    Fuente::Lectura l;
    const servicio::Respuesta r = servicio::lee(respuesta);
    if (r.grande) {
        l.forma = Fuente::Lectura::Forma::Grande;
        return l;
    }
    if (!r.json) {
        // A gate in front of the service (a refusal, a challenge) answers with a web page.
        const QByteArray inicio = respuesta.left(512).trimmed().toLower();
        l.forma =
            inicio.startsWith('<') && (inicio.contains("<html") || inicio.contains("<!doctype"))
                ? Fuente::Lectura::Forma::Pagina
                : Fuente::Lectura::Forma::NoEsLista;
        return l;
    }
    l.forma = Fuente::Lectura::Forma::Lista;
    l.lote = servicio::lote(r);
    if (!r.sorteos.empty())
        l.entradaUltimo = r.sorteos.back().entrada;
    return l;
}

} // namespace fuentes
