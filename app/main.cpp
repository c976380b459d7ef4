#include "app/presentacion.h"
#include "app/principal.h"
#include "app/salidalimpia.h"
#include "app/traduccion.h"
#include "app/unica.h"
#include "session/carpetadatos.h"
#include "session/lineaordenes.h"
#include "widgets/escritorio.h"

#include <QApplication>
#include <QIcon>
#include <QTextStream>

namespace {
// "bolarium --comprobar" and the other options run without any window: no display is needed,
// so the check can run from cron or a systemd timer on a machine without a desktop.
bool sinVentanas(int argc, char *argv[])
{
    QStringList argumentos;
    for (int i = 1; i < argc; ++i)
        argumentos << QString::fromLocal8Bit(argv[i]);
    return lineaordenes::pedida(argumentos);
}
} // namespace

int main(int argc, char *argv[])
{
    if (sinVentanas(argc, argv)) {
        QCoreApplication nucleo(argc, argv);
        // The same name as the program with windows: it names the user's data folder.
        nucleo.setApplicationName(QStringLiteral("Bolarium"));
        QTextStream salida(stdout);
        QTextStream errores(stderr);
        return lineaordenes::ejecuta(QCoreApplication::arguments().mid(1),
                                     lineaordenes::entornoReal(), salida, errores);
    }
    QApplication aplicacion(argc, argv);
    aplicacion.setApplicationName(QStringLiteral("Bolarium"));
    // The desktop matches the windows with es.bolarium.Bolarium.desktop and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("es.bolarium.Bolarium"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("bolarium")));
    instalaSalidaLimpia();
    instalaTraducciones();
    // The splash window opens the main window in the program directory: the executable's own
    // folder for a build, the user's data folder for an installed program.
    QString aviso;
    const QString carpeta = carpetadatos::actual(&aviso);
    // Only one program at a time works on a folder: a second start shows the first one and
    // ends, which has already told what it had to say about the folder.
    Instancia instancia(carpeta);
    if (!arrancaSolo(instancia))
        return 0;
    Presentacion presentacion(carpeta);
    Frente frente(instancia, presentacion);
    if (!aviso.isEmpty())
        Escritorio::actual().aviso(aviso, QStringLiteral("Carpeta de datos"),
                                   Escritorio::Icono::Informacion);
    presentacion.show();
    const int codigo = aplicacion.exec();
    delete presentacion.principal();
    return codigo;
}
