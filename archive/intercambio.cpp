#include "archive/intercambio.h"
#include "archive/archivosorteos.h"
#include "archive/importes.h"
#include "archive/texto.h"
#include "archive/textosorteos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_set>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
using Estado = intercambio::Resultado::Estado;

// The day of a draw. A record edited by hand may hold anything in its date; such a record
// only needs a key that compares, and none of the days a file can bring.
qint64 clave(const Sorteo &s)
{
    if (!std::isfinite(s.fecha) || std::fabs(s.fecha) > 1e9)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(std::floor(s.fecha));
}

// A FIFO would block the program until something writes to it, and a device may never end:
// only a regular file is read, and never more than the limit. The check is made on the file
// that was opened, so nothing can be put in its place between the two. Importado here means
// "read".
Estado leeOrigen(const QString &ruta, QByteArray &bytes)
{
    QFile archivo;
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(ruta).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return QFileInfo(ruta).isDir() ? Estado::NoEsArchivo : Estado::Ilegible;
    struct stat datos {};
    if (::fstat(fd, &datos) != 0 || !S_ISREG(datos.st_mode)) {
        ::close(fd);
        return Estado::NoEsArchivo;
    }
    if (!archivo.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Estado::Ilegible;
    }
#else
    if (!QFileInfo(ruta).isFile())
        return Estado::NoEsArchivo;
    archivo.setFileName(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        return Estado::Ilegible;
#endif
    if (archivo.size() > intercambio::kLimiteBytes)
        return Estado::Grande;
    bytes = archivo.read(intercambio::kLimiteBytes + 1);
    if (archivo.error() != QFileDevice::NoError)
        return Estado::Ilegible;
    return bytes.size() > intercambio::kLimiteBytes ? Estado::Grande : Estado::Importado;
}

Estado estadoDe(Escritura e)
{
    return e == Escritura::SinPermiso ? Estado::SinPermiso : Estado::NoEscrito;
}
} // namespace

namespace intercambio {

Fusion fusiona(const std::vector<Sorteo> &archivo, std::vector<Sorteo> nuevos)
{
    Fusion f;
    std::unordered_set<qint64> dias;
    for (const Sorteo &s : archivo)
        dias.insert(clave(s));
    std::stable_sort(nuevos.begin(), nuevos.end(),
                     [](const Sorteo &a, const Sorteo &b) { return clave(a) < clave(b); });
    std::vector<Sorteo> entran;
    for (const Sorteo &s : nuevos) {
        if (dias.insert(clave(s)).second)
            entran.push_back(s);
        else
            ++f.yaEstaban;
    }
    f.anadidos = static_cast<int>(entran.size());
    // Each new draw goes before the first archived one of a later day; the archive's order is
    // never changed, even where a hand-edited file broke it.
    f.sorteos.reserve(archivo.size() + entran.size());
    size_t j = 0;
    for (const Sorteo &s : archivo) {
        while (j < entran.size() && clave(entran[j]) < clave(s))
            f.sorteos.push_back(entran[j++]);
        f.sorteos.push_back(s);
    }
    f.sorteos.insert(f.sorteos.end(), entran.begin() + static_cast<qsizetype>(j), entran.end());
    return f;
}

Resultado importa(const QString &carpeta, const QString &origen)
{
    Resultado r;
    r.archivo = QFileInfo(origen).fileName();
    QByteArray bytes;
    r.estado = leeOrigen(origen, bytes);
    if (r.estado != Estado::Importado)
        return r;
    textosorteos::Lectura lectura = textosorteos::lee(bytes);
    // A file of the results service carries the prize amounts of its draws as well: the
    // caller keeps them, as it keeps those of a download.
    r.lote = std::move(lectura.lote);
    bytes.clear();
    if (lectura.formato == textosorteos::Lectura::Formato::Desconocido) {
        r.estado = Estado::Desconocido;
        return r;
    }
    if (lectura.limite > 0) {
        r.estado = Estado::Grande;
        r.limite = lectura.limite;
        return r;
    }
    r.invalidas = lectura.invalidas;
    r.primeraInvalida = lectura.primeraInvalida;

    const QDir dir(carpeta);
    const QString actual = dir.filePath(QStringLiteral("numeros.dat"));
    const QString copia = dir.filePath(QStringLiteral("numeros.bak"));
    const QString temporal = dir.filePath(QStringLiteral("numeros.tmp"));
    QByteArray previo;
    if (QFileInfo::exists(actual) &&
        !archivos::lee(actual, qint64(ArchivoSorteos::kMaximo + 1) * Sorteo::kLongitud, previo)) {
        r.estado = Estado::Ilegible;
        r.archivo = QStringLiteral("numeros.dat");
        return r;
    }
    const Fusion f = fusiona(ArchivoSorteos::deserializa(previo), lectura.sorteos);
    r.anadidos = f.anadidos;
    r.yaEstaban = f.yaEstaban;
    if (f.anadidos == 0) {
        r.estado = Estado::SinNovedades;
        return r;
    }
    if (f.sorteos.size() > static_cast<size_t>(ArchivoSorteos::kMaximo)) {
        r.estado = Estado::Lleno;
        return r;
    }
    // The new archive first: if the disk is full it fails here, before numeros.bak has lost the
    // copy it held. The final rename needs no room.
    Escritura e = archivos::escribe(temporal, ArchivoSorteos::serializa(f.sorteos));
    r.archivo = QStringLiteral("numeros.dat");
    if (e == Escritura::Hecha) {
        e = archivos::escribe(copia, previo);
        if (e != Escritura::Hecha)
            r.archivo = QStringLiteral("numeros.bak");
    }
    if (e == Escritura::Hecha)
        e = archivos::reemplaza(temporal, actual);
    QFile::remove(temporal);
    r.estado = e == Escritura::Hecha ? Estado::Importado : estadoDe(e);
    return r;
}

QString mensaje(const Resultado &r)
{
    const QString nombre = r.archivo;
    const QString nada = u(" No se ha importado ningún sorteo.");
    switch (r.estado) {
    case Estado::Importado:
    case Estado::SinNovedades: {
        QString texto =
            cantidad(r.anadidos, "sorteo añadido", "sorteos añadidos") +
            u(", %1 ya %2, ").arg(r.yaEstaban).arg(u(r.yaEstaban == 1 ? "estaba" : "estaban")) +
            cantidad(r.invalidas, "línea no válida", "líneas no válidas");
        if (r.invalidas > 0 && r.primeraInvalida > 0)
            texto += u(" (la primera: línea %1)").arg(r.primeraInvalida);
        return texto;
    }
    case Estado::NoEsArchivo:
        return u("%1 no es un archivo normal (es una carpeta, una tubería o un dispositivo).")
                   .arg(nombre) +
               nada;
    case Estado::Grande:
        return u("El archivo %1 es demasiado grande: se importan archivos de hasta %2 MB.")
                   .arg(nombre)
                   .arg(r.limite >> 20) +
               nada;
    case Estado::Ilegible:
        return u("No se ha podido leer el archivo %1.").arg(nombre) + nada;
    case Estado::Desconocido:
        return u("El archivo %1 no tiene sorteos en un formato conocido: CSV (fecha, seis "
                 "números, complementario, reintegro y Joker) o JSON de sorteos. Para sustituir "
                 "el archivo de sorteos por otro NUMEROS.DAT use \"Añadir todos los sorteos\".")
                   .arg(nombre) +
               nada;
    case Estado::Lleno:
        return u("El archivo de sorteos no puede guardar más de %1 sorteos.")
                   .arg(ArchivoSorteos::kMaximo) +
               nada;
    case Estado::SinPermiso:
    case Estado::NoEscrito:
        break;
    }
    return u("No se ha podido guardar el archivo %1.").arg(nombre) + nada;
}

bool destinoPermitido(const QString &carpeta, const QString &destino)
{
    const QFileInfo info(destino);
    const bool enCarpeta = QFileInfo(info.absolutePath()).canonicalFilePath() ==
                           QFileInfo(carpeta).canonicalFilePath();
    // A new file there, or a CSV exported before, may be written; the record files may not.
    return !enCarpeta || !info.exists() ||
           info.suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0;
}

Escritura exporta(const std::vector<Sorteo> &sorteos, const QString &destino)
{
    return archivos::escribe(destino, textosorteos::aCsv(sorteos));
}

} // namespace intercambio
