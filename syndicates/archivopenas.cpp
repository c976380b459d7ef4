#include "syndicates/archivopenas.h"

#include <QFile>
#include <QLocale>

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
    rechazado_ = -1;
    const Escritura creado = archivos::asegura(ruta_);
    if (creado != Escritura::Hecha)
        return creado;
    QFile archivo;
    const archivos::Apertura a = archivos::abreRegular(archivo, ruta_);
    if (a != archivos::Apertura::Abierta) {
        // Something that is not a file in its place is never written over either.
        if (a == archivos::Apertura::NoEsArchivo)
            rechazado_ = 0;
        return Escritura::Fallo;
    }
    if (archivo.size() > kLimiteBytes) {
        rechazado_ = archivo.size();
        return Escritura::Fallo;
    }
    const QByteArray bytes = archivo.read(kLimiteBytes);
    resto_ = archivo.size() - (bytes.size() / Pena::kLongitud) * Pena::kLongitud;
    const qsizetype n = bytes.size() / Pena::kLongitud;
    penas_.reserve(static_cast<size_t>(n));
    for (qsizetype i = 0; i < n; ++i)
        penas_.push_back(Pena::desdeBytes(bytes.constData() + i * Pena::kLongitud));
    return Escritura::Hecha;
}

QString ArchivoPenas::mensajeGrande(qint64 tamano)
{
    const QLocale es(QLocale::Spanish, QLocale::Spain);
    return QString::fromUtf8(
               "El archivo de peñas apuestas.dat es demasiado grande (%1 bytes): el programa "
               "admite hasta %2 peñas (%3 bytes). No se ha leído ninguna peña y el archivo no "
               "se modificará mientras siga así. Sáquelo de la carpeta del programa o sustitúyalo "
               "por una copia buena y vuelva a abrir el programa.")
        .arg(es.toString(tamano), es.toString(kLimite), es.toString(kLimiteBytes));
}

Escritura ArchivoPenas::reescribe(std::vector<Pena> penas)
{
    if (rechazado())
        return Escritura::Fallo;
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
