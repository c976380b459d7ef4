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

// The results service's answer listing these draws in the order given: one JSON object per
// draw with its combination, Joker, prize breakdown and, when it has one, the address of its
// result PDF on `sitio`, among fields the program does not read. The draw held on `malo` gets
// a combination no draw can have. Blanks after the array make it about `bytes` long.
QByteArray servicio(const std::vector<SorteoWeb> &sorteos, const QString &sitio,
                    const QDate &malo = {}, qsizetype bytes = 0);

// A small valid PDF document of one page.
QByteArray pdf(const QString &titulo);

} // namespace paginas
