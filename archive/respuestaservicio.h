#pragma once

#include "archive/lote.h"
#include "archive/sorteo.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <array>
#include <optional>
#include <vector>

// An answer of the operator's results service read into draws: a JSON array with one object
// per draw, newest first (the range service and the per-date one answer alike; a saved answer
// may also be one draw's object on its own). A range without draws is answered with a JSON
// text instead, or null. Only what a draw needs is read (its date, its combination, the Joker,
// the prize breakdown and a link to its result PDF); every other field is ignored, and the
// numbers are found by their pattern, not by where they stand in the text, because the
// operator changes the spacing now and then. The download and the import of a saved answer
// both read it here.
namespace servicio {

// No answer of one year of draws comes near this; anything bigger is not what was asked for.
constexpr qint64 kLimite = 4 * 1024 * 1024;

struct Categoria {     // one entry of "escrutinio"
    QString tipo;      // "2ª (5 Aciertos + C) ", "Especial (6 Aciertos + R) ", "Reintegro"
    QString categoria; // a number whose meaning changed over the years: never read
    QString premio;    // amount as the service wrote it
    QString ganadores;
};
struct SorteoLeido {
    Sorteo sorteo; // date as serial (fechas::serial)
    std::vector<Categoria> escrutinio;
    QString pdf;         // link to the result PDF when the answer names one; empty otherwise
    QByteArray entrada;  // the draw's object as compact JSON, to keep its breakdown for later
    Escrutinio importes; // the breakdown and the Joker's, as figures
};
struct Invalido {
    int posicion = 0; // 1-based position in the JSON array
    double fecha = 0; // its date when it could be read, else 0
};
struct Respuesta {
    bool json = false;                // a JSON array of draws, one draw, or a text: "none held"
    bool grande = false;              // refused unread: longer than kLimite
    std::vector<SorteoLeido> sorteos; // every valid draw, ascending by date, one per date
    std::vector<Invalido> invalidos;  // entries that failed, in array order
    std::vector<Invalido> pendientes; // draws listed before their result, in array order
    QStringList desconocidas;         // category labels not understood, each once
    QStringList importesNoValidos;    // amounts that are no amount (Lote), each once
};
Respuesta lee(const QByteArray &texto);
// The same as every source yields it.
Lote lote(const Respuesta &respuesta);

// Place of a prize category in Escrutinio: 0 the special one (6 + refund), 1..5 the categories
// 1ª to 5ª, 6 the refund; -1 when its label names none. Told by its "tipo" alone ("6 Aciertos
// + R" or "Especial", "6 Aciertos", "5 Aciertos + C", "5 Aciertos", "4", "3", "Reintegro", or
// the category's ordinal): the number in "categoria" meant 1ª until the special category came
// and the special one since.
int casilla(const Categoria &categoria);
// Place of a Joker category: 0 all digits, 1..5 the last six to two; -1 when unknown.
int casillaJoker(const QString &tipo, const QString &orden);
// The six amounts of a breakdown as the results page writes them; empty where the answer has
// no such category or its amount cannot be read.
std::array<std::optional<QString>, 6> premios(const std::vector<Categoria> &escrutinio);
// Euro cents of an amount written either way; nothing when it is no amount: more than two
// decimals, or more than Escrutinio::kImporteMaximo.
std::optional<qint64> centimos(const QString &premio);
// A count of winners, as text ("1093541", "1.093.541") or number; nothing when it is none.
std::optional<qint64> ganadores(const QString &texto);
// An amount written with either decimal mark, with or without thousands separators, as the
// page writes it: "1.234.567,89". Empty when it is no amount (as for centimos).
QString importe(const QString &premio);

// The first La Primitiva draw: an empty archive asks from here.
QDate primerSorteo();

// Whether a text names a PDF document (by its extension, before any query).
bool esPdf(const QString &texto);

} // namespace servicio
