#include "archive/escritura.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>

namespace {
Escritura clasifica(QFileDevice::FileError error, const QString &ruta)
{
    if (error == QFileDevice::PermissionsError)
        return Escritura::SinPermiso;
    const QFileInfo info(ruta);
    if ((info.exists() && !info.isWritable()) || !QFileInfo(info.absolutePath()).isWritable())
        return Escritura::SinPermiso;
    return Escritura::Fallo;
}
} // namespace

namespace archivos {

Escritura escribe(const QString &ruta, const QByteArray &contenido)
{
    QSaveFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly))
        return clasifica(archivo.error(), ruta);
    if (archivo.write(contenido) != contenido.size()) {
        const auto error = archivo.error();
        archivo.cancelWriting();
        return clasifica(error, ruta);
    }
    if (!archivo.commit())
        return clasifica(archivo.error(), ruta);
    return Escritura::Hecha;
}

bool lee(const QString &ruta, qint64 maxBytes, QByteArray &contenido)
{
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly) || archivo.size() > maxBytes)
        return false;
    contenido = archivo.read(maxBytes);
    return archivo.error() == QFileDevice::NoError;
}

Escritura asegura(const QString &ruta)
{
    if (QFileInfo::exists(ruta))
        return Escritura::Hecha;
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly))
        return clasifica(archivo.error(), ruta);
    return Escritura::Hecha;
}

Escritura reemplaza(const QString &origen, const QString &destino)
{
    // rename(2) replaces the destination atomically; QFile::rename refuses an existing target.
    if (std::rename(QFile::encodeName(origen).constData(),
                    QFile::encodeName(destino).constData()) == 0)
        return Escritura::Hecha;
    return clasifica(QFileDevice::RenameError, destino);
}

} // namespace archivos
