#include "app/presentacion.h"
#include "app/principal.h"
#include "app/salidalimpia.h"
#include "app/traduccion.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication aplicacion(argc, argv);
    aplicacion.setApplicationName(QStringLiteral("Bolarium"));
    instalaSalidaLimpia();
    instalaTraducciones();
    // The splash window opens the main window in the executable's directory.
    Presentacion presentacion;
    presentacion.show();
    const int codigo = aplicacion.exec();
    delete presentacion.principal();
    return codigo;
}
