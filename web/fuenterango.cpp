// The operator's range service, /servicios/buscadorSorteos: every La Primitiva draw held in a
// range of days, newest first.
#include "web/direcciones.h"
#include "web/fuente.h"
#include "web/servicio.h"

namespace {
class FuenteRango : public FuenteJson {
public:
    using FuenteJson::FuenteJson;
    std::vector<Peticion> peticiones(const QDate &desde, const QDate &hasta) const override
    {
        std::vector<Peticion> r;
        for (const auto &[inicio, fin] : servicio::tramos(desde, hasta))
            r.push_back(peticion(direcciones::servicio(sitio(), inicio, fin)));
        return r;
    }
    QUrl enNavegador(const QDate &desde, const QDate &hasta) const override
    {
        return direcciones::servicio(sitio(), desde, hasta);
    }
};
} // namespace

std::unique_ptr<Fuente> fuenteRango(const QString &sitio, const QString &agente)
{
    return std::make_unique<FuenteRango>(sitio, agente);
}
