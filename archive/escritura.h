#pragma once

#include <QByteArray>
#include <QString>

// Result of rewriting a file. SinPermiso is the case the user can fix by running the program
// with rights on its directory (the permission message); Fallo is anything else (full disk...).
enum class Escritura { Hecha, SinPermiso, Fallo };

namespace archivos {

// Writes the whole file through a temporary file that replaces it in one step: a crash or a
// full disk leaves the old file or the new one, never half of one.
Escritura escribe(const QString &ruta, const QByteArray &contenido);

// Reads at most maxBytes of a file. False when it cannot be opened or is larger than allowed.
bool lee(const QString &ruta, qint64 maxBytes, QByteArray &contenido);

// Makes sure a file exists, creating it empty when missing (how the record files are opened).
Escritura asegura(const QString &ruta);

// Moves a file over another in one step (the temporary copy of an import, a conversion).
Escritura reemplaza(const QString &origen, const QString &destino);

// For tests: while set to something other than Hecha, every write and replacement fails with
// that result and touches nothing, as a read-only directory or a full disk would.
void fuerzaFallo(Escritura resultado);

} // namespace archivos
