#pragma once

#include "archive/lote.h"
#include "archive/sorteo.h"

#include <QByteArray>
#include <vector>

// Draws written as text by other programs: a CSV table (one draw a line) or a JSON list, either
// the public history of La Primitiva or the answer of the operator's results service. The
// readers never guess: a line or an entry that is not a whole, valid draw is counted and the
// first one is named, so that the user can find it in the file.
namespace textosorteos {

struct Lectura {
    enum class Formato { Desconocido, Csv, Historico, Servicio };
    Formato formato = Formato::Desconocido;
    std::vector<Sorteo> sorteos; // valid draws, in the order of the file
    int invalidas = 0;
    // Line of the CSV file or position in the JSON list (both from 1) of the first invalid one;
    // 0 when there is none or the reader could not say where it was.
    int primeraInvalida = 0;
    // When the reader of the format refused the text unread as too long: its limit in bytes.
    qint64 limite = 0;
    // What the file holds as every source yields it: the draws with their prize breakdowns
    // (an answer of the results service has them; a CSV or the history none).
    Lote lote;
};

// Tells the format by the content (a JSON list, or else CSV) and reads it. Bytes that cannot
// be text (a binary numeros.dat chosen by mistake) are Desconocido.
Lectura lee(const QByteArray &texto);

// A date, six numbers, the complementary and, optionally, the refund and the Joker, separated
// by ',', ';' or tabs (the first line that is not blank decides which). Dates dd/mm/aaaa or
// aaaa-mm-dd. A first line whose first field holds no digit is a header. Blank lines are not
// counted; a missing refund or Joker is 0, as the archive keeps an unknown one.
Lectura leeCsv(const QByteArray &texto);

// [{"fecha": "dd/mm/aaaa", "numeros": [6], "complementario": n, "reintegro": n|null,
//   "joker": n|null}, ...]
Lectura leeHistorico(const QByteArray &texto);

// The list the operator's results service answers with ("fecha_sorteo", "combinacion", ...).
Lectura leeServicio(const QByteArray &texto);

// What the archive may take from a file: a valid draw on a real date after 31/12/1899 (the
// first day an archive can start on) that is a draw day of its time.
bool admisible(const Sorteo &sorteo);

// The archive as the CSV that leeCsv reads back to the same records: a header line, ';'
// between fields, dates dd/mm/aaaa, all nine fields, CRLF line ends.
QByteArray aCsv(const std::vector<Sorteo> &sorteos);

} // namespace textosorteos
