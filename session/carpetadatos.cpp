#include "session/carpetadatos.h"
#include "archive/escritura.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
// The largest shipped file is the draw history; anything far bigger is not ours.
constexpr qint64 kLimiteCopia = 64 * 1024 * 1024;

const QString kManual = QStringLiteral("manual/manual.md");

bool existe(const QString &ruta)
{
    // A dangling link is something the user put there: it counts as a file.
    const QFileInfo info(ruta);
    return info.exists() || info.isSymLink();
}

// The copy is written whole to a temporary file and only then takes its name, so a start cut
// short leaves the file missing (and copied the next time), never a piece of it.
void copiaSiFalta(const QString &origen, const QString &destino)
{
    if (existe(destino))
        return;
    QByteArray bytes;
    if (archivos::lee(origen, kLimiteCopia, bytes))
        archivos::escribe(destino, bytes);
}
} // namespace

namespace carpetadatos {

const QStringList &repartidos()
{
    static const QStringList nombres = {
        QStringLiteral("tablas.bin"), QStringLiteral("Bolarium.net"),
        QStringLiteral("Bolarium1.net"), QStringLiteral("Bolarium.sql"),
        QStringLiteral("numeros-inicial.dat")};
    return nombres;
}

QString compartida(const QString &carpetaEjecutable)
{
    const QString carpeta =
        QDir::cleanPath(carpetaEjecutable + QStringLiteral("/../share/bolarium"));
    return QFileInfo(carpeta + QStringLiteral("/tablas.bin")).isFile() ? carpeta : QString();
}

QString elige(const QString &carpetaEjecutable, const QString &carpetaUsuario)
{
    QString origen = compartida(carpetaEjecutable);
    if (origen.isEmpty()) {
        if (QFileInfo(carpetaEjecutable).isWritable() || carpetaUsuario.isEmpty())
            return carpetaEjecutable;
        // A copy the user may not write in (another user's build, a read-only disk): its data
        // lies beside the executable.
        origen = carpetaEjecutable;
    }
    if (carpetaUsuario.isEmpty())
        return carpetaEjecutable;
    QDir().mkpath(carpetaUsuario);
    const QDir destino(carpetaUsuario);
    const QDir fuente(origen);
    for (const QString &nombre : repartidos())
        copiaSiFalta(fuente.filePath(nombre), destino.filePath(nombre));
    return carpetaUsuario;
}

QString actual()
{
    return elige(QCoreApplication::applicationDirPath(),
                 QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString manual(const QString &carpetaPrograma, const QString &carpetaEjecutable)
{
    const QString candidatos[] = {
        QDir(carpetaPrograma).filePath(kManual),
        QDir::cleanPath(carpetaEjecutable + QStringLiteral("/../share/bolarium/") + kManual)};
    for (const QString &candidato : candidatos)
        if (QFileInfo(candidato).isFile())
            return candidato;
    return QString();
}

} // namespace carpetadatos
