#pragma once

#include "archive/sorteo.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <array>
#include <optional>
#include <vector>

// An answer of the operator's results service read into draws: a JSON array with one object
// per draw. Only what a draw needs is read (its date, its combination, the Joker, the prize
// breakdown and a link to its result PDF); every other field is ignored, and the numbers are
// found by their pattern, not by where they stand in the text, because the operator changes
// the spacing now and then. The download and the import of a saved answer both read it here.
namespace servicio {

// No answer of one year of draws comes near this; anything bigger is not what was asked for.
constexpr qint64 kLimite = 4 * 1024 * 1024;

struct Categoria { // one entry of "escrutinio"
    QString tipo;  // "1ª Categoría (6 Aciertos)", "Especial (6 Aciertos + Reintegro)"
    QString categoria;
    QString premio; // amount as the service wrote it
    QString ganadores;
};
struct SorteoLeido {
    Sorteo sorteo; // date as serial (fechas::serial)
    std::vector<Categoria> escrutinio;
    QString pdf;        // link to the result PDF when the answer names one; empty otherwise
    QByteArray entrada; // the draw's object as compact JSON, to keep its breakdown for later
};
struct Invalido {
    int posicion = 0; // 1-based position in the JSON array
    double fecha = 0; // its date when it could be read, else 0
};
struct Respuesta {
    bool json = false;                // the text is a JSON array (of objects)
    bool grande = false;              // refused unread: longer than kLimite
    std::vector<SorteoLeido> sorteos; // every valid draw, ascending by date, one per date
    std::vector<Invalido> invalidos;  // entries that failed, in array order
};
Respuesta lee(const QByteArray &texto);

// Label10 place of a prize category: 0 the special one (6 + refund), 1..5 the categories 1ª
// to 5ª; -1 for any other (the refund). Told by the hits its "tipo" names, else by its
// "categoria".
int casilla(const Categoria &categoria);
// The six amounts of a breakdown as the results page writes them; empty where the answer has
// no such category or its amount cannot be read.
std::array<std::optional<QString>, 6> premios(const std::vector<Categoria> &escrutinio);
// An amount written with either decimal mark, with or without thousands separators, as the
// page writes it: "1.234.567,89". Empty when it is no amount.
QString importe(const QString &premio);

// The first La Primitiva draw: an empty archive asks from here.
QDate primerSorteo();

// Whether a text names a PDF document (by its extension, before any query).
bool esPdf(const QString &texto);

} // namespace servicio
