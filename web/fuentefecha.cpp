// The operator's per-date service, /servicios/fechav3: the draw held on one day. It answers
// in the range service's shape; a day without a draw is not asked for.
#include "archive/fechas.h"
#include "web/direcciones.h"
#include "web/fuente.h"
#include "web/servicio.h"

namespace {
class FuenteFecha : public Fuente {
public:
    FuenteFecha(QString sitio, QString agente)
        : sitio_(std::move(sitio)), agente_(std::move(agente))
    {
    }
    std::vector<Peticion> peticiones(const QDate &desde, const QDate &hasta) const override
    {
        std::vector<Peticion> r;
        for (QDate d = desde; d.isValid() && d <= hasta; d = d.addDays(1)) {
            const double dia = fechas::serial(d);
            if (fechas::bitDia(dia) & fechas::diasDeSorteo(dia))
                r.push_back({direcciones::fecha(sitio_, d), fuentes::cabeceras(agente_)});
        }
        // A range without a draw day still asks for its last day, so that the answer says
        // there is nothing new.
        if (r.empty() && hasta.isValid())
            r.push_back({direcciones::fecha(sitio_, hasta), fuentes::cabeceras(agente_)});
        return r;
    }
    Lectura lee(const QByteArray &respuesta) const override
    {
        return fuentes::leeServicio(respuesta);
    }
    QUrl enNavegador(const QDate &, const QDate &hasta) const override
    {
        return direcciones::fecha(sitio_, hasta);
    }
    qint64 limite() const override { return servicio::kLimite; }

private:
    QString sitio_;
    QString agente_;
};
} // namespace

std::unique_ptr<Fuente> fuenteFecha(const QString &sitio, const QString &agente)
{
    return std::make_unique<FuenteFecha>(sitio, agente);
}
