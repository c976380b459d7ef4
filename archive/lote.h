#pragma once

#include "archive/sorteo.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// What every source of draws yields, whatever it read: the results service by range or by
// date, the operator's results pages, a file the user imports. The session applies it in one
// place, so that a draw and its prizes reach the files the same way wherever they came from.

// The prize breakdown of one draw: the amount and the winners of each category and of the
// Joker's. A figure the source did not give (or gave in a way that cannot be read) is unknown,
// never 0: a draw is not taken to have paid nothing because its amounts were missing.
struct Escrutinio {
    // Especial (6 + refund), 1ª (6), 2ª (5 + complementary), 3ª (5), 4ª (4), 5ª (3), refund.
    static constexpr int kCategorias = 7;
    static constexpr int kReintegro = 6;
    // Joker: all seven digits, then the last six, five, four, three and two.
    static constexpr int kJoker = 6;
    static constexpr qint64 kDesconocido = -1;
    // Cents of the largest jackpot ever paid are far below this; anything above is no amount.
    static constexpr qint64 kMaximo = qint64(1) << 50;
    // The most a source's amount may be: 200 million euros, far above any jackpot paid. A
    // larger figure is a fault of the source, not a prize.
    static constexpr qint64 kImporteMaximo = qint64(200'000'000) * 100;

    std::array<qint64, kCategorias> centimos = desconocidos<kCategorias>();
    std::array<qint64, kCategorias> ganadores = desconocidos<kCategorias>();
    std::array<qint64, kJoker> centimosJoker = desconocidos<kJoker>();
    std::array<qint64, kJoker> ganadoresJoker = desconocidos<kJoker>();

    bool algunoConocido() const;
    bool operator==(const Escrutinio &) const = default;

    template <size_t N> static constexpr std::array<qint64, N> desconocidos()
    {
        std::array<qint64, N> r{};
        r.fill(kDesconocido);
        return r;
    }
};

struct Recibido {
    Sorteo sorteo; // date as serial (fechas::serial)
    Escrutinio escrutinio;
    QString documento; // where the source says the result document is; empty when it does not
};

// A draw the source named but that was not taken, and why.
struct Excluido {
    enum class Motivo {
        Pendiente, // listed before its result was published: a later download takes it
        NoValido   // its data cannot be a draw (or two different draws share its date)
    };
    Motivo motivo = Motivo::NoValido;
    int posicion = 0; // 1-based place in what was read, 0 when not known
    double fecha = 0; // its date when it could be read, else 0
};

struct Lote {
    std::vector<Recibido> sorteos;   // ascending by date, one per date
    std::vector<Excluido> excluidos; // in the order they were read
    // Category labels whose amounts could not be placed, each once.
    QStringList desconocidas;
    // Amounts as the source wrote them that are no amount (not whole cents, or beyond
    // Escrutinio::kImporteMaximo), each once: those categories stay unknown.
    QStringList importesNoValidos;
};
