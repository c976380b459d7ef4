#pragma once

#include "archive/escritura.h"
#include "archive/respuestaservicio.h"
#include "archive/sorteo.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <array>
#include <optional>
#include <utility>
#include <vector>

class ArchivoSorteos;

// What the download asks of the operator's results service and tells of its answers. The
// answers themselves are read in archive/respuestaservicio.h, where the import reads them too.
namespace servicio {

// Full address of the result PDF named by an answer: a path on the PDF host, or an address on
// one of the operator's hosts. Empty for anything else: the program does not fetch files
// from sites it does not know.
QString direccionPdf(const QString &pdf, const QString &sitio, const QString &sitioPdf);

// First day to ask for: the day after the newest archived draw (0: empty archive).
QDate inicio(double ultimo);
// The days from `desde` to `hasta` cut into requests of at most one year each, oldest first.
// An empty range still asks for `hasta`, so that the answer says there is nothing new.
std::vector<std::pair<QDate, QDate>> tramos(QDate desde, QDate hasta);

struct Agregado {
    int nuevos = 0;                   // draws appended
    int encontrados = 0;              // new draws the batch held, appended or not
    const Recibido *ultimo = nullptr; // the newest of them (points into the batch)
    std::optional<Excluido> invalido; // the bad entry that kept the newer draws out
    bool lleno = false;               // the archive had no room for them
    Escritura escritura = Escritura::Hecha;
};
// Appends, oldest first, the draws of the batch newer than the archive's newest and not after
// `hasta`. A bad entry in that span keeps itself and everything newer out (they would leave a
// hole in the archive); one whose date cannot be read keeps the whole batch out. A draw listed
// before its result does the same, quietly: the next download takes it and what follows.
Agregado agrega(const Lote &lote, ArchivoSorteos &archivo, const QDate &hasta);

// Messages about the service; `host` is the operator's host. Answers that cannot be used
// share one title.
QString tituloNoValido();
QString textoHttp(const QString &host, int codigo);
QString textoNoJson(const QString &host);
// The service kept asking the program to slow down (HTTP 406 or 429).
QString textoLimitado(const QString &host, int codigo, int intentos);
// The operator turned the program away: HTTP 403 (`codigo`), or a web page where the data
// should be (0). The question names the two steps of the way round.
QString textoRechazo(const QString &host, int codigo);
// Only what happened, without the way round: for a check run without windows.
QString textoRechazado(const QString &host, int codigo);
QString tituloRechazo();
// An amount's category whose label the program does not know.
QString textoEtiquetas(const QString &host, const QStringList &etiquetas);
// Amounts of the answers that are no amount (each once, as the service wrote them).
QString textoImportesNoValidos(const QString &host, const QStringList &importes);
// Added to Label6 after a download that updated the amounts of draws archived before.
QString textoImportesActualizados(int cuantos);
QString textoGrande(const QString &host);
QString textoInvalido(const QString &host, const Excluido &invalido, bool guardados);
// Text1 when the answer names no result PDF.
QString textoDocumentoEnWeb();

} // namespace servicio
