#include "archive/importes.h"
#include "archive/fechas.h"
#include "archive/juego.h"
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

bool esDia(double fecha)
{
    return std::isfinite(fecha) && fecha >= 1 && fechas::dia(fecha).isValid();
}

template <class C> bool plausibles(const C &cifras, qint64 maximo)
{
    return std::all_of(cifras.begin(), cifras.end(),
                       [maximo](qint64 c) { return c == -1 || (c >= 0 && c <= maximo); });
}
template <class C> bool algunaConocida(const C &cifras)
{
    return std::any_of(cifras.begin(), cifras.end(), [](qint64 c) { return c >= 0; });
}
// Takes the known figures of `nuevas`; true when one of them differed.
template <class C> bool toma(C &guardadas, const C &nuevas)
{
    bool cambiado = false;
    for (size_t k = 0; k < nuevas.size(); ++k)
        if (nuevas[k] >= 0 && guardadas[k] != nuevas[k]) {
            guardadas[k] = nuevas[k];
            cambiado = true;
        }
    return cambiado;
}
template <class C> void leeCifras(const char *p, C &cifras)
{
    for (size_t k = 0; k < cifras.size(); ++k)
        cifras[k] = leeInt64(p + 8 * k);
}
template <class C> void escribeCifras(char *p, const C &cifras)
{
    for (size_t k = 0; k < cifras.size(); ++k)
        escribeInt64(p + 8 * k, cifras[k]);
}
// No count of winners of one draw comes near this.
constexpr qint64 kMaximoGanadores = qint64(1) << 40;
} // namespace

ImportesSorteo ImportesSorteo::desdeBytes(const char *datos)
{
    ImportesSorteo r;
    r.fecha = registro::leeDouble(datos + kFecha);
    leeCifras(datos + kCentimos, r.centimos);
    return r;
}

void ImportesSorteo::escribeEn(char *destino) const
{
    registro::escribeDouble(destino + kFecha, fecha);
    escribeCifras(destino + kCentimos, centimos);
}

bool ImportesSorteo::algunoConocido() const
{
    return algunaConocida(centimos);
}

bool ImportesSorteo::valido() const
{
    return esDia(fecha) && plausibles(centimos, kMaximo);
}

bool ImportesSorteo::mezcla(const ImportesSorteo &otro)
{
    return toma(centimos, otro.centimos);
}

GanadoresSorteo GanadoresSorteo::desdeBytes(const char *datos)
{
    GanadoresSorteo r;
    r.fecha = registro::leeDouble(datos);
    r.reintegro = leeInt64(datos + 8);
    leeCifras(datos + 16, r.ganadores);
    leeCifras(datos + 72, r.centimosJoker);
    leeCifras(datos + 120, r.ganadoresJoker);
    return r;
}

void GanadoresSorteo::escribeEn(char *destino) const
{
    registro::escribeDouble(destino, fecha);
    escribeInt64(destino + 8, reintegro);
    escribeCifras(destino + 16, ganadores);
    escribeCifras(destino + 72, centimosJoker);
    escribeCifras(destino + 120, ganadoresJoker);
}

bool GanadoresSorteo::algunoConocido() const
{
    return reintegro >= 0 || algunaConocida(ganadores) || algunaConocida(centimosJoker) ||
           algunaConocida(ganadoresJoker);
}

bool GanadoresSorteo::valido() const
{
    return esDia(fecha) &&
           (reintegro == -1 || (reintegro >= 0 && reintegro <= Escrutinio::kMaximo)) &&
           plausibles(ganadores, kMaximoGanadores) &&
           plausibles(centimosJoker, Escrutinio::kMaximo) &&
           plausibles(ganadoresJoker, kMaximoGanadores);
}

bool GanadoresSorteo::mezcla(const GanadoresSorteo &otro)
{
    bool cambiado = false;
    if (otro.reintegro >= 0 && reintegro != otro.reintegro) {
        reintegro = otro.reintegro;
        cambiado = true;
    }
    cambiado = toma(ganadores, otro.ganadores) || cambiado;
    cambiado = toma(centimosJoker, otro.centimosJoker) || cambiado;
    return toma(ganadoresJoker, otro.ganadoresJoker) || cambiado;
}

namespace importes {

QString rutaArchivo(const QString &carpeta)
{
    return QDir(carpeta).filePath(QStringLiteral("premios.dat"));
}

std::optional<qint64> centimos(const QString &texto)
{
    return servicio::centimos(texto);
}

ImportesSorteo desdeTextos(double fecha, const std::array<std::optional<QString>, 6> &textos)
{
    ImportesSorteo r;
    r.fecha = fecha;
    for (size_t k = 0; k + 1 < textos.size(); ++k)
        if (textos[k])
            if (const std::optional<qint64> c = centimos(*textos[k]))
                r.centimos[k + 1] = *c;
    return r;
}

QString rutaGanadores(const QString &carpeta)
{
    return QDir(carpeta).filePath(QStringLiteral("ganadores.dat"));
}

ImportesSorteo desdeEscrutinio(double fecha, const Escrutinio &escrutinio)
{
    ImportesSorteo r;
    r.fecha = fecha;
    std::copy_n(escrutinio.centimos.begin(), r.centimos.size(), r.centimos.begin());
    return r;
}

GanadoresSorteo ganadoresDe(double fecha, const Escrutinio &escrutinio)
{
    GanadoresSorteo r;
    r.fecha = fecha;
    r.reintegro = escrutinio.centimos[Escrutinio::kReintegro];
    r.ganadores = escrutinio.ganadores;
    r.centimosJoker = escrutinio.centimosJoker;
    r.ganadoresJoker = escrutinio.ganadoresJoker;
    return r;
}

namespace {
Escritura guardaEn(const QString &carpeta, const std::vector<ImportesSorteo> &nuevos,
                   std::vector<double> *cambiados = nullptr, bool *escrito = nullptr)
{
    if (cambiados)
        cambiados->clear();
    if (escrito)
        *escrito = false;
    if (std::none_of(nuevos.begin(), nuevos.end(),
                     [](const ImportesSorteo &r) { return r.algunoConocido(); }))
        return Escritura::Hecha;
    ArchivoImportes archivo(rutaArchivo(carpeta));
    archivo.abre();
    return archivo.guarda(nuevos, cambiados, escrito);
}
} // namespace

Escritura guarda(const QString &carpeta, const Lote &lote, std::vector<double> *cambiados,
                 bool *escrito)
{
    std::vector<ImportesSorteo> importes;
    std::vector<GanadoresSorteo> ganadores;
    for (const Recibido &r : lote.sorteos) {
        importes.push_back(desdeEscrutinio(r.sorteo.fecha, r.escrutinio));
        ganadores.push_back(ganadoresDe(r.sorteo.fecha, r.escrutinio));
    }
    // The winners first, the amounts last: a draw whose amounts premios.dat holds has the rest
    // of its breakdown stored too, so a download stopped between the two files leaves the draw
    // without its amounts, and the next download asks for it again. A ganadores.dat that
    // cannot be written does not keep the amounts out.
    Escritura g = Escritura::Hecha;
    if (std::any_of(ganadores.begin(), ganadores.end(),
                    [](const GanadoresSorteo &r) { return r.algunoConocido(); })) {
        ArchivoGanadores archivo(rutaGanadores(carpeta));
        archivo.abre();
        g = archivo.guarda(ganadores);
    }
    const Escritura e = guardaEn(carpeta, importes, cambiados, escrito);
    return e != Escritura::Hecha ? e : g;
}

Escritura guardaServicio(const QString &carpeta, const servicio::Respuesta &respuesta)
{
    return guarda(carpeta, servicio::lote(respuesta));
}

QDate primerEspecial()
{
    return juego::primerEspecial();
}

bool completo(const ImportesSorteo *importes, double fecha)
{
    if (!importes)
        return false;
    static const double especial = fechas::serial(primerEspecial());
    for (int k = fecha >= especial ? 0 : 1; k < ImportesSorteo::kCategorias; ++k)
        if (!importes->conoce(k))
            return false;
    return true;
}

std::vector<int> aniosIncompletos(const std::vector<Sorteo> &sorteos,
                                  const ArchivoImportes &importes, int *incompletos)
{
    std::vector<int> anios;
    int cuantos = 0;
    for (const Sorteo &s : sorteos) {
        if (completo(importes.busca(s.fecha), s.fecha))
            continue;
        ++cuantos;
        const int anio = fechas::dia(s.fecha).year();
        if (anios.empty() || anios.back() != anio)
            anios.push_back(anio);
    }
    if (incompletos)
        *incompletos = cuantos;
    return anios;
}

Escritura guardaDesglose(const QString &carpeta, double fecha,
                         const std::array<std::optional<QString>, 6> &textos)
{
    if (!(fecha >= 1))
        return Escritura::Hecha;
    return guardaEn(carpeta, {desdeTextos(fecha, textos)});
}

} // namespace importes
