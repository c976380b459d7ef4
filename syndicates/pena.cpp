#include "syndicates/pena.h"
#include "archive/registro.h"

namespace {
constexpr int kNombre = 0;
constexpr int kTablaN = 20;
constexpr int kTablaG = 22;
constexpr int kElegidos = 24;
constexpr int kApuestasOff = 64;
constexpr int kPremios = 8264;
constexpr int kDias = 8274;
constexpr int kTipo = 8289;
constexpr int kCreacion = 8291;
constexpr int kContado = 8299;
static_assert(kContado + 8 == Pena::kLongitud);
} // namespace

Pena Pena::desdeBytes(const char *datos)
{
    using namespace registro;
    Pena p;
    p.nombre = QByteArray(datos + kNombre, kAnchoNombre);
    p.tablaN = leeInt16(datos + kTablaN);
    p.tablaG = leeInt16(datos + kTablaG);
    for (int i = 0; i < kPosiciones; ++i)
        p.elegidos[static_cast<size_t>(i)] = leeInt16(datos + kElegidos + 2 * i);
    const char *c = datos + kApuestasOff;
    for (auto &apuesta : p.apuestas)
        for (auto &n : apuesta) {
            n = leeInt16(c);
            c += 2;
        }
    for (int i = 0; i < 5; ++i)
        p.premios[static_cast<size_t>(i)] = leeInt16(datos + kPremios + 2 * i);
    p.dias = QByteArray(datos + kDias, kAnchoDias);
    p.tipo = leeInt16(datos + kTipo);
    p.creacion = leeDouble(datos + kCreacion);
    p.contado = leeDouble(datos + kContado);
    return p;
}

void Pena::escribeEn(char *destino) const
{
    using namespace registro;
    const QByteArray n = nombre.leftJustified(kAnchoNombre, ' ', true);
    std::memcpy(destino + kNombre, n.constData(), kAnchoNombre);
    escribeInt16(destino + kTablaN, tablaN);
    escribeInt16(destino + kTablaG, tablaG);
    for (int i = 0; i < kPosiciones; ++i)
        escribeInt16(destino + kElegidos + 2 * i, elegidos[static_cast<size_t>(i)]);
    char *c = destino + kApuestasOff;
    for (const auto &apuesta : apuestas)
        for (qint16 v : apuesta) {
            escribeInt16(c, v);
            c += 2;
        }
    for (int i = 0; i < 5; ++i)
        escribeInt16(destino + kPremios + 2 * i, premios[static_cast<size_t>(i)]);
    const QByteArray d = dias.leftJustified(kAnchoDias, ' ', true);
    std::memcpy(destino + kDias, d.constData(), kAnchoDias);
    escribeInt16(destino + kTipo, tipo);
    escribeDouble(destino + kCreacion, creacion);
    escribeDouble(destino + kContado, contado);
}

QByteArray Pena::aBytes() const
{
    QByteArray bytes(kLongitud, '\0');
    escribeEn(bytes.data());
    return bytes;
}

QString Pena::nombreTexto() const
{
    return registro::desde1252(nombre);
}
QString Pena::diasTexto() const
{
    return registro::desde1252(dias);
}
void Pena::ponNombre(const QString &texto)
{
    nombre = registro::campo1252(texto, kAnchoNombre);
}
void Pena::ponDias(const QString &texto)
{
    dias = registro::campo1252(texto, kAnchoDias);
}

bool Pena::juega(const QString &diaSorteo, double fechaSorteo) const
{
    const QString propios = diasTexto().trimmed();
    return (propios == diaSorteo || propios == QString::fromUtf8("Jueves y Sábado")) &&
           !(fechaSorteo < creacion);
}
