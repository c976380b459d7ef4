#pragma once

#include <QByteArray>
#include <QString>

class QFile;

// Result of rewriting a file. SinPermiso is the case the user can fix by running the program
// with rights on its directory (the permission message); Fallo is anything else (full disk...).
enum class Escritura { Hecha, SinPermiso, Fallo };

namespace archivos {

// Writes the whole file through a temporary file that replaces it in one step: a crash or a
// full disk leaves the old file or the new one, never half of one.
Escritura escribe(const QString &ruta, const QByteArray &contenido);

// How a file to be read turned out when it was opened.
enum class Apertura {
    Abierta,     // a regular file, open for reading
    NoExiste,    // nothing by that name
    NoEsArchivo, // a folder, a FIFO, a device, a socket: never read (a FIFO would block)
    Ilegible     // there, but it cannot be opened
};

// Opens a file for reading only when it is a regular file. The check is made on the file that
// was opened (without waiting for a writer), so nothing can be put in its place between the two.
Apertura abreRegular(QFile &archivo, const QString &ruta);

// Reads a whole regular file of at most maxBytes. Ilegible also when it is larger: a record
// file the program cannot read whole now must not be replaced later by what it holds.
Apertura leeRegular(const QString &ruta, qint64 maxBytes, QByteArray &contenido);

// Reads a whole record file the program rewrites: a missing one reads as empty (Hecha). One
// that is not a regular file, cannot be read or is larger than maxBytes is Fallo, with
// `rechazado` set: what could not be read must never be replaced by a rewrite of the rest.
Escritura leeParaReescribir(const QString &ruta, qint64 maxBytes, QByteArray &contenido,
                            bool &rechazado);

// Reads at most maxBytes of a regular file. False when it cannot be opened, is not a regular
// file or is larger than allowed; nothing beyond maxBytes is ever read.
bool lee(const QString &ruta, qint64 maxBytes, QByteArray &contenido);

// Size of a regular file; -1 when it is missing, not a regular file or cannot be examined.
qint64 tamano(const QString &ruta);

// Makes sure a file exists, creating it empty when missing (how the record files are opened).
Escritura asegura(const QString &ruta);

// Moves a file over another in one step (the temporary copy of an import, a conversion).
Escritura reemplaza(const QString &origen, const QString &destino);

// For tests: while set to something other than Hecha, every write and replacement fails with
// that result and touches nothing, as a read-only directory or a full disk would. With `tras`,
// the next `tras` writes still succeed and the failures start after them: a disk that fills,
// or a program killed, between two files of one operation.
void fuerzaFallo(Escritura resultado, int tras = 0);

} // namespace archivos
