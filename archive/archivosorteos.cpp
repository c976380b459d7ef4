#include "archive/archivosorteos.h"

#include <QFile>

Escritura ArchivoSorteos::abre()
{
    sorteos_.clear();
    resto_ = 0;
    const Escritura creado = archivos::asegura(ruta_);
    if (creado != Escritura::Hecha)
        return creado;
    QByteArray bytes;
    if (!archivos::lee(ruta_, qint64(kMaximo + 1) * Sorteo::kLongitud, bytes)) {
        // Larger than any archive can be: read the draws that a record number can reach.
        QFile archivo(ruta_);
        if (!archivo.open(QIODevice::ReadOnly))
            return Escritura::Fallo;
        bytes = archivo.read(qint64(kMaximo) * Sorteo::kLongitud);
    }
    resto_ = bytes.size() % Sorteo::kLongitud;
    sorteos_ = deserializa(bytes);
    return Escritura::Hecha;
}

void ArchivoSorteos::cierra()
{
    sorteos_.clear();
    resto_ = 0;
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
