#pragma once

#include "archive/sorteo.h"
#include "syndicates/pena.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <vector>

// What the main window shows about the syndicates as a whole: the selector, the manager
// list, the prize total, the effectiveness and the chart row.
namespace comprobacion {

struct FilaGestor {
    QString nombre;   // 20 characters with their blanks; "VACÍO" when there is no syndicate
    QString apuestas; // bet count, or the bets a multiple stands for
    QString creacion;
    QString dias; // as stored, 15 characters
};

struct Resumen {
    bool vacio = true;
    QStringList combo;  // entries of the selector
    QString textoCombo; // what the selector shows
    std::vector<FilaGestor> filas;
    int penas = 0;
    qint64 total = 0;     // prize bets of every syndicate
    qint64 sinPremio = 0; // played draws without a prize (chart)
    float porcentaje = 0;
    QString efectividad; // Text4
    QString jugados;     // Text5
    QString etiquetaGrafico = QStringLiteral(" ");
    bool premiosEnGrafico = false; // the chart's prize cell has a value
};

// played = draws in which some syndicate plays.
Resumen calculaResumen(const std::vector<Pena> &penas, int jugados, const QLocale &idioma);

// A percentage rounded to one decimal (halves to even), without trailing zeros, with the
// user's decimal separator: "12,5", "100", "33,3".
QString textoPorcentaje(float porcentaje, const QLocale &idioma);

// Bets column of the manager list: the stored count, or the bets a multiple stands for.
QString apuestasDe(const Pena &p);

// Where a results list would show the rows of a syndicate that no archived draw applies to
// yet (made after the newest draw of its days): one line per such syndicate of the list's kind
// (multiples or the others) among the selected ones (a null `seleccion` selects all), saying
// from which draw it will be checked. None when the list shows the whole history.
QStringList sinSorteosAun(const std::vector<Pena> &penas, const std::vector<Sorteo> &sorteos,
                          bool multiples, const QString &seleccion, bool historico);

} // namespace comprobacion
