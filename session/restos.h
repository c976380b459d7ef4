#pragma once

#include <QString>
#include <QStringList>

// What the program's own writers leave in the data folder when the program is killed half-way:
// the temporary copy a safe rewrite fills before it takes the file's name (the file's name, a
// dot and six random letters) and numeros.tmp, the new archive of a conversion, an import or a
// deletion before it replaces numeros.dat. Only the program that holds the folder's lock may
// clear them: another one running on the folder could be in the middle of such a write.
namespace restos {

// Whether `nombre` (a bare file name) is a temporary copy of one of the program's own files.
// A name the user gave ("numeros.dat.copia", "mis numeros.dat.ABC123") never is.
bool esTemporal(const QString &nombre);

// Removes the temporary copies of the folder and settles a numeros.tmp left behind. Returns
// the names it removed or moved, for the record.
QStringList limpia(const QString &carpeta);

} // namespace restos
