// Makes the report database Bolarium.mdb from its schema: creabase <schema.sql> <Bolarium.mdb>
#include "reports/basedatos.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "uso: creabase <esquema.sql> <Bolarium.mdb>\n");
        return 2;
    }
    QFile esquema(args.at(1));
    if (!esquema.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "creabase: no se puede leer %s\n", qPrintable(args.at(1)));
        return 1;
    }
    ErrorBase error;
    if (!BaseDatos::crea(args.at(2), QString::fromUtf8(esquema.readAll()), &error)) {
        std::fprintf(stderr, "creabase: %s (%d)\n", qPrintable(error.texto), error.codigo);
        return 1;
    }
    return 0;
}
