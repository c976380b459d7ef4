#include "session/restos.h"
#include "archive/conversion.h"
#include "archive/escritura.h"
#include "archive/sorteo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
// Every file the program rewrites through its safe writer in the data folder, the copies of
// the files it ships included.
const QStringList &propios()
{
    static const QStringList nombres = {
        QStringLiteral("numeros.dat"),   QStringLiteral("numeros.tmp"),
        QStringLiteral("numeros.bak"),   QStringLiteral("numeros-inicial.dat"),
        QStringLiteral("apuestas.dat"),  QStringLiteral("socios.dat"),
        QStringLiteral("jokers.dat"),    QStringLiteral("premios.dat"),
        QStringLiteral("ganadores.dat"), QStringLiteral("nums.ini"),
        QStringLiteral("ajustes.ini"),   QStringLiteral("completar.dat"),
        QStringLiteral("sorteo.json"),   QStringLiteral("informe.dat"),
        QStringLiteral("kap.pdf"),       QStringLiteral("www.txt"),
        QStringLiteral("www2.txt"),      QStringLiteral("tablas.bin"),
        QStringLiteral("Bolarium.net"),  QStringLiteral("Bolarium1.net"),
        QStringLiteral("Bolarium.sql")};
    return nombres;
}

// The report database is rebuilt under this name and renamed into place when it is whole.
const QStringList &reconstrucciones()
{
    static const QStringList nombres = {QStringLiteral("Bolarium.mdb.nueva"),
                                        QStringLiteral("Bolarium.mdb.nueva-journal")};
    return nombres;
}

bool esPropio(const QString &nombre)
{
    if (propios().contains(nombre))
        return true;
    // The archive put aside before it is emptied: numeros-<date>-<time>[-n].dat.
    static const QRegularExpression apartado(
        QStringLiteral("^numeros-[0-9]{8}-[0-9]{6}(-[0-9]+)?\\.dat$"));
    return apartado.match(nombre).hasMatch();
}

bool esArchivo(const QFileInfo &info)
{
    return info.isFile() && !info.isSymLink();
}

// numeros.tmp is written whole before it replaces numeros.dat in one rename. Beside an archive
// it is a replacement that never happened, and the archive it was made from is intact. With no
// archive at all it is the only copy of the draws (an earlier version deleted the archive
// before it copied the new one in): it becomes the archive when it reads as one, and stays
// otherwise.
bool resuelveTemporalSorteos(const QDir &dir)
{
    const QString temporal = dir.filePath(QStringLiteral("numeros.tmp"));
    const QString archivo = dir.filePath(QStringLiteral("numeros.dat"));
    const QFileInfo info(temporal);
    if (!esArchivo(info))
        return false;
    const QFileInfo actual(archivo);
    if (actual.exists() || actual.isSymLink())
        return QFile::remove(temporal);
    if (info.size() == 0)
        return QFile::remove(temporal);
    if (info.size() % Sorteo::kLongitud != 0 || !conversion::aceptaArchivo(temporal))
        return false;
    return archivos::reemplaza(temporal, archivo) == Escritura::Hecha;
}
} // namespace

namespace restos {

bool esTemporal(const QString &nombre)
{
    if (reconstrucciones().contains(nombre))
        return true;
    // The safe writer's copy: the final name, a dot and six letters drawn from A-Z and a-z. A
    // user's copy named with a word ("numeros.dat.backup") is all one case; a drawn suffix
    // almost never is, and one that is stays behind, harmless.
    static const QRegularExpression copia(QStringLiteral("^(.+)\\.([A-Za-z]{6})$"));
    const QRegularExpressionMatch m = copia.match(nombre);
    if (!m.hasMatch() || !esPropio(m.captured(1)))
        return false;
    const QString sufijo = m.captured(2);
    return sufijo != sufijo.toLower() && sufijo != sufijo.toUpper();
}

QStringList limpia(const QString &carpeta)
{
    QStringList hechos;
    const QDir dir(carpeta);
    const QStringList nombres =
        dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &nombre : nombres) {
        if (esTemporal(nombre) && esArchivo(QFileInfo(dir.filePath(nombre))) &&
            QFile::remove(dir.filePath(nombre)))
            hechos.append(nombre);
    }
    if (resuelveTemporalSorteos(dir))
        hechos.append(QStringLiteral("numeros.tmp"));
    return hechos;
}

} // namespace restos
