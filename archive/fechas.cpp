#include "archive/fechas.h"
#include "archive/juego.h"

#include <cmath>

namespace {
const QDate kOrigen(1899, 12, 30);
// Far beyond any draw; keeps QDate arithmetic away from absurd values read from a file.
constexpr double kLimite = 3000000.0;

const char *const kDias[] = {"Domingo", "Lunes",   "Martes", "Miércoles",
                             "Jueves",  "Viernes", "Sábado"};
const char *const kMeses[] = {"enero",      "febrero", "marzo",     "abril",
                              "mayo",       "junio",   "julio",     "agosto",
                              "septiembre", "octubre", "noviembre", "diciembre"};
} // namespace

namespace fechas {

double serial(const QDate &dia)
{
    return dia.isValid() ? static_cast<double>(kOrigen.daysTo(dia)) : 0.0;
}

QDate dia(double serial)
{
    if (!std::isfinite(serial) || std::fabs(serial) > kLimite)
        return {};
    return kOrigen.addDays(static_cast<qint64>(std::floor(serial)));
}

int numeroDia(double serial)
{
    const QDate d = dia(serial);
    if (!d.isValid())
        return 0;
    return d.dayOfWeek() % 7 + 1; // Qt: Monday 1 .. Sunday 7
}

int bitDia(double serial)
{
    const int n = numeroDia(serial);
    return n == 0 ? 0 : 1 << n;
}

double primerLunes()
{
    return serial(juego::primerLunes());
}

int diasDeSorteo(double serial)
{
    return juego::diasDeSorteo(serial);
}

QString textoLargo(double serial)
{
    const QDate d = dia(serial);
    if (!d.isValid())
        return {};
    return QStringLiteral("%1, %2 de %3 del %4")
        .arg(diasemana(serial))
        .arg(d.day())
        .arg(QString::fromUtf8(kMeses[d.month() - 1]))
        .arg(d.year());
}

QString textoCorto(double serial)
{
    const QDate d = dia(serial);
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

} // namespace fechas

QString diasemana(double dime)
{
    const int n = fechas::numeroDia(dime);
    return n == 0 ? QString() : QString::fromUtf8(kDias[n - 1]);
}
