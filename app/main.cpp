#include "app/principal.h"
#include "app/salidalimpia.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication aplicacion(argc, argv);
    aplicacion.setApplicationName(QStringLiteral("Bolarium"));
    instalaSalidaLimpia();
    Principal principal(QCoreApplication::applicationDirPath());
    principal.show();
    return aplicacion.exec();
}
