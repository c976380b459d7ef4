#include "app/principal.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication aplicacion(argc, argv);
    aplicacion.setApplicationName(QStringLiteral("Bolarium"));
    Principal principal(QCoreApplication::applicationDirPath());
    principal.show();
    return aplicacion.exec();
}
