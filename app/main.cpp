#include "app/presentacion.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication aplicacion(argc, argv);
    aplicacion.setApplicationName(QStringLiteral("Bolarium"));
    // The splash window opens the main window in the executable's directory.
    Presentacion presentacion;
    presentacion.show();
    return aplicacion.exec();
}
