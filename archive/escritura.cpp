#include "archive/escritura.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {
Escritura fallo = Escritura::Hecha;

Escritura clasifica(QFileDevice::FileError error, const QString &ruta)
{
    if (error == QFileDevice::PermissionsError)
        return Escritura::SinPermiso;
    const QFileInfo info(ruta);
    if ((info.exists() && !info.isWritable()) || !QFileInfo(info.absolutePath()).isWritable())
        return Escritura::SinPermiso;
    return Escritura::Fallo;
}
// Some file systems (network ones, compressed ones) only report a lack of space when the data
// is forced to the disk; QSaveFile forces it too but does not look at the answer.
bool sincroniza(QSaveFile &archivo)
{
#ifdef Q_OS_UNIX
    return ::fsync(archivo.handle()) == 0;
#else
    Q_UNUSED(archivo);
    return true;
#endif
}
} // namespace

namespace archivos {

void fuerzaFallo(Escritura resultado)
{
    fallo = resultado;
}

Escritura escribe(const QString &ruta, const QByteArray &contenido)
{
    if (fallo != Escritura::Hecha)
        return fallo;
    QSaveFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly))
        return clasifica(archivo.error(), ruta);
    // QSaveFile::commit() renames the temporary file even when its final flush failed (a write
    // that fits its buffer only reaches the disk there), so on a full disk it would put an empty
    // file in place of the original. The bytes must be on the disk before the rename.
    if (archivo.write(contenido) != contenido.size() || !archivo.flush() || !sincroniza(archivo)) {
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
    if (fallo != Escritura::Hecha)
        return fallo;
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly))
        return clasifica(archivo.error(), ruta);
    return Escritura::Hecha;
}

Escritura reemplaza(const QString &origen, const QString &destino)
{
    if (fallo != Escritura::Hecha)
        return fallo;
    // rename(2) replaces the destination atomically; QFile::rename refuses an existing target.
    if (std::rename(QFile::encodeName(origen).constData(),
                    QFile::encodeName(destino).constData()) == 0)
        return Escritura::Hecha;
    return clasifica(QFileDevice::RenameError, destino);
}

} // namespace archivos
