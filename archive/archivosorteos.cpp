#include "archive/archivosorteos.h"
#include "archive/fechas.h"

#include <QFile>

Escritura ArchivoSorteos::abre()
{
    sorteos_.clear();
    resto_ = 0;
    danados_ = 0;
    sobrantes_ = 0;
    const Escritura creado = archivos::asegura(ruta_);
    if (creado != Escritura::Hecha)
        return creado;
    // Never more than the draws that a record number can reach; a FIFO or a device in its
    // place is not read at all.
    QFile archivo;
    if (archivos::abreRegular(archivo, ruta_) != archivos::Apertura::Abierta)
        return Escritura::Fallo;
    const QByteArray bytes = archivo.read(qint64(kMaximo) * Sorteo::kLongitud);
    if (archivo.error() != QFileDevice::NoError)
        return Escritura::Fallo;
    sobrantes_ = std::max<qint64>(archivo.size() / Sorteo::kLongitud - kMaximo, 0);
    resto_ = bytes.size() % Sorteo::kLongitud;
    std::vector<Sorteo> leidos = deserializa(bytes);
    sorteos_.reserve(leidos.size());
    for (const Sorteo &s : leidos) {
        if (danado(s))
            ++danados_;
        else
            sorteos_.push_back(s);
    }
    return Escritura::Hecha;
}

bool ArchivoSorteos::danado(const Sorteo &s)
{
    for (qint16 n : s.numeros)
        if (n < 1 || n > 49)
            return false; // unreadable rather than damaged
    if (!fechas::dia(s.fecha).isValid())
        return false;
    return !s.esValido();
}

void ArchivoSorteos::cierra()
{
    sorteos_.clear();
    resto_ = 0;
    danados_ = 0;
    sobrantes_ = 0;
}

QByteArray ArchivoSorteos::serializa(const std::vector<Sorteo> &sorteos)
{
    QByteArray bytes(static_cast<qsizetype>(sorteos.size()) * Sorteo::kLongitud, '\0');
    char *p = bytes.data();
    for (const Sorteo &s : sorteos) {
        s.escribeEn(p);
        p += Sorteo::kLongitud;
    }
    return bytes;
}

std::vector<Sorteo> ArchivoSorteos::deserializa(const QByteArray &bytes)
{
    const qsizetype n = std::min<qsizetype>(bytes.size() / Sorteo::kLongitud, kMaximo);
    std::vector<Sorteo> sorteos;
    sorteos.reserve(static_cast<size_t>(n));
    for (qsizetype i = 0; i < n; ++i)
        sorteos.push_back(Sorteo::desdeBytes(bytes.constData() + i * Sorteo::kLongitud));
    return sorteos;
}

Escritura ArchivoSorteos::agrega(const std::vector<Sorteo> &nuevos)
{
    std::vector<Sorteo> todos = sorteos_;
    todos.insert(todos.end(), nuevos.begin(), nuevos.end());
    return reescribe(std::move(todos));
}

Escritura ArchivoSorteos::reescribe(std::vector<Sorteo> sorteos)
{
    if (sorteos.size() > static_cast<size_t>(kMaximo))
        sorteos.resize(kMaximo);
    const Escritura r = archivos::escribe(ruta_, serializa(sorteos));
    if (r == Escritura::Hecha) {
        sorteos_ = std::move(sorteos);
        resto_ = 0;
        danados_ = 0;
        sobrantes_ = 0;
    }
    return r;
}

Escritura ArchivoSorteos::elimina(int n)
{
    if (n < 1 || n > cuenta())
        return Escritura::Fallo;
    std::vector<Sorteo> resto = sorteos_;
    resto.erase(resto.begin() + (n - 1));
    return reescribe(std::move(resto));
}
