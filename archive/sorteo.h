#pragma once

#include <QByteArray>
#include <array>

// Numbers as bits, bit n for number n: the form every count of hits works on. The first
// `cuantos` numbers of `numeros`, or 0 when they are not distinct numbers 1..49 (a draw or a
// bet that cannot be checked).
quint64 mascaraNumeros(const qint16 *numeros, int cuantos);

// One draw as the archive stores it: 32 bytes, little-endian, field by field.
struct Sorteo {
    static constexpr int kLongitud = 32;
    static constexpr int kLongitudAntigua = 24; // layout of the previous version, no Joker

    std::array<qint16, 6> numeros{}; // ascending
    qint16 complementario = 0;
    qint16 reintegro = 0;
    double fecha = 0; // serial date
    double joker = 0; // 0 when not known

    static Sorteo desdeBytes(const char *datos);         // kLongitud bytes
    static Sorteo desdeBytesAntiguos(const char *datos); // kLongitudAntigua bytes
    void escribeEn(char *destino) const;                 // kLongitud bytes
    QByteArray aBytes() const;

    // Six distinct numbers 1..49, a complementary 1..49 not among them, a refund 0..9 and a
    // finite whole Joker of at most seven digits.
    bool esValido() const;
    bool contiene(int numero) const;
    // The six numbers as bits (mascaraNumeros); 0 when they are not six distinct numbers 1..49.
    quint64 ganadores() const { return mascaraNumeros(numeros.data(), 6); }
    // The complementary number's bit; 0 when it is out of 1..49 or one of the six.
    quint64 bitComplementario() const;

    bool operator==(const Sorteo &) const = default;
};
