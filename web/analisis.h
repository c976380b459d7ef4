#pragma once

#include "archive/escritura.h"
#include "archive/sorteo.h"
#include "web/pagina.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <vector>

class ArchivoSorteos;

// Turning the operator's search page (www.txt) into draws.
namespace analisis {

constexpr int kMaxFechas = 50; // new dates one page may list
// Draws one parse may take: every new date the page can list. (A table of 15 was enough with
// two draws a week; with three, an archive five weeks behind could never catch up.)
constexpr int kMaxSorteos = kMaxFechas;

// Puts the six main numbers in ascending order. Six distinct numbers 1..49 only: anything
// else throws, so a repeated or impossible number never reaches the archive.
void ordenanumeros(Sorteo &sorteo);

// Month number of a month word in Spanish or English (any case), 0 when it is neither.
int numeroMes(const QByteArray &palabra);

// Day text, month number and year text as a date; throws when they make no date.
QDate fecha(const QByteArray &dia, int mes, const QByteArray &anio);

struct Resultado {
    // Draws taken from the page, newest first as the page lists them.
    std::vector<Sorteo> tomados;
    // The parse stopped on data it could not use (the error path of the caller).
    bool error = false;
    const char *motivo = "";
    // A new date the page lists that is no draw day of its time: the page is not trusted.
    double diaSinSorteo = 0;
    // The taken draws were appended to the archive (they never are on the error path).
    bool agregados = false;
    Escritura escritura = Escritura::Hecha;
};

// Reads the page (stored form, see Pagina::enmarca) against the reference date `referencia`
// (the date of the last archived draw, 0 for an empty archive). Fills `enlacesorteo` when it
// is empty and a draw on or after the reference date is listed. Writes nothing.
Resultado lee(const QByteArray &pagina, double referencia, QString &enlacesorteo);

// The whole parse: reads the page against the newest archived draw (or `actual` when the
// archive is empty) and appends the new draws, oldest first, in one rewrite of the file.
Resultado analizasorteos(const QByteArray &pagina, ArchivoSorteos &archivo, const Sorteo &actual,
                         QString &enlacesorteo);

// Whether a draw was held after `ultimo` (an archived draw's date) and before `desde` (the
// first day a search page lists): a page from `desde` on cannot complete that archive.
bool faltanAntesDe(double ultimo, const QDate &desde);

// Label59 after i draws were taken: "1 sorteo", "3 sorteos".
QString textoContador(int i);

} // namespace analisis
