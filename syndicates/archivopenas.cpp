#include "syndicates/archivopenas.h"

#include <QFile>

namespace {
QByteArray serializa(const std::vector<Pena> &penas)
{
    QByteArray bytes(static_cast<qsizetype>(penas.size()) * Pena::kLongitud, '\0');
    char *p = bytes.data();
    for (const Pena &pena : penas) {
        pena.escribeEn(p);
        p += Pena::kLongitud;
    }
    return bytes;
}
} // namespace

Escritura ArchivoPenas::abre()
{
    penas_.clear();
    resto_ = 0;
    const Escritura creado = archivos::asegura(ruta_);
    if (creado != Escritura::Hecha)
        return creado;
    QFile archivo(ruta_);
    if (!archivo.open(QIODevice::ReadOnly))
        return Escritura::Fallo;
    const QByteArray bytes = archivo.read(qint64(kMaximo) * Pena::kLongitud);
    resto_ = archivo.size() - (bytes.size() / Pena::kLongitud) * Pena::kLongitud;
    const qsizetype n = bytes.size() / Pena::kLongitud;
    penas_.reserve(static_cast<size_t>(n));
    for (qsizetype i = 0; i < n; ++i)
        penas_.push_back(Pena::desdeBytes(bytes.constData() + i * Pena::kLongitud));
    return Escritura::Hecha;
}

Escritura ArchivoPenas::reescribe(std::vector<Pena> penas)
{
    const Escritura r = archivos::escribe(ruta_, serializa(penas));
    if (r == Escritura::Hecha) {
        penas_ = std::move(penas);
        resto_ = 0;
    }
    return r;
}

Escritura ArchivoPenas::escribe(int j, const Pena &pena)
{
    if (j < 1 || j > proximapena() || j > kMaximo)
        return Escritura::Fallo;
    std::vector<Pena> nuevas = penas_;
    if (j == proximapena())
        nuevas.push_back(pena);
    else
        nuevas[static_cast<size_t>(j - 1)] = pena;
    return reescribe(std::move(nuevas));
}

Escritura ArchivoPenas::elimina(int j)
{
    if (j < 1 || j > cuenta())
        return Escritura::Fallo;
    std::vector<Pena> nuevas = penas_;
    nuevas.erase(nuevas.begin() + (j - 1));
    return reescribe(std::move(nuevas));
}

Escritura ArchivoPenas::reseteaContadores(double hoy)
{
    std::vector<Pena> nuevas = penas_;
    for (Pena &p : nuevas) {
        p.premios.fill(0);
        p.creacion = hoy;
        p.contado = 0;
    }
    return reescribe(std::move(nuevas));
}
