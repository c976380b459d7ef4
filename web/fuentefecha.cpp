// The operator's per-date service, /servicios/fechav3: the draw held on one day. It answers
// in the range service's shape; a day without a draw is not asked for.
#include "archive/fechas.h"
#include "web/direcciones.h"
#include "web/fuente.h"

namespace {
class FuenteFecha : public FuenteJson {
public:
    using FuenteJson::FuenteJson;
    std::vector<Peticion> peticiones(const QDate &desde, const QDate &hasta) const override
    {
        std::vector<Peticion> r;
        for (QDate d = desde; d.isValid() && d <= hasta; d = d.addDays(1)) {
            const double dia = fechas::serial(d);
            if (fechas::bitDia(dia) & fechas::diasDeSorteo(dia))
                r.push_back(peticion(direcciones::fecha(sitio(), d)));
        }
        // A range without a draw day still asks for its last day, so that the answer says
        // there is nothing new.
        if (r.empty() && hasta.isValid())
            r.push_back(peticion(direcciones::fecha(sitio(), hasta)));
        return r;
    }
    QUrl enNavegador(const QDate &, const QDate &hasta) const override
    {
        return direcciones::fecha(sitio(), hasta);
    }
};
} // namespace

std::unique_ptr<Fuente> fuenteFecha(const QString &sitio, const QString &agente)
{
    return std::make_unique<FuenteFecha>(sitio, agente);
}
