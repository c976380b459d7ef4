#pragma once

#include "archive/escritura.h"
#include "archive/sorteo.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <array>
#include <optional>
#include <utility>
#include <vector>

class ArchivoSorteos;

// The operator's results service: a JSON array with one object per draw. Only what a draw
// needs is read (its date, its combination, the Joker, the prize breakdown and a link to its
// result PDF); every other field is ignored, and the numbers are found by their pattern, not
// by where they stand in the text, because the operator changes the spacing now and then.
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

// Full address of the result PDF named by an answer: a path on the PDF host, or an address on
// one of the operator's hosts. Empty for anything else: the program does not fetch files
// from sites it does not know.
QString direccionPdf(const QString &pdf, const QString &sitio, const QString &sitioPdf);

// The first La Primitiva draw: an empty archive asks from here.
QDate primerSorteo();
// First day to ask for: the day after the newest archived draw (0: empty archive).
QDate inicio(double ultimo);
// The days from `desde` to `hasta` cut into requests of at most one year each, oldest first.
// An empty range still asks for `hasta`, so that the answer says there is nothing new.
std::vector<std::pair<QDate, QDate>> tramos(QDate desde, QDate hasta);

struct Agregado {
    int nuevos = 0;                      // draws appended
    int encontrados = 0;                 // new draws the answer held, appended or not
    const SorteoLeido *ultimo = nullptr; // the newest of them (points into the answer)
    std::optional<Invalido> invalido;    // the bad entry that kept the newer draws out
    bool lleno = false;                  // the archive had no room for them
    Escritura escritura = Escritura::Hecha;
};
// Appends, oldest first, the draws of the answer newer than the archive's newest and not after
// `hasta`. A bad entry in that span keeps itself and everything newer out (they would leave a
// hole in the archive); one whose date cannot be read keeps the whole answer out.
Agregado agrega(const Respuesta &respuesta, ArchivoSorteos &archivo, const QDate &hasta);

// Messages about the service; `host` is the operator's host. Answers that cannot be used
// share one title.
QString tituloNoValido();
QString textoHttp(const QString &host, int codigo);
QString textoNoJson(const QString &host);
QString textoGrande(const QString &host);
QString textoInvalido(const QString &host, const Invalido &invalido, bool guardados);
// Text1 when the answer names no result PDF.
QString textoDocumentoEnWeb();

} // namespace servicio
