#pragma once

#include "archive/escritura.h"

#include <QString>

// The message for a file the program may not rewrite (a program directory that needs
// administrator rights), shared by every command that rewrites a file.
void avisopermiso();

// The message for a rewrite that failed for any other reason (a full disk, a failing device):
// which file, and that it was left as it was. `archivo` is the file's name in the program's
// folder, as the user would look for it.
void avisoescritura(const QString &archivo);

// What every command does with the outcome of a rewrite: true when it was done; otherwise the
// matching message has been shown.
bool escrito(Escritura resultado, const QString &archivo);

// The same for a file the user chose outside the program's folder (an export): without
// permission, another folder will do, and the message says so.
bool escritoFuera(Escritura resultado, const QString &archivo);

// Opens a page of the maker's site (`web`, a host without scheme) in the desktop's browser.
void abreWebAutor(const QString &web, const QString &camino);
