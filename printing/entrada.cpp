#include "printing/entrada.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace entrada {

std::optional<double> decimal(const QString &texto)
{
    static const QRegularExpression forma(QStringLiteral("^[+-]?(\\d+([.,]\\d*)?|[.,]\\d+)$"));
    QString t = texto.trimmed();
    if (!forma.match(t).hasMatch())
        return std::nullopt;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool bien = false;
    const double v = t.toDouble(&bien);
    if (!bien || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<long long> entero(const QString &texto)
{
    static const QRegularExpression forma(QStringLiteral("^[+-]?\\d{1,18}$"));
    const QString t = texto.trimmed();
    if (!forma.match(t).hasMatch())
        return std::nullopt;
    bool bien = false;
    const long long v = t.toLongLong(&bien);
    if (!bien)
        return std::nullopt;
    return v;
}

Cambio desplazamiento(const QString &texto)
{
    if (texto.trimmed().isEmpty())
        return {Accion::Conserva, 0};
    const auto v = decimal(texto);
    if (!v || std::fabs(*v) > kDesplazaMaximo)
        return {Accion::Restaura, 0};
    return {Accion::Guarda, *v};
}

Cambio precio(const QString &texto)
{
    if (texto.trimmed().isEmpty())
        return {Accion::Conserva, 0};
    const auto v = decimal(texto);
    if (!v || *v < 0 || *v > kPrecioMaximo)
        return {Accion::Restaura, 0};
    if (*v == 0)
        return {Accion::Conserva, 0};
    return {Accion::Guarda, *v};
}

bool precioNulo(const QString &texto)
{
    const auto v = decimal(texto);
    return v && *v == 0;
}

Cambio profundidad(const QString &texto, int guardada)
{
    if (texto.trimmed().isEmpty())
        return {Accion::Guarda, double(std::max(guardada, kProfundidadMinima))};
    const auto v = entero(texto);
    if (!v || *v > std::numeric_limits<qint16>::max())
        return {Accion::Restaura, 0};
    return {Accion::Guarda, double(std::max<long long>(*v, kProfundidadMinima))};
}

} // namespace entrada
