#include "syndicates/pena.h"
#include "archive/fechas.h"
#include "archive/registro.h"
#include "archive/sorteo.h"

#include <algorithm>
#include <bit>

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

bool Pena::juega(double fechaSorteo, bool historico) const
{
    return diasjuego::juegaSorteo(diasjuego::mascara(diasTexto()), creacion,
                                  fechas::bitDia(fechaSorteo), fechaSorteo, historico);
}

namespace diasjuego {

namespace {
struct Dias {
    const char *texto;
    int mascara;
    const char *palabras;
};
constexpr Dias kTabla[kOpciones] = {
    {"Jueves", fechas::kJueves, "Jueves"},
    {"Sábado", fechas::kSabado, "Sábado"},
    {"Jueves y Sábado", fechas::kJueves | fechas::kSabado, "Jueves y sábado"},
    {"Lunes", fechas::kLunes, "Lunes"},
    {"Lunes y Jueves", fechas::kLunes | fechas::kJueves, "Lunes y jueves"},
    {"Lunes y Sábado", fechas::kLunes | fechas::kSabado, "Lunes y sábado"},
    {"Todos los días", fechas::kLunes | fechas::kJueves | fechas::kSabado,
     "Lunes, jueves y sábado"},
};
} // namespace

QString texto(int opcion)
{
    return opcion >= 1 && opcion <= kOpciones ? QString::fromUtf8(kTabla[opcion - 1].texto)
                                              : QString();
}

int opcion(const QString &dias)
{
    static const std::array<QString, kOpciones> textos = [] {
        std::array<QString, kOpciones> t;
        for (int k = 0; k < kOpciones; ++k)
            t[static_cast<size_t>(k)] = QString::fromUtf8(kTabla[k].texto);
        return t;
    }();
    const QString d = dias.trimmed();
    for (int k = 0; k < kOpciones; ++k)
        if (d == textos[static_cast<size_t>(k)])
            return k + 1;
    return 0;
}

int mascara(const QString &dias)
{
    const int k = opcion(dias);
    return k == 0 ? 0 : kTabla[k - 1].mascara;
}

int porSemana(const QString &dias)
{
    return std::popcount(static_cast<unsigned>(mascara(dias)));
}

QString enPalabras(const QString &dias)
{
    const int k = opcion(dias);
    return k == 0 ? dias.trimmed() : QString::fromUtf8(kTabla[k - 1].palabras);
}

} // namespace diasjuego

quint64 Pena::mascara(int b, int cuantos) const
{
    if (b < 1 || b > kApuestas)
        return 0;
    return mascaraNumeros(apuestas[static_cast<size_t>(b - 1)].data(),
                          std::clamp(cuantos, 0, kPosiciones));
}

qint16 cuantos(int son)
{
    static const qint16 kNumeros[] = {7, 8, 5, 9, 10, 11};
    static const qint16 kApuestas[] = {7, 28, 44, 84, 210, 462};
    if (son >= 501 && son <= 506)
        return kNumeros[son - 501];
    if (son >= 507 && son <= 512)
        return kApuestas[son - 507];
    if (son > 499)
        return 0;
    return static_cast<qint16>(son - 6);
}
