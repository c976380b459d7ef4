#include "app/recuento.h"
#include "archive/fechas.h"

#include <cmath>

int sorteosjugados(const std::vector<Sorteo> &sorteos, const std::vector<Pena> &penas)
{
    int jugados = 0;
    for (const Sorteo &s : sorteos) {
        const QString dia = diasemana(s.fecha);
        for (const Pena &p : penas) {
            if (p.juega(dia, s.fecha)) {
                ++jugados;
                break;
            }
        }
    }
    return jugados;
}

Recuento recuenta(const std::vector<Sorteo> &sorteos, const std::vector<Pena> &penas,
                  const QDate &hoy)
{
    Recuento r;
    r.proximosorteo = static_cast<int>(sorteos.size()) + 1;
    r.sorteosjugados = sorteosjugados(sorteos, penas);
    if (!sorteos.empty())
        r.actual = sorteos.back();

    r.hayDatos = r.actual.fecha != 0;
    r.ultimoTexto = r.hayDatos ? fechas::textoLargo(r.actual.fecha)
                               : QString::fromUtf8("Fichero de datos vacío.");

    const double hoySerial = fechas::serial(hoy);
    double dia = hoySerial;
    if (dia == r.actual.fecha)
        dia += 1;
    for (;;) {
        const QString nombre = diasemana(dia);
        if (nombre == QStringLiteral("Jueves") || nombre == QString::fromUtf8("Sábado"))
            break;
        dia += 1;
    }
    r.proximo = dia;
    r.proximoTexto = fechas::textoLargo(dia);
    const auto faltan = static_cast<qint64>(dia - hoySerial);
    r.cuentaAtras = faltan == 0 ? QString::fromUtf8("¡Hoy sorteo!")
                                : QString::fromUtf8("Faltan %1 días").arg(faltan);

    const double edad = std::floor(hoySerial) - std::floor(r.actual.fecha);
    if (edad <= 7) {
        r.avisoActualizar = false;
    } else {
        r.avisoActualizar = true;
        if (edad < 16)
            r.avisoTexto = QStringLiteral("Falta 1 semana por actualizar");
        else if (r.hayDatos)
            r.avisoTexto = QStringLiteral("Faltan %1 semanas por actualizar")
                               .arg(static_cast<qint64>(edad) / 7);
        else
            r.avisoTexto = QStringLiteral("No se ha actualizado nunca");
    }
    return r;
}
