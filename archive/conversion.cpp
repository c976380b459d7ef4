#include "archive/conversion.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "archive/registro.h"

#include <QDir>
#include <QFile>

namespace conversion {

bool esAntiguo(const QString &ruta)
{
    QFile archivo;
    if (archivos::abreRegular(archivo, ruta) != archivos::Apertura::Abierta)
        return false;
    const QByteArray primero = archivo.read(Sorteo::kLongitud);
    // A single old record is shorter than a current one: nothing else explains 24 bytes.
    if (primero.size() == Sorteo::kLongitudAntigua && archivo.size() == Sorteo::kLongitudAntigua)
        return true;
    if (primero.size() < Sorteo::kLongitud)
        return false;
    const double valor = registro::leeDouble(primero.constData() + 24);
    if (valor == 0)
        return false;
    // Every genuine Joker number prints in seven characters or fewer; four small integers
    // read as a double give a tiny value that needs many more.
    return QString::number(valor, 'g', 15).size() > 7;
}

Escritura conviertesorteos(const QString &carpeta)
{
    const QDir dir(carpeta);
    const QString ruta = dir.filePath(QStringLiteral("numeros.dat"));
    const QString temporal = dir.filePath(QStringLiteral("numeros.tmp"));
    QByteArray viejo;
    if (!archivos::lee(ruta, qint64(ArchivoSorteos::kMaximo) * Sorteo::kLongitudAntigua, viejo))
        return Escritura::Fallo;
    std::vector<Sorteo> sorteos;
    const qsizetype n = viejo.size() / Sorteo::kLongitudAntigua;
    sorteos.reserve(static_cast<size_t>(n));
    for (qsizetype i = 0; i < n; ++i)
        sorteos.push_back(
            Sorteo::desdeBytesAntiguos(viejo.constData() + i * Sorteo::kLongitudAntigua));
    Escritura r = archivos::escribe(temporal, ArchivoSorteos::serializa(sorteos));
    if (r == Escritura::Hecha)
        r = archivos::reemplaza(temporal, ruta);
    QFile::remove(temporal);
    return r;
}

bool aceptaArchivo(const QString &ruta)
{
    // Only a regular file: a FIFO chosen as the archive would block the program for good.
    QFile archivo;
    if (archivos::abreRegular(archivo, ruta) != archivos::Apertura::Abierta)
        return false;
    const QByteArray primero = archivo.read(Sorteo::kLongitud);
    if (primero.size() < Sorteo::kLongitud)
        return false;
    const Sorteo s = Sorteo::desdeBytes(primero.constData());
    if (!(s.fecha > 1))
        return false;
    return (fechas::bitDia(s.fecha) & fechas::diasDeSorteo(s.fecha)) != 0;
}

QString mensajeConversion()
{
    return QString::fromUtf8(
        "Se ha encontrado un archivo de Sorteos perteneciente a una versión anterior del "
        "programa y se va a convertir el fichero a la versión actual.");
}

} // namespace conversion
