#include "syndicates/cuentas.h"
#include "archive/registro.h"
#include "archive/texto.h"

#include <QDir>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
constexpr int kTipo = 0;
constexpr int kCreacion = 2;
constexpr int kPena = 10;
constexpr int kSocio = 30;
constexpr int kAnchoSocio = 30;
constexpr int kFecha = 60;
constexpr int kHasta = 68;
constexpr int kCentimos = 76;
constexpr int kDestino = 84;
constexpr int kNota = 86;
constexpr int kCeros = 126;
static_assert(kPena + Pena::kAnchoNombre == kSocio);
static_assert(kNota + CuentasPena::kAnchoNota == kCeros);
static_assert(kCeros + 2 == CuentasPena::kLongitud);

constexpr int kPago = 1;
constexpr int kPermanencia = 2;
constexpr int kDestinoPremios = 3;
// 31/12/9999: the last day a date field can name.
constexpr double kUltimoDia = 2958465;

bool diaEntero(double v)
{
    return std::isfinite(v) && v >= 1 && v <= kUltimoDia && std::floor(v) == v;
}

QString sinBlancosFinales(QString t)
{
    while (t.endsWith(QLatin1Char(' ')))
        t.chop(1);
    return t;
}

// One record as written; every field the kind does not use is zeros or blanks.
struct Registro {
    int tipo = 0;
    QString socio;
    double fecha = 0;
    double hasta = 0;
    qint64 centimos = 0;
    int destino = 0;
    QString nota;
};

QByteArray bytesDe(const CuentasPena &c, const Registro &r)
{
    using namespace registro;
    QByteArray b(CuentasPena::kLongitud, '\0');
    char *d = b.data();
    escribeInt16(d + kTipo, static_cast<qint16>(r.tipo));
    escribeDouble(d + kCreacion, c.creacion);
    std::memcpy(d + kPena, c.pena.leftJustified(Pena::kAnchoNombre, ' ', true).constData(),
                Pena::kAnchoNombre);
    std::memcpy(d + kSocio, campo1252(r.socio, kAnchoSocio).constData(), kAnchoSocio);
    escribeDouble(d + kFecha, r.fecha);
    escribeDouble(d + kHasta, r.hasta);
    qToLittleEndian<qint64>(r.centimos, d + kCentimos);
    escribeInt16(d + kDestino, static_cast<qint16>(r.destino));
    std::memcpy(d + kNota, campo1252(r.nota, CuentasPena::kAnchoNota).constData(),
                CuentasPena::kAnchoNota);
    return b;
}

// The record in these bytes, when it holds a fact that can be used. Only a record that writes
// back to the very same bytes is taken: anything else in it would be lost by the next rewrite,
// and is kept instead as a damaged record.
std::optional<std::pair<CuentasPena, Registro>> leeRegistro(const char *datos)
{
    using namespace registro;
    CuentasPena clave;
    clave.creacion = leeDouble(datos + kCreacion);
    clave.pena = QByteArray(datos + kPena, Pena::kAnchoNombre);
    Registro r;
    r.tipo = leeInt16(datos + kTipo);
    r.socio = sinBlancosFinales(desde1252(QByteArray(datos + kSocio, kAnchoSocio)));
    r.fecha = leeDouble(datos + kFecha);
    r.hasta = leeDouble(datos + kHasta);
    r.centimos = qFromLittleEndian<qint64>(datos + kCentimos);
    r.destino = leeInt16(datos + kDestino);
    r.nota = sinBlancosFinales(desde1252(QByteArray(datos + kNota, CuentasPena::kAnchoNota)));
    if (!std::isfinite(clave.creacion))
        return std::nullopt;
    bool valido = false;
    const bool conSocio = !r.socio.trimmed().isEmpty();
    switch (r.tipo) {
    case kPago:
        valido = conSocio && diaEntero(r.fecha) && r.hasta == 0 && r.centimos != 0 &&
                 r.centimos >= -CuentasPena::kMaxCentimos &&
                 r.centimos <= CuentasPena::kMaxCentimos && r.destino == 0;
        break;
    case kPermanencia:
        valido = conSocio && diaEntero(r.fecha) &&
                 (r.hasta == 0 || (diaEntero(r.hasta) && r.hasta >= r.fecha)) && r.centimos == 0 &&
                 r.destino == 0 && r.nota.isEmpty();
        break;
    case kDestinoPremios:
        valido = r.socio.isEmpty() && r.fecha == 0 && r.hasta == 0 && r.centimos == 0 &&
                 (r.destino == 0 || r.destino == 1) && r.nota.isEmpty();
        break;
    default:
        break;
    }
    if (!valido || bytesDe(clave, r) != QByteArray::fromRawData(datos, CuentasPena::kLongitud))
        return std::nullopt;
    return std::make_pair(std::move(clave), std::move(r));
}

} // namespace

bool Permanencia::incluye(double dia) const
{
    const double d = std::floor(dia);
    return desde <= d && (hasta == 0 || d <= hasta);
}

CuentasPena CuentasPena::de(const Pena &pena)
{
    return porpena::clave<CuentasPena>(pena);
}

bool CuentasPena::esDe(const Pena &p) const
{
    return porpena::esDe(*this, p);
}

void CuentasPena::renombraSocio(const QString &antes, const QString &despues)
{
    for (Pago &p : pagos)
        if (p.socio == antes)
            p.socio = despues;
    for (Permanencia &p : permanencias)
        if (p.socio == antes)
            p.socio = despues;
}

QByteArray CuentasPena::registros() const
{
    QByteArray b;
    b.reserve(static_cast<qsizetype>(permanencias.size() + pagos.size() + 1) * kLongitud);
    for (const Permanencia &p : permanencias) {
        Registro r;
        r.tipo = kPermanencia;
        r.socio = p.socio;
        r.fecha = p.desde;
        r.hasta = p.hasta;
        b += bytesDe(*this, r);
    }
    for (const Pago &p : pagos) {
        Registro r;
        r.tipo = kPago;
        r.socio = p.socio;
        r.fecha = p.fecha;
        r.centimos = p.centimos;
        r.nota = p.nota;
        b += bytesDe(*this, r);
    }
    if (destino == Destino::Bote) {
        Registro r;
        r.tipo = kDestinoPremios;
        r.destino = 1;
        b += bytesDe(*this, r);
    }
    return b;
}

bool CuentasPena::escribible() const
{
    if (vacio())
        return true;
    std::vector<CuentasPena> leidas;
    std::vector<QByteArray> danados;
    ArchivoCuentas::lee(registros(), leidas, danados);
    return danados.empty() && leidas.size() == 1 && leidas.front() == *this;
}

void ArchivoCuentas::lee(const QByteArray &bytes, std::vector<CuentasPena> &registros,
                         std::vector<QByteArray> &danados)
{
    registros.clear();
    danados.clear();
    const qsizetype n = bytes.size() / CuentasPena::kLongitud;
    for (qsizetype i = 0; i < n; ++i) {
        const char *d = bytes.constData() + i * CuentasPena::kLongitud;
        auto leido = leeRegistro(d);
        if (!leido) {
            danados.emplace_back(d, CuentasPena::kLongitud);
            continue;
        }
        const CuentasPena &clave = leido->first;
        const Registro &r = leido->second;
        auto j = std::find_if(registros.begin(), registros.end(),
                              [&](const CuentasPena &c) { return porpena::mismaClave(c, clave); });
        if (j == registros.end()) {
            registros.push_back(clave);
            j = registros.end() - 1;
        }
        switch (r.tipo) {
        case kPago:
            j->pagos.push_back({r.socio, r.fecha, r.centimos, r.nota});
            break;
        case kPermanencia:
            j->permanencias.push_back({r.socio, r.fecha, r.hasta});
            break;
        default:
            j->destino = r.destino == 1 ? Destino::Bote : Destino::Reparten;
            break;
        }
    }
    // A syndicate whose only record says its prizes are shared out holds nothing to keep.
    registros.erase(std::remove_if(registros.begin(), registros.end(),
                                   [](const CuentasPena &c) { return c.vacio(); }),
                    registros.end());
}

Escritura ArchivoCuentas::abre()
{
    QByteArray bytes;
    if (leeArchivo(kLimiteBytes, bytes) != Escritura::Hecha)
        return Escritura::Fallo;
    lee(bytes, registros_, danados_);
    return Escritura::Hecha;
}

Escritura ArchivoCuentas::reescribe(std::vector<CuentasPena> registros)
{
    if (rechazado_)
        return Escritura::Fallo;
    QByteArray bytes;
    qsizetype cuantos = static_cast<qsizetype>(danados_.size());
    for (const CuentasPena &c : registros)
        cuantos += static_cast<qsizetype>(c.pagos.size() + c.permanencias.size() + 1);
    if (cuantos > kLimite)
        return Escritura::Fallo;
    bytes.reserve(cuantos * CuentasPena::kLongitud);
    for (const CuentasPena &c : registros)
        bytes += c.registros();
    for (const QByteArray &d : danados_)
        bytes += d;
    const Escritura e = archivos::escribe(ruta_, bytes);
    if (e == Escritura::Hecha)
        registros_ = std::move(registros);
    return e;
}

Escritura ArchivoCuentas::pon(const CuentasPena &cuentas)
{
    if (!cuentas.escribible())
        return Escritura::Fallo;
    std::optional<std::vector<CuentasPena>> nuevos = con(cuentas);
    return nuevos ? reescribe(std::move(*nuevos)) : Escritura::Hecha;
}

Escritura ArchivoCuentas::renombraSocio(const Pena &pena, const QString &antes,
                                        const QString &despues)
{
    const CuentasPena *actual = busca(pena);
    if (!actual || antes == despues)
        return Escritura::Hecha;
    CuentasPena nuevas = *actual;
    nuevas.renombraSocio(antes, despues);
    if (nuevas == *actual)
        return Escritura::Hecha;
    return pon(nuevas);
}

namespace cuentas {

QString rutaArchivo(const QString &carpeta)
{
    return QDir(carpeta).filePath(QStringLiteral("cuentas.dat"));
}

std::optional<QString> avisoNota(const QString &tecleada)
{
    QByteArray bytes;
    if (!registro::a1252(tecleada.trimmed(), bytes))
        return u("La nota del pago sólo puede llevar letras, números y signos del alfabeto "
                 "occidental.");
    if (bytes.size() > CuentasPena::kAnchoNota)
        return u("La nota del pago no puede tener más de %1 letras.").arg(CuentasPena::kAnchoNota);
    return std::nullopt;
}

} // namespace cuentas
