#pragma once

#include "archive/escritura.h"
#include "archive/lote.h"
#include "archive/sorteo.h"

#include <QString>
#include <vector>

// Draws that come in from a file of another program and go out as CSV. Unlike "Añadir todos
// los sorteos", which replaces the archive, an import only adds the dates the archive lacks.
namespace intercambio {

// Larger than any list of draws there will ever be; the message names it.
constexpr qint64 kLimiteBytes = qint64(32) << 20;

struct Fusion {
    std::vector<Sorteo> sorteos; // the archive with the new draws, in date order
    int anadidos = 0;
    int yaEstaban = 0; // dates the archive had (or the file gave twice)
};

// The draws of `nuevos` whose day the archive lacks, put in their place by date. The archive's
// own records stay as they are and in their order; of two new draws on one day the first counts.
Fusion fusiona(const std::vector<Sorteo> &archivo, std::vector<Sorteo> nuevos);

struct Resultado {
    enum class Estado {
        Importado,    // numeros.dat holds the new draws, numeros.bak the archive before
        SinNovedades, // nothing valid was new: no file was touched
        NoEsArchivo,  // a folder, a FIFO, a device...
        Grande,       // larger than kLimiteBytes
        Ilegible,     // `archivo` could not be read
        Desconocido,  // neither CSV nor a known JSON list
        Lleno,        // the archive would exceed its 32,766 draws
        SinPermiso,   // `archivo` may not be written; nothing changed
        NoEscrito     // `archivo` could not be written (full disk); nothing changed
    };
    Estado estado = Estado::Ilegible;
    QString archivo;              // the file the failure is about, by the name the user knows it
    qint64 limite = kLimiteBytes; // of Grande: the service's own list has a smaller one
    int anadidos = 0;
    int yaEstaban = 0;
    int invalidas = 0;
    int primeraInvalida = 0; // line or position, 0 when not known
    Lote lote;               // what the file held, with the breakdowns it gave
};

// Reads `origen` (a regular file of at most kLimiteBytes), merges its draws into numeros.dat of
// `carpeta` (its prize breakdowns are left in `lote` for the caller to keep) and, when something is new, keeps the previous archive in numeros.bak. The new
// archive is on the disk before numeros.bak is touched, and replaces numeros.dat in one step:
// whatever fails, every file stays as it was.
Resultado importa(const QString &carpeta, const QString &origen);

// What the user is told of an import: the summary of the counts, or why nothing was done.
// The permission and write failures have the program's common messages instead.
QString mensaje(const Resultado &resultado);

// Whether the user may export to `destino`: not over one of the program's own files (the
// archive, the syndicates...) in `carpeta`, which a CSV would destroy.
bool destinoPermitido(const QString &carpeta, const QString &destino);

// Writes the draws as CSV (textosorteos::aCsv) through the safe rewrite.
Escritura exporta(const std::vector<Sorteo> &sorteos, const QString &destino);

} // namespace intercambio
