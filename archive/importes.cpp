#include "archive/importes.h"
#include "archive/fechas.h"
#include "archive/registro.h"
#include "archive/respuestaservicio.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cmath>

namespace {
constexpr int kFecha = 0;
constexpr int kCentimos = 8;
static_assert(kCentimos + 8 * ImportesSorteo::kCategorias == ImportesSorteo::kLongitud);

qint64 leeInt64(const char *p)
{
    return qFromLittleEndian<qint64>(p);
}
void escribeInt64(char *p, qint64 v)
{
    qToLittleEndian<qint64>(v, p);
}

double dia(double fecha)
{
    return std::floor(fecha);
}

// A record a reader can trust: a real day and amounts that are unknown or plausible.
bool valido(const ImportesSorteo &r)
{
    if (!std::isfinite(r.fecha) || r.fecha < 1 || !fechas::dia(r.fecha).isValid())
        return false;
    return std::all_of(r.centimos.begin(), r.centimos.end(), [](qint64 c) {
        return c == ImportesSorteo::kDesconocido || (c >= 0 && c <= ImportesSorteo::kMaximo);
    });
}
} // namespace

ImportesSorteo ImportesSorteo::desdeBytes(const char *datos)
{
    ImportesSorteo r;
    r.fecha = registro::leeDouble(datos + kFecha);
    for (int k = 0; k < kCategorias; ++k)
        r.centimos[static_cast<size_t>(k)] = leeInt64(datos + kCentimos + 8 * k);
    return r;
}

void ImportesSorteo::escribeEn(char *destino) const
{
    registro::escribeDouble(destino + kFecha, fecha);
    for (int k = 0; k < kCategorias; ++k)
        escribeInt64(destino + kCentimos + 8 * k, centimos[static_cast<size_t>(k)]);
}

bool ImportesSorteo::algunoConocido() const
{
    return std::any_of(centimos.begin(), centimos.end(), [](qint64 c) { return c >= 0; });
}

Escritura ArchivoImportes::abre()
{
    registros_.clear();
    danados_ = 0;
    rechazado_ = false;
    QByteArray bytes;
    switch (archivos::leeRegular(ruta_, kLimiteBytes, bytes)) {
    case archivos::Apertura::NoExiste:
        return Escritura::Hecha;
    case archivos::Apertura::Abierta:
        break;
    case archivos::Apertura::NoEsArchivo:
    case archivos::Apertura::Ilegible:
        // Amounts that cannot be read now are not thrown away by the next rewrite.
        rechazado_ = true;
        return Escritura::Fallo;
    }
    const qsizetype n = bytes.size() / ImportesSorteo::kLongitud;
    danados_ = bytes.size() % ImportesSorteo::kLongitud != 0 ? 1 : 0;
    registros_.reserve(static_cast<size_t>(n));
    for (qsizetype i = 0; i < n; ++i) {
        const ImportesSorteo r =
            ImportesSorteo::desdeBytes(bytes.constData() + i * ImportesSorteo::kLongitud);
        if (valido(r))
            registros_.push_back(r);
        else
            ++danados_;
    }
    // A file edited by hand may be out of order or hold a day twice: the first one counts.
    std::stable_sort(registros_.begin(), registros_.end(),
                     [](const ImportesSorteo &a, const ImportesSorteo &b) {
                         return dia(a.fecha) < dia(b.fecha);
                     });
    const auto repetidos = std::unique(registros_.begin(), registros_.end(),
                                       [](const ImportesSorteo &a, const ImportesSorteo &b) {
                                           return dia(a.fecha) == dia(b.fecha);
                                       });
    danados_ += static_cast<int>(registros_.end() - repetidos);
    registros_.erase(repetidos, registros_.end());
    return Escritura::Hecha;
}

const ImportesSorteo *ArchivoImportes::busca(double fecha) const
{
    const double d = dia(fecha);
    const auto i = std::lower_bound(
        registros_.begin(), registros_.end(), d,
        [](const ImportesSorteo &r, double valor) { return dia(r.fecha) < valor; });
    return i != registros_.end() && dia(i->fecha) == d ? &*i : nullptr;
}

QByteArray ArchivoImportes::serializa(const std::vector<ImportesSorteo> &registros)
{
    QByteArray bytes(static_cast<qsizetype>(registros.size()) * ImportesSorteo::kLongitud, '\0');
    char *p = bytes.data();
    for (const ImportesSorteo &r : registros) {
        r.escribeEn(p);
        p += ImportesSorteo::kLongitud;
    }
    return bytes;
}

Escritura ArchivoImportes::guarda(const std::vector<ImportesSorteo> &nuevos)
{
    if (rechazado_)
        return Escritura::Fallo;
    std::vector<ImportesSorteo> todos = registros_;
    bool cambiado = danados_ > 0; // a rewrite also drops what could not be read
    for (const ImportesSorteo &n : nuevos) {
        if (!valido(n) || !n.algunoConocido())
            continue;
        const double d = dia(n.fecha);
        auto i = std::lower_bound(
            todos.begin(), todos.end(), d,
            [](const ImportesSorteo &r, double valor) { return dia(r.fecha) < valor; });
        if (i == todos.end() || dia(i->fecha) != d) {
            if (todos.size() >= static_cast<size_t>(kMaximo))
                continue;
            ImportesSorteo vacio;
            vacio.fecha = n.fecha;
            i = todos.insert(i, vacio);
            cambiado = true;
        }
        for (size_t k = 0; k < n.centimos.size(); ++k)
            if (n.centimos[k] >= 0 && i->centimos[k] != n.centimos[k]) {
                i->centimos[k] = n.centimos[k];
                cambiado = true;
            }
    }
    if (!cambiado)
        return Escritura::Hecha;
    const Escritura e = archivos::escribe(ruta_, serializa(todos));
    if (e == Escritura::Hecha) {
        registros_ = std::move(todos);
        danados_ = 0;
    }
    return e;
}

namespace importes {

QString rutaArchivo(const QString &carpeta)
{
    return QDir(carpeta).filePath(QStringLiteral("premios.dat"));
}

std::optional<qint64> centimos(const QString &texto)
{
    // The service's reader knows every way the operator writes an amount; it gives it back as
    // "1.234.567,89".
    QString t = servicio::importe(texto);
    if (t.isEmpty())
        return std::nullopt;
    t.remove(QLatin1Char('.'));
    const qsizetype coma = t.indexOf(QLatin1Char(','));
    bool ok = false;
    const qint64 euros = t.left(coma).toLongLong(&ok);
    if (!ok || euros > ImportesSorteo::kMaximo / 100)
        return std::nullopt;
    const int cent = coma < 0 ? 0 : t.mid(coma + 1).toInt(&ok);
    if (!ok)
        return std::nullopt;
    return euros * 100 + cent;
}

ImportesSorteo desdeTextos(double fecha, const std::array<std::optional<QString>, 6> &textos)
{
    ImportesSorteo r;
    r.fecha = fecha;
    for (size_t k = 0; k < textos.size(); ++k)
        if (textos[k])
            if (const std::optional<qint64> c = centimos(*textos[k]))
                r.centimos[k] = *c;
    return r;
}

ImportesSorteo desdeServicio(const servicio::SorteoLeido &sorteo)
{
    return desdeTextos(sorteo.sorteo.fecha, servicio::premios(sorteo.escrutinio));
}

namespace {
Escritura guardaEn(const QString &carpeta, const std::vector<ImportesSorteo> &nuevos)
{
    if (std::none_of(nuevos.begin(), nuevos.end(),
                     [](const ImportesSorteo &r) { return r.algunoConocido(); }))
        return Escritura::Hecha;
    ArchivoImportes archivo(rutaArchivo(carpeta));
    archivo.abre();
    return archivo.guarda(nuevos);
}
} // namespace

Escritura guardaServicio(const QString &carpeta, const servicio::Respuesta &respuesta)
{
    std::vector<ImportesSorteo> nuevos;
    nuevos.reserve(respuesta.sorteos.size());
    for (const servicio::SorteoLeido &s : respuesta.sorteos)
        nuevos.push_back(desdeServicio(s));
    return guardaEn(carpeta, nuevos);
}

Escritura guardaDesglose(const QString &carpeta, double fecha,
                         const std::array<std::optional<QString>, 6> &textos)
{
    if (!(fecha >= 1))
        return Escritura::Hecha;
    return guardaEn(carpeta, {desdeTextos(fecha, textos)});
}

Escritura guardaImportado(const QString &carpeta, const QByteArray &contenido)
{
    const servicio::Respuesta r = servicio::lee(contenido);
    if (!r.json || r.sorteos.empty())
        return Escritura::Hecha;
    return guardaServicio(carpeta, r);
}

} // namespace importes
