#pragma once

#include <QByteArray>
#include <array>

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

    bool operator==(const Sorteo &) const = default;
};
