#include "app/presentacion.h"
#include "app/principal.h"
#include "app/salidalimpia.h"
#include "app/traduccion.h"
#include "app/unica.h"
#include "session/carpetadatos.h"
#include "widgets/escritorio.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
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
