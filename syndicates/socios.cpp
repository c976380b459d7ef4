#include "syndicates/socios.h"
#include "archive/registro.h"
#include "archive/texto.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cstring>

namespace {
constexpr int kCreacion = 0;
constexpr int kPena = 8;
constexpr int kReintegro = 28;
constexpr int kCuantos = 30;
constexpr int kRanuras = 32;
static_assert(kPena + Pena::kAnchoNombre == kReintegro);
static_assert(kRanuras + SociosPena::kMaxSocios * SociosPena::kRanura == SociosPena::kLongitud);

QString sinBlancosFinales(QString t)
{
    while (t.endsWith(QLatin1Char(' ')))
        t.chop(1);
    return t;
}
} // namespace

SociosPena SociosPena::de(const Pena &pena)
{
    return porpena::clave<SociosPena>(pena);
}

bool SociosPena::esDe(const Pena &p) const
{
    return porpena::esDe(*this, p);
}

std::optional<SociosPena> SociosPena::desdeBytes(const char *datos)
{
    using namespace registro;
    SociosPena s;
    s.creacion = leeDouble(datos + kCreacion);
    s.pena = QByteArray(datos + kPena, Pena::kAnchoNombre);
    s.reintegro = leeInt16(datos + kReintegro);
    const int n = leeInt16(datos + kCuantos);
    if (s.reintegro < -1 || s.reintegro > 9 || n < 0 || n > kMaxSocios)
        return std::nullopt;
    for (int i = 0; i < n; ++i) {
        const char *r = datos + kRanuras + i * kRanura;
        Socio socio;
        socio.nombre = sinBlancosFinales(desde1252(QByteArray(r, kAnchoNombre)));
        socio.participaciones = leeInt16(r + kAnchoNombre);
        if (socio.participaciones < 1 || socio.participaciones > kMaxParticipaciones)
            return std::nullopt;
        s.socios.push_back(socio);
    }
    return s;
}

void SociosPena::escribeEn(char *destino) const
{
    using namespace registro;
    escribeDouble(destino + kCreacion, creacion);
    const QByteArray p = pena.leftJustified(Pena::kAnchoNombre, ' ', true);
    std::memcpy(destino + kPena, p.constData(), Pena::kAnchoNombre);
    escribeInt16(destino + kReintegro, static_cast<qint16>(std::clamp(reintegro, -1, 9)));
    const int n = std::min(static_cast<int>(socios.size()), kMaxSocios);
    escribeInt16(destino + kCuantos, static_cast<qint16>(n));
    for (int i = 0; i < kMaxSocios; ++i) {
        char *r = destino + kRanuras + i * kRanura;
        const QByteArray nombre =
            i < n ? campo1252(socios[static_cast<size_t>(i)].nombre, kAnchoNombre)
                  : QByteArray(kAnchoNombre, ' ');
        std::memcpy(r, nombre.constData(), kAnchoNombre);
        const int partes = i < n ? std::clamp(socios[static_cast<size_t>(i)].participaciones, 1,
                                              kMaxParticipaciones)
                                 : 0;
        escribeInt16(r + kAnchoNombre, static_cast<qint16>(partes));
    }
}

int SociosPena::totalParticipaciones() const
{
    int total = 0;
    for (const Socio &s : socios)
        total += s.participaciones;
    return total;
}

QString ArchivoSocios::rutaJokers() const
{
    return QFileInfo(ruta_).dir().filePath(QStringLiteral("jokers.dat"));
}

void ArchivoSocios::leeJokers()
{
    QByteArray bytes;
    if (archivos::leeRegular(rutaJokers(), qint64(kLimite) * SociosPena::kLongitudJokers, bytes) !=
        archivos::Apertura::Abierta)
        return;
    using namespace registro;
    for (qsizetype i = 0; i + SociosPena::kLongitudJokers <= bytes.size();
         i += SociosPena::kLongitudJokers) {
        const char *r = bytes.constData() + i;
        SociosPena clave;
        clave.creacion = leeDouble(r);
        clave.pena = QByteArray(r + 8, Pena::kAnchoNombre);
        const int n = leeInt16(r + 28);
        if (n < 0 || n > SociosPena::kMaxJokers)
            continue;
        std::vector<qint32> numeros;
        for (int k = 0; k < n; ++k) {
            const qint32 v = qFromLittleEndian<qint32>(r + 30 + 4 * k);
            if (v >= 0 && v <= 9999999)
                numeros.push_back(v);
        }
        auto j = std::find_if(registros_.begin(), registros_.end(),
                              [&](const SociosPena &s) { return porpena::mismaClave(s, clave); });
        if (j == registros_.end()) {
            registros_.push_back(clave);
            j = registros_.end() - 1;
        }
        j->jokers = std::move(numeros);
    }
}

Escritura ArchivoSocios::abre()
{
    QByteArray bytes;
    if (leeArchivo(kLimiteBytes, bytes) != Escritura::Hecha)
        return Escritura::Fallo;
    const qsizetype n = bytes.size() / SociosPena::kLongitud;
    for (qsizetype i = 0; i < n; ++i) {
        const char *r = bytes.constData() + i * SociosPena::kLongitud;
        if (std::optional<SociosPena> s = SociosPena::desdeBytes(r))
            registros_.push_back(std::move(*s));
        else
            danados_.emplace_back(r, SociosPena::kLongitud);
    }
    leeJokers();
    return Escritura::Hecha;
}

Escritura ArchivoSocios::reescribe(std::vector<SociosPena> registros)
{
    if (rechazado_)
        return Escritura::Fallo;
    QByteArray bytes(
        static_cast<qsizetype>(registros.size() + danados_.size()) * SociosPena::kLongitud, '\0');
    char *p = bytes.data();
    for (const SociosPena &s : registros) {
        s.escribeEn(p);
        p += SociosPena::kLongitud;
    }
    for (const QByteArray &d : danados_)
        p = std::copy_n(d.constData(), SociosPena::kLongitud, p);
    // The Joker numbers first: members written without them would lose them at the next start.
    QByteArray jokers;
    for (const SociosPena &s : registros) {
        if (s.jokers.empty())
            continue;
        QByteArray r(SociosPena::kLongitudJokers, '\0');
        registro::escribeDouble(r.data(), s.creacion);
        std::memcpy(r.data() + 8, s.pena.leftJustified(Pena::kAnchoNombre, ' ', true).constData(),
                    Pena::kAnchoNombre);
        const int n = std::min(static_cast<int>(s.jokers.size()), SociosPena::kMaxJokers);
        registro::escribeInt16(r.data() + 28, static_cast<qint16>(n));
        for (int k = 0; k < n; ++k)
            qToLittleEndian<qint32>(s.jokers[static_cast<size_t>(k)], r.data() + 30 + 4 * k);
        jokers += r;
    }
    Escritura e = Escritura::Hecha;
    if (!jokers.isEmpty() || QFileInfo::exists(rutaJokers()))
        e = archivos::escribe(rutaJokers(), jokers);
    if (e != Escritura::Hecha)
        return e;
    e = archivos::escribe(ruta_, bytes);
    if (e == Escritura::Hecha)
        registros_ = std::move(registros);
    return e;
}

Escritura ArchivoSocios::pon(const SociosPena &socios)
{
    if (static_cast<int>(socios.socios.size()) > SociosPena::kMaxSocios ||
        static_cast<int>(socios.jokers.size()) > SociosPena::kMaxJokers)
        return Escritura::Fallo;
    std::optional<std::vector<SociosPena>> nuevos = con(socios);
    if (!nuevos)
        return Escritura::Hecha;
    if (static_cast<int>(nuevos->size()) + danados() > kLimite)
        return Escritura::Fallo;
    return reescribe(std::move(*nuevos));
}

namespace socios {

QString rutaArchivo(const QString &carpeta)
{
    return QDir(carpeta).filePath(QStringLiteral("socios.dat"));
}

Jokers leeJokers(const QString &tecleado)
{
    Jokers r;
    static const QRegularExpression separador(QStringLiteral("[\\s,;]+"));
    for (const QString &t : tecleado.split(separador, Qt::SkipEmptyParts)) {
        const bool cifras = std::all_of(t.cbegin(), t.cend(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        });
        if (!cifras || t.size() != 7) {
            r.aviso = u("«%1» no es un número de Joker: tiene que tener siete cifras, con los "
                        "ceros de delante (por ejemplo 0559707).")
                          .arg(t);
            r.numeros.clear();
            return r;
        }
        const qint32 n = t.toInt();
        if (std::find(r.numeros.begin(), r.numeros.end(), n) == r.numeros.end())
            r.numeros.push_back(n);
    }
    if (static_cast<int>(r.numeros.size()) > SociosPena::kMaxJokers) {
        r.aviso =
            u("Una peña puede anotar como mucho %1 números de Joker.").arg(SociosPena::kMaxJokers);
        r.numeros.clear();
    }
    return r;
}

QString textoJokers(const std::vector<qint32> &numeros)
{
    QStringList t;
    for (qint32 n : numeros)
        t << QStringLiteral("%1").arg(n, 7, 10, QLatin1Char('0'));
    return t.join(QLatin1Char(' '));
}

NombreSocio normalizaNombre(const QString &tecleado)
{
    NombreSocio r;
    const QString t = tecleado.trimmed();
    QByteArray bytes;
    if (!registro::a1252(t, bytes)) {
        QString ajeno;
        for (qsizetype i = 0; i < t.size(); ++i) {
            const qsizetype largo = t.at(i).isHighSurrogate() && i + 1 < t.size() ? 2 : 1;
            QByteArray b;
            if (!registro::a1252(t.mid(i, largo), b)) {
                ajeno = t.mid(i, largo);
                break;
            }
            i += largo - 1;
        }
        r.aviso = u("El nombre del socio sólo puede llevar letras, números y signos del "
                    "alfabeto occidental") +
                  (ajeno.isEmpty() ? QString() : u(": el carácter «") + ajeno + u("» no vale")) +
                  QStringLiteral(".");
        return r;
    }
    if (bytes.size() > SociosPena::kAnchoNombre) {
        r.aviso =
            u("¡¡¡El nombre no puede tener más de %1 letras!!!").arg(SociosPena::kAnchoNombre);
        return r;
    }
    if (t.isEmpty()) {
        r.aviso = u("Escriba el nombre del socio.");
        return r;
    }
    r.texto = t;
    return r;
}

} // namespace socios
