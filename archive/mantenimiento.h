#pragma once

#include "archive/escritura.h"

#include <QString>

// Replacing the archive by a file the user chooses.
struct Importacion {
    enum class Estado {
        Importado,  // the archive now holds the chosen file's draws
        Rechazado,  // the file is not a draw archive; nothing changed
        SinPermiso, // the program directory refused the write; nothing changed
        NoEscrito,  // the archive could not be rewritten (a full disk); nothing changed
        Fallo       // a file could not be read; nothing changed
    };
    Estado estado = Estado::Fallo;
    int importados = 0; // draws now in the archive
    int omitidos = 0;   // records after the first that were not whole, valid draws
};

namespace mantenimiento {

// Accepts the candidate by its first record, keeps the current archive in numeros.bak, then
// moves a temporary copy of the candidate's valid draws over numeros.dat in one step. Any
// failure leaves the previous archive in place.
Importacion importa(const QString &carpeta, const QString &candidato);

// Empties numeros.dat (no copy is kept).
Escritura vacia(const QString &carpeta);

} // namespace mantenimiento
