#include "apoyo/discolleno.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <csignal>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {
QString relleno(const QString &ruta)
{
    return QDir(ruta).filePath(QStringLiteral("relleno"));
}

// Writes until the file system refuses even one byte more.
void llenaHastaElFinal(const QString &ruta)
{
    const int fd =
        ::open(QFile::encodeName(relleno(ruta)).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return;
    const QByteArray bloque(1 << 20, 'x');
    for (qsizetype trozo = bloque.size(); trozo >= 1; trozo /= 2)
        while (::write(fd, bloque.constData(), static_cast<size_t>(trozo)) > 0) {
        }
    ::close(fd);
}
} // namespace

DiscoLleno::DiscoLleno(qint64 tamano)
{
    const QByteArray opciones = "size=" + QByteArray::number(tamano);
    montado_ = ::mount("tmpfs", QFile::encodeName(ruta()).constData(), "tmpfs", 0,
                       opciones.constData()) == 0;
}

DiscoLleno::~DiscoLleno()
{
    libera();
    if (montado_)
        ::umount2(QFile::encodeName(ruta()).constData(), MNT_DETACH);
}

void DiscoLleno::llena()
{
    if (lleno_)
        return;
    lleno_ = true;
    if (montado_) {
        llenaHastaElFinal(ruta());
        return;
    }
    // Without the signal ignored, the first refused write would end the test program.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limite{};
    ::getrlimit(RLIMIT_FSIZE, &limite);
    limiteAnterior_ = limite.rlim_cur;
    limite.rlim_cur = 0;
    ::setrlimit(RLIMIT_FSIZE, &limite);
}

void DiscoLleno::libera()
{
    if (!lleno_)
        return;
    lleno_ = false;
    if (montado_) {
        QFile::remove(relleno(ruta()));
        return;
    }
    rlimit limite{};
    ::getrlimit(RLIMIT_FSIZE, &limite);
    limite.rlim_cur = static_cast<rlim_t>(limiteAnterior_);
    ::setrlimit(RLIMIT_FSIZE, &limite);
}
