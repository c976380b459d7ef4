#pragma once

#include <QByteArray>
#include <QString>
#include <array>

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

    bool esMultiple() const { return tipo > 500; }
    bool esReducida() const { return tipo <= 500 && tablaN != 0; }
    // A record a reader can use: 1..205 bets, or a multiple code 501..506.
    bool tipoValido() const { return (tipo >= 1 && tipo <= 205) || (tipo >= 501 && tipo <= 506); }
    // Whether the syndicate plays on a draw of this weekday name and date.
    bool juega(const QString &diaSorteo, double fechaSorteo) const;

    bool operator==(const Pena &) const = default;
};
