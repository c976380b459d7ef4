#include "session/carpetadatos.h"
#include "archive/escritura.h"

#include <QCoreApplication>
#include <QCryptographicHash>
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

// Earlier versions of the shipped files a user may have been given on a first start, by their
// SHA-256. A copy still byte for byte one of them was never touched by its user, so a newer
// program puts its own version in its place; anything else is the user's and stays.
struct Anterior {
    const char *nombre;
    const char *huella;
};
constexpr Anterior kAnteriores[] = {
    {"Bolarium1.net", "0088b1e6132d83a73ee3cbe99419ac1ebd3c5060d4ea5f3817ca83b0a92efc72"},
    {"Bolarium1.net", "d7952820d55d7a469b5fffd2f972bcfed2ee13219cf7b21e23a2e759304cb5c8"},
    {"Bolarium1.net", "b1196c38d7ad45d972899a74418bf11cdacfc252881fdf27bf5ecbd086fd0512"},
    {"Bolarium.sql", "6b9b63c7bf95e47848a1ed6adff3db107cb4c30074a566b14a95762ea5828311"},
    {"Bolarium.sql", "5bce5bdb2de3d97efd6e17fff01badc4c08eada0b1e2f204431039dba818c7b6"},
};

bool esAnterior(const QString &ruta)
{
    const QFileInfo info(ruta);
    QByteArray bytes;
    if (info.isSymLink() || !archivos::lee(ruta, kLimiteCopia, bytes))
        return false;
    const QByteArray huella = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    const QByteArray nombre = info.fileName().toUtf8();
    for (const Anterior &a : kAnteriores)
        if (nombre == a.nombre && huella == a.huella)
            return true;
    return false;
}

// The copy is written whole to a temporary file and only then takes its name, so a start cut
// short leaves the file missing (and copied the next time), never a piece of it.
void copiaSiFalta(const QString &origen, const QString &destino)
{
    if (existe(destino) && !esAnterior(destino))
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

QString elige(const QString &carpetaEjecutable, const QString &carpetaUsuario, QString *aviso)
{
    QString origen = compartida(carpetaEjecutable);
    const bool instalado = !origen.isEmpty();
    const bool escribible = QFileInfo(carpetaEjecutable).isWritable();
    if (!instalado && escribible)
        return carpetaEjecutable;
    if (carpetaUsuario.isEmpty()) {
        if (aviso && !escribible)
            *aviso = QString::fromUtf8(
                         "El programa no sabe cuál es su carpeta personal (la variable HOME no "
                         "está definida) y no puede escribir en %1. Defina HOME con su carpeta "
                         "personal y vuelva a abrirlo; hasta entonces no se guardará nada de lo "
                         "que haga.")
                         .arg(QDir::toNativeSeparators(carpetaEjecutable));
        return carpetaEjecutable;
    }
    // A copy the user may not write in (another user's build, a read-only disk): its data
    // lies beside the executable.
    if (!instalado)
        origen = carpetaEjecutable;
    const bool nueva = !QFileInfo(carpetaUsuario).isDir();
    if (!QDir().mkpath(carpetaUsuario) || !QFileInfo(carpetaUsuario).isWritable()) {
        // Without a folder of its own (no home folder, or one it may not write in) nothing the
        // program does would be kept; saying so is all that can be done.
        if (aviso)
            *aviso = QString::fromUtf8(
                         "No se puede crear la carpeta de datos %1. Compruebe que su carpeta "
                         "personal existe y que la variable HOME la indica. Hasta entonces no "
                         "se guardará nada de lo que haga.")
                         .arg(QDir::toNativeSeparators(carpetaUsuario));
        return instalado ? carpetaUsuario : carpetaEjecutable;
    }
    const QDir destino(carpetaUsuario);
    const QDir fuente(origen);
    for (const QString &nombre : repartidos())
        copiaSiFalta(fuente.filePath(nombre), destino.filePath(nombre));
    if (!instalado && nueva && aviso)
        *aviso = QString::fromUtf8(
                     "La carpeta del programa %1 no admite escritura, así que el programa "
                     "guarda sus datos en %2. Los sorteos y peñas que hubiera en %1 no están en "
                     "esa carpeta: cópielos allí si los quiere usar.")
                     .arg(QDir::toNativeSeparators(carpetaEjecutable),
                          QDir::toNativeSeparators(carpetaUsuario));
    return carpetaUsuario;
}

QString actual(QString *aviso)
{
    // Without HOME, Qt puts the user's folder at the root of the disk
    // ("//.local/share"), where an ordinary user may not write: there is no such folder.
    const QString usuario =
        qEnvironmentVariableIsEmpty("HOME") && qEnvironmentVariableIsEmpty("XDG_DATA_HOME")
            ? QString()
            : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return elige(QCoreApplication::applicationDirPath(), usuario, aviso);
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
