#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

class QTextStream;
class Sesion;

// The program without windows, for a terminal or a task the system runs by itself (cron, a
// systemd timer): "bolarium --comprobar" opens the data folder as the program with windows
// does, brings the new draws from the configured source, stores and checks them with the same
// session operations, and prints what each syndicate got.
namespace lineaordenes {

// What the process ends with.
enum Codigo {
    kBien = 0,  // everything went well (also when no draw was new)
    kFallo = 1, // the download or a file write failed, or another program holds the folder
    kUso = 2    // the options make no sense: nothing was done
};

// Whether these arguments (without the program's name) are for the program without windows:
// any of its options, or any other option written with two dashes that the graphical toolkit
// does not take (a mistyped option must not open the window).
bool pedida(const QStringList &argumentos);

// What a run needs from outside, so that tests can give their own.
struct Entorno {
    // Madrid's wall-clock time.
    std::function<QDateTime()> reloj;
    // The data folder when no --carpeta is given, and what to tell about it (a folder made for
    // the first time, or one that could not be made).
    std::function<QString(QString *aviso)> carpeta;
};
// The program's own: the real clock and the data folder the windows would use.
Entorno entornoReal();

// "--ayuda": the options, in Spanish.
QString ayuda();

// Runs the command line given (without the program's name); returns the exit code.
int ejecuta(const QStringList &argumentos, const Entorno &entorno, QTextStream &salida,
            QTextStream &errores);

// The summary of a check: the draws the download brought (the newest archived one when none
// came) and, for every syndicate, its hits, prizes and euros in each of them. `nuevos`: draws
// the download brought; -1 when there was no download.
QString resumen(Sesion &sesion, int nuevos);

} // namespace lineaordenes
