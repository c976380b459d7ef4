#pragma once

#include <QString>

// The program's name and version as the user sees it on windows and printed slips.
inline QString nombreVersion()
{
    return QStringLiteral("Bolarium v.3.4.995");
}
