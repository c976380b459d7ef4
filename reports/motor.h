#pragma once

#include "reports/informes.h"

#include <QDate>
#include <QLocale>
#include <QString>

// The report engine: a report file of the program directory is a Mustache HTML template that
// is filled with the report tables. Report button 0 runs Bolarium.net (the statistics report),
// button 1 Bolarium1.net (the syndicate report).
namespace informes {

struct Informe {
    QString html;  // ready to lay out and print
    int error = 0; // 0, or the number the error message shows
    QString detalle;
};

// Error numbers of a report start.
inline constexpr int kSinPlantilla = 53;  // the report file cannot be read
inline constexpr int kPlantillaMala = 93; // the report file is not a valid template
inline constexpr int kSinBase = 3051;     // the report database cannot be opened or made

QString archivoInforme(int miembro);

// Fills a template. The values are escaped for HTML; the keys are the table and field names
// ({{#Peña}}{{Nombre}}{{/Peña}}, {{#Peñanums}}{{Numeros}}{{/Peñanums}}), dates are written
// day/month/year and numbers with the locale's decimal separator.
Informe renderiza(const QString &plantilla, const Contenido &contenido, const QLocale &locale,
                  const QDate &hoy);

// Reads the report file of button `miembro` (the copy built into the program when the file is
// gone) and the tables, and fills it.
Informe prepara(const QString &carpeta, int miembro, const QLocale &locale, const QDate &hoy);

// Number text without thousands separator and without trailing zeros ("20", "1,5").
QString numeroTexto(double valor, const QLocale &locale, int decimales = 6);

} // namespace informes
