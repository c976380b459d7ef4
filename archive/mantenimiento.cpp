#include "archive/mantenimiento.h"
#include "archive/archivosorteos.h"
#include "archive/conversion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
Importacion::Estado estadoDe(Escritura e)
{
    return e == Escritura::SinPermiso ? Importacion::Estado::SinPermiso
                                      : Importacion::Estado::NoEscrito;
}
} // namespace

namespace mantenimiento {

Importacion importa(const QString &carpeta, const QString &candidato)
{
    Importacion r;
    if (!conversion::aceptaArchivo(candidato)) {
        r.estado = Importacion::Estado::Rechazado;
        return r;
    }
    // Read at most what an archive can hold, and a little more to tell a too-long file.
    const qint64 limite = qint64(ArchivoSorteos::kMaximo) * Sorteo::kLongitud;
    QFile archivo;
    if (archivos::abreRegular(archivo, candidato) != archivos::Apertura::Abierta)
        return r;
    const qint64 tamano = archivo.size();
    const QByteArray bytes = archivo.read(limite);
    if (archivo.error() != QFileDevice::NoError)
        return r;

    const std::vector<Sorteo> leidos = ArchivoSorteos::deserializa(bytes);
    std::vector<Sorteo> sorteos;
    for (const Sorteo &s : leidos) {
        if (s.esValido())
            sorteos.push_back(s);
        else
            ++r.omitidos;
    }
    const qint64 enteros = qint64(leidos.size()) * Sorteo::kLongitud;
    if (tamano > enteros) // a partial record at the end, or records beyond the last number
        r.omitidos +=
            static_cast<int>((tamano - enteros + Sorteo::kLongitud - 1) / Sorteo::kLongitud);

    const QDir dir(carpeta);
    const QString actual = dir.filePath(QStringLiteral("numeros.dat"));
    const QString copia = dir.filePath(QStringLiteral("numeros.bak"));
    const QString temporal = dir.filePath(QStringLiteral("numeros.tmp"));

    QByteArray previo;
    if (QFileInfo::exists(actual) && !archivos::lee(actual, limite + Sorteo::kLongitud, previo))
        return r;
    // The new archive goes to the disk first: when it does not fit, numeros.bak still holds the
    // copy it held and numeros.dat is untouched. Only then is the copy made, and the final
    // rename needs no room.
    Escritura e = archivos::escribe(temporal, ArchivoSorteos::serializa(sorteos));
    if (e == Escritura::Hecha)
        e = archivos::escribe(copia, previo);
    if (e == Escritura::Hecha)
        e = archivos::reemplaza(temporal, actual);
    QFile::remove(temporal);
    if (e != Escritura::Hecha) {
        r.estado = estadoDe(e);
        return r;
    }
    r.estado = Importacion::Estado::Importado;
    r.importados = static_cast<int>(sorteos.size());
    return r;
}

Escritura vacia(const QString &carpeta)
{
    return archivos::escribe(QDir(carpeta).filePath(QStringLiteral("numeros.dat")), QByteArray());
}

} // namespace mantenimiento
