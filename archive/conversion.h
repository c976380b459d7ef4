#pragma once

#include "archive/escritura.h"

#include <QString>

// Archives of the previous version have 24-byte records (no Joker number). They are told
// apart by the 8 bytes where the current layout keeps the first draw's Joker number.
namespace conversion {

// True when the archive at ruta has the older layout.
bool esAntiguo(const QString &ruta);

// Rewrites numeros.dat of the directory in the current layout, through numeros.tmp, which
// replaces it in one step. Joker numbers become 0; a trailing partial old record is dropped.
Escritura conviertesorteos(const QString &carpeta);

// Whether a file can become the draw archive: its first record's date is after
// 31/12/1899 and falls on a draw day of its time ("Jueves" or "Sábado", "Lunes" too from
// 11/07/2022).
bool aceptaArchivo(const QString &ruta);

QString mensajeConversion();

} // namespace conversion
