#pragma once

#include "archive/juego.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <bit>

// The draw days a syndicate can store, numbered as the editor's day options 1..7: "Jueves",
// "Sábado", "Jueves y Sábado", "Lunes", "Lunes y Jueves", "Lunes y Sábado", "Todos los días".
namespace diasjuego {
constexpr int kOpciones = 7;
// The stored text of option 1..7; empty for any other number.
QString texto(int opcion);
// The option of a stored text (trailing blanks aside); 0 for a text no option stores.
int opcion(const QString &dias);
// The weekdays of a stored text as fechas::bitDia bits; 0 (no draw) for any other text.
int mascara(const QString &dias);
// How many draws a week the stored text plays (0 for a text no option stores).
int porSemana(const QString &dias);
// The days in words for a reader: "Lunes, jueves y sábado"; any other text as it stands.
QString enPalabras(const QString &dias);
// Whether a syndicate of these days (mascara) made on `creacion` plays a draw of weekday bit
// `dia` (fechas::bitDia) held on `fecha`: the draw's moment, 21:30 of its day, is not earlier
// than the creation (juego::despuesDe); `historico` takes the draws before it was made too.
// Every count of played draws, both checking passes and the money come down to this one test.
inline bool juegaSorteo(int dias, double creacion, int dia, double fecha, bool historico)
{
    return (dias & dia) != 0 && (historico || juego::despuesDe(fecha, creacion));
}
} // namespace diasjuego

// Numbers marked by a multiple code (501..506), bets a multiple stands for (code + 6,
// 507..512), or the bet count of a simple or reduced syndicate given as count + 6.
qint16 cuantos(int son);

// One syndicate as apuestas.dat stores it: 8307 bytes, little-endian, field by field.
// Every byte belongs to a field, so reading and writing a record gives it back byte for byte.
struct Pena {
    static constexpr int kLongitud = 8307;
    static constexpr int kApuestas = 205;
    static constexpr int kPosiciones = 20;
    static constexpr int kAnchoNombre = 20;
    static constexpr int kAnchoDias = 15;

    QByteArray nombre = QByteArray(kAnchoNombre, ' '); // Windows-1252, blank-filled
    qint16 tablaN = 0;
    qint16 tablaG = 0;
    std::array<qint16, kPosiciones> elegidos{};
    std::array<std::array<qint16, kPosiciones>, kApuestas> apuestas{}; // [bet-1][position-1]
    std::array<qint16, 5> premios{}; // hits 3, 4, 5, 6, and 5 plus complementary
    QByteArray dias = QByteArray(kAnchoDias, ' ');
    qint16 tipo = 0; // 1..205 bets, or 501..506 a multiple
    double creacion = 0;
    double contado = 0; // newest draw already counted; 0 = none

    static Pena desdeBytes(const char *datos); // kLongitud bytes
    void escribeEn(char *destino) const;
    QByteArray aBytes() const;

    // Name and days as text, with their trailing blanks (callers trim where they must).
    QString nombreTexto() const;
    QString diasTexto() const;
    void ponNombre(const QString &texto);
    void ponDias(const QString &texto);

    // Whether `otra` is this syndicate: the same name and creation date, the date compared as
    // stored (a damaged one that is not a number is still its own key, not a new one each time).
    bool mismaClave(const Pena &otra) const
    {
        return mismaCreacion(creacion, otra.creacion) && nombre == otra.nombre;
    }
    static bool mismaCreacion(double a, double b)
    {
        return std::bit_cast<quint64>(a) == std::bit_cast<quint64>(b);
    }

    // Prize counter by hit index 3..7 (7 = five plus complementary).
    qint16 &premio(int indice) { return premios[static_cast<size_t>(indice - 3)]; }
    qint16 premio(int indice) const { return premios[static_cast<size_t>(indice - 3)]; }
    // Number at bet b, position p, both 1-based.
    qint16 numero(int b, int p) const
    {
        return apuestas[static_cast<size_t>(b - 1)][static_cast<size_t>(p - 1)];
    }
    qint16 &numero(int b, int p)
    {
        return apuestas[static_cast<size_t>(b - 1)][static_cast<size_t>(p - 1)];
    }

    // The first `cuantos` numbers of bet b as bits (bit n for number n); 0 when they are not
    // distinct numbers 1..49, so the bet cannot be checked.
    quint64 mascara(int b, int cuantos) const;

    bool esMultiple() const { return tipo > 500; }
    bool esReducida() const { return tipo <= 500 && tablaN != 0; }
    // A record a reader can use: 1..205 bets, or a multiple code 501..506.
    bool tipoValido() const { return (tipo >= 1 && tipo <= 205) || (tipo >= 501 && tipo <= 506); }
    // Whether the syndicate plays the draw of this date: the draw falls on one of its days and,
    // unless the whole history is asked for, not before the syndicate was made.
    bool juega(double fechaSorteo, bool historico = false) const;

    bool operator==(const Pena &) const = default;
};
