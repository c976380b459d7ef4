#pragma once

#include <QString>

// The program's name and version as the user sees it on windows and printed slips. The number
// comes from the project's version in CMakeLists.txt, the one place it is written.
inline QString nombreVersion()
{
    return QStringLiteral("Bolarium v." BOLARIUM_VERSION);
}
