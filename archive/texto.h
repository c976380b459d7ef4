#pragma once

#include <QString>

// A Spanish text written in the source as UTF-8. Every text goes through an explicit
// conversion (QT_NO_CAST_FROM_ASCII): this is the short way to write one.
inline QString u(const char *texto)
{
    return QString::fromUtf8(texto);
}

// "1 sorteo", "3 sorteos": a count with its noun in the number that agrees with it.
inline QString cantidad(qint64 n, const char *singular, const char *plural)
{
    return QString::number(n) + QLatin1Char(' ') + u(n == 1 || n == -1 ? singular : plural);
}
