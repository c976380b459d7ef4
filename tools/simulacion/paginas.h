#pragma once

#include "archive/sorteo.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <array>
#include <vector>

// Pages in the shape of the operator's results site, built for the stand-in server, the tests
// and the benchmark. They carry the markers the program reads, buried in the kind of markup a
// real results page has around them (styles, scripts, menus, banners, legal text), none of
// which repeats a marker.
namespace paginas {

struct SorteoWeb {
    Sorteo sorteo;
    bool publicado = true; // false: listed with empty number cells, as before the draw is held
    std::array<QString, 6> premios{QStringLiteral("1.234.567,89"), QStringLiteral("98.765,43"),
                                   QStringLiteral("2.345,67"),     QStringLiteral("56,78"),
                                   QStringLiteral("8,00"),         QStringLiteral("1,00")};
    bool conPdf = true; // false: the draw page has no document link yet
    // The special category (6 hits and the refund), only in the results service's breakdown.
    QString especial = QStringLiteral("3.456.789,01");
    // Winners per category in the results service's breakdown: Especial, 1ª, 2ª, 3ª, 4ª, 5ª,
    // Reintegro (the draw page keeps its own counts).
    std::array<int, 7> ganadores{0, 1, 6, 185, 9358, 184746, 1093541};
    // The Joker's breakdown, from all seven digits down to the last two: amounts written like
    // `premios` and winners. Only draws with a Joker have one.
    std::array<QString, 6> premiosJoker{
        QStringLiteral("1.000.000,00"), QStringLiteral("100.000,00"), QStringLiteral("10.000,00"),
        QStringLiteral("1.000,00"),     QStringLiteral("100,00"),     QStringLiteral("10,00")};
    std::array<int, 6> ganadoresJoker{0, 0, 5, 38, 331, 3324};
    // How many more answers of the results service that list this draw with its numbers still
    // come without its breakdown, as when the operator publishes the amounts hours later.
    // The stand-in site counts it down; servicio() writes no breakdown while it is above 0.
    int desgloseTardio = 0;

    // Link path of its page after "/es/la-primitiva/sorteos/": year, "/" and an id.
    QString enlace() const;
    // Path of its result PDF on the site (UTF-8, with the word LOTERÍA), ending in ".pdf".
    QString rutaPdf() const;
};

// Markup without any marker, about `bytes` long; the same seed gives the same text.
QByteArray relleno(qsizetype bytes, quint32 semilla);

// Search page listing these draws in the order given (newest first), with about `bytes` of
// other markup. `agrupados` puts all date parts first and all number blocks after them.
QByteArray busqueda(const std::vector<SorteoWeb> &sorteos, qsizetype bytes = 350 * 1024,
                    bool agrupados = false);

// The draw's own page: the prize table and, when it has one, the link to the result PDF.
QByteArray sorteo(const SorteoWeb &sorteo, qsizetype bytes = 200 * 1024);

// What the results service answers for a range or a date without any draw: a JSON text
// instead of a list.
inline constexpr char kSinSorteos[] = "No hay sorteos en las fechas indicadas";

// The results service's answer listing these draws in the order given, in the operator's
// shape: one object per draw with its fields in the operator's order, every character beyond
// ASCII escaped as \uXXXX, amounts without thousands separators and with a decimal comma.
// The breakdown has five categories for draws before 2013 and seven (with the special one and
// the refund) from 2013 on. A draw not `publicado` is listed as before its result (no numbers,
// empty breakdowns), one with `desgloseTardio` above 0 with its numbers and empty breakdowns.
// With `sitio` given, a draw with a PDF also names its address on `sitio` (the real service
// does not). The draw held on `malo` gets a combination no draw can have. An empty list is
// answered with the JSON text kSinSorteos. Blanks after it make it about `bytes` long.
QByteArray servicio(const std::vector<SorteoWeb> &sorteos, const QString &sitio,
                    const QDate &malo = {}, qsizetype bytes = 0);

// A small valid PDF document of one page.
QByteArray pdf(const QString &titulo);

} // namespace paginas
