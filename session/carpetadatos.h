#pragma once

#include <QString>
#include <QStringList>

// Where the program keeps its files. A build run from its build folder works in that folder, as
// it always has; an installed program cannot write beside its executable and keeps each user's
// files in that user's own data folder, filled on the first start with the data it ships.
namespace carpetadatos {

// The files the program brings with it: data/ of the sources, <prefix>/share/bolarium once
// installed. Everything else in the program directory is made by the program itself.
const QStringList &repartidos();

// The shipped read-only data of a program installed under a prefix (<prefix>/bin/bolarium and
// <prefix>/share/bolarium), or an empty text when the executable is not installed that way.
QString compartida(const QString &carpetaEjecutable);

// The program directory for an executable in `carpetaEjecutable`. When the program is installed
// (its data under <prefix>/share/bolarium, or a folder it may not write in) it is
// `carpetaUsuario`, created when missing and given each shipped file it lacks; a file that is
// already there is the user's and is never replaced, unless it is still exactly a copy an
// earlier version shipped (a report file the user never edited gets the new one). Otherwise it
// is the executable's folder.
// A build whose folder may not be written is run from `carpetaUsuario` instead: the files the
// user kept beside the executable are not there. The first time that folder is made, `aviso`
// gets the message that says so and names both folders; one that cannot be made at all (no
// home folder) is told every time, and the executable's folder is kept.
QString elige(const QString &carpetaEjecutable, const QString &carpetaUsuario,
              QString *aviso = nullptr);

// The same for this process: its executable's folder and the per-user data folder.
QString actual(QString *aviso = nullptr);

// The player's manual: the one beside the program directory of a build run, or the one
// installed with the program. Empty when there is none.
QString manual(const QString &carpetaPrograma, const QString &carpetaEjecutable);

} // namespace carpetadatos
