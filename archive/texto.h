#pragma once

#include <QString>

// A Spanish text written in the source as UTF-8. Every text goes through an explicit
// conversion (QT_NO_CAST_FROM_ASCII): this is the short way to write one.
inline QString u(const char *texto)
{
    return QString::fromUtf8(texto);
}
