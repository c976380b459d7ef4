#include "archive/escritura.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
Escritura fallo = Escritura::Hecha;
int antesDelFallo = 0; // writes that still succeed before `fallo` applies

// What a write must answer under fuerzaFallo, counting the writes it still lets through.
Escritura forzado()
{
    if (fallo == Escritura::Hecha)
        return Escritura::Hecha;
    if (antesDelFallo > 0) {
        --antesDelFallo;
        return Escritura::Hecha;
    }
    return fallo;
}

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
// A rename lives in the folder's entry: until that reaches the disk, a power cut may bring back
// the old file even though the new one's bytes were synced. Some systems (network ones) refuse
// to sync a folder; the file is then as safe as they allow.
void sincronizaCarpeta(const QString &ruta)
{
#ifdef Q_OS_UNIX
    const QFileInfo info(ruta);
    const QString real = info.canonicalFilePath();
    const QByteArray carpeta =
        QFile::encodeName(real.isEmpty() ? info.absolutePath() : QFileInfo(real).absolutePath());
    const int fd = ::open(carpeta.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
#else
    Q_UNUSED(ruta);
#endif
}
} // namespace

namespace archivos {

void fuerzaFallo(Escritura resultado, int tras)
{
    fallo = resultado;
    antesDelFallo = std::max(tras, 0);
}

Escritura escribe(const QString &ruta, const QByteArray &contenido)
{
    if (const Escritura f = forzado(); f != Escritura::Hecha)
        return f;
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
    sincronizaCarpeta(ruta);
    return Escritura::Hecha;
}

Apertura abreRegular(QFile &archivo, const QString &ruta)
{
#ifdef Q_OS_UNIX
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer forever.
    const int fd = ::open(QFile::encodeName(ruta).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return Apertura::NoExiste;
        return QFileInfo(ruta).isDir() ? Apertura::NoEsArchivo : Apertura::Ilegible;
    }
    struct stat datos {};
    if (::fstat(fd, &datos) != 0) {
        ::close(fd);
        return Apertura::Ilegible;
    }
    if (!S_ISREG(datos.st_mode)) {
        ::close(fd);
        return Apertura::NoEsArchivo;
    }
    // A regular file never blocks, but reads are simpler without the flag.
    const int banderas = ::fcntl(fd, F_GETFL);
    if (banderas != -1)
        ::fcntl(fd, F_SETFL, banderas & ~O_NONBLOCK);
    if (!archivo.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Apertura::Ilegible;
    }
    return Apertura::Abierta;
#else
    const QFileInfo info(ruta);
    if (!info.exists())
        return Apertura::NoExiste;
    if (!info.isFile())
        return Apertura::NoEsArchivo;
    archivo.setFileName(ruta);
    return archivo.open(QIODevice::ReadOnly) ? Apertura::Abierta : Apertura::Ilegible;
#endif
}

Apertura leeRegular(const QString &ruta, qint64 maxBytes, QByteArray &contenido)
{
    QFile archivo;
    const Apertura a = abreRegular(archivo, ruta);
    if (a != Apertura::Abierta)
        return a;
    if (archivo.size() > maxBytes)
        return Apertura::Ilegible;
    // The size may have grown since it was asked: one byte more than allowed tells.
    QByteArray bytes = archivo.read(maxBytes + 1);
    if (archivo.error() != QFileDevice::NoError || bytes.size() > maxBytes)
        return Apertura::Ilegible;
    contenido = std::move(bytes);
    return Apertura::Abierta;
}

Escritura leeParaReescribir(const QString &ruta, qint64 maxBytes, QByteArray &contenido,
                            bool &rechazado)
{
    contenido.clear();
    rechazado = false;
    switch (leeRegular(ruta, maxBytes, contenido)) {
    case Apertura::NoExiste:
    case Apertura::Abierta:
        return Escritura::Hecha;
    case Apertura::NoEsArchivo:
    case Apertura::Ilegible:
        break;
    }
    contenido.clear();
    rechazado = true;
    return Escritura::Fallo;
}

bool lee(const QString &ruta, qint64 maxBytes, QByteArray &contenido)
{
    return leeRegular(ruta, maxBytes, contenido) == Apertura::Abierta;
}

qint64 tamano(const QString &ruta)
{
    QFile archivo;
    if (abreRegular(archivo, ruta) != Apertura::Abierta)
        return -1;
    return archivo.size();
}

Escritura asegura(const QString &ruta)
{
    if (QFileInfo::exists(ruta))
        return Escritura::Hecha;
    if (const Escritura f = forzado(); f != Escritura::Hecha)
        return f;
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly))
        return clasifica(archivo.error(), ruta);
    return Escritura::Hecha;
}

Escritura reemplaza(const QString &origen, const QString &destino)
{
    if (const Escritura f = forzado(); f != Escritura::Hecha)
        return f;
    // rename(2) replaces the destination atomically; QFile::rename refuses an existing target.
    if (std::rename(QFile::encodeName(origen).constData(),
                    QFile::encodeName(destino).constData()) == 0) {
        sincronizaCarpeta(destino);
        return Escritura::Hecha;
    }
    return clasifica(QFileDevice::RenameError, destino);
}

} // namespace archivos
