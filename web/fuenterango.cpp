// The operator's range service, /servicios/buscadorSorteos: every La Primitiva draw held in a
// range of days, newest first.
#include "web/direcciones.h"
#include "web/fuente.h"
#include "web/servicio.h"

namespace {
class FuenteRango : public Fuente {
public:
    FuenteRango(QString sitio, QString agente)
        : sitio_(std::move(sitio)), agente_(std::move(agente))
    {
    }
    std::vector<Peticion> peticiones(const QDate &desde, const QDate &hasta) const override
    {
        std::vector<Peticion> r;
        for (const auto &[inicio, fin] : servicio::tramos(desde, hasta))
            r.push_back({direcciones::servicio(sitio_, inicio, fin), fuentes::cabeceras(agente_)});
        return r;
    }
    Lectura lee(const QByteArray &respuesta) const override
    {
        return fuentes::leeServicio(respuesta);
    }
    QUrl enNavegador(const QDate &desde, const QDate &hasta) const override
    {
        return direcciones::servicio(sitio_, desde, hasta);
    }
    qint64 limite() const override { return servicio::kLimite; }

private:
    QString sitio_;
    QString agente_;
};
} // namespace

std::unique_ptr<Fuente> fuenteRango(const QString &sitio, const QString &agente)
{
    return std::make_unique<FuenteRango>(sitio, agente);
}
