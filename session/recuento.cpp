#include "session/recuento.h"
#include "archive/fechas.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {
// A double as a whole number, for the texts: only values a qint64 can hold are converted.
qint64 enteroAcotado(double valor)
{
    constexpr double kTope = 9.0e15;
    if (!std::isfinite(valor))
        return 0;
    return static_cast<qint64>(std::clamp(valor, -kTope, kTope));
}
} // namespace

int sorteosjugados(const std::vector<Sorteo> &sorteos, const std::vector<Pena> &penas)
{
    // A draw is played by some syndicate exactly when it is held after the earliest creation
    // among the syndicates of its weekday (juego::despuesDe); so one pass over the syndicates
    // and one over the draws are enough, however many of each there are.
    constexpr double kNunca = std::numeric_limits<double>::infinity();
    std::array<double, 8> desde;
    desde.fill(kNunca);
    for (const Pena &p : penas) {
        const int dias = diasjuego::mascara(p.diasTexto());
        // A creation date that is not a number holds no draw back.
        const double creada = std::isnan(p.creacion) ? -kNunca : p.creacion;
        for (int d = 1; d <= 7; ++d)
            if (dias & (1 << d))
                desde[static_cast<size_t>(d)] = std::min(desde[static_cast<size_t>(d)], creada);
    }
    int jugados = 0;
    for (const Sorteo &s : sorteos) {
        const int d = fechas::numeroDia(s.fecha);
        if (d != 0 && juego::despuesDe(s.fecha, desde[static_cast<size_t>(d)]))
            ++jugados;
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
    while ((fechas::bitDia(dia) & fechas::diasDeSorteo(dia)) == 0)
        dia += 1;
    r.proximo = dia;
    r.proximoTexto = fechas::textoLargo(dia);
    const auto faltan = enteroAcotado(dia - hoySerial);
    r.cuentaAtras = faltan == 0   ? QString::fromUtf8("¡Hoy sorteo!")
                    : faltan == 1 ? QString::fromUtf8("Falta 1 día")
                                  : QString::fromUtf8("Faltan %1 días").arg(faltan);

    // The newest draw's date comes from the file: a value that is no day at all (not a number,
    // infinite, beyond any calendar) is treated as no date, never converted as it is.
    const bool fechaValida = fechas::dia(r.actual.fecha).isValid();
    const double ultimo = fechaValida ? r.actual.fecha : 0;
    const double edad = std::floor(hoySerial) - std::floor(ultimo);
    if (edad <= 7) {
        r.avisoActualizar = false;
    } else {
        r.avisoActualizar = true;
        if (edad < 16)
            r.avisoTexto = QStringLiteral("Falta 1 semana por actualizar");
        else if (r.hayDatos && fechaValida)
            r.avisoTexto =
                QStringLiteral("Faltan %1 semanas por actualizar").arg(enteroAcotado(edad) / 7);
        else
            r.avisoTexto = QStringLiteral("No se ha actualizado nunca");
    }
    return r;
}
