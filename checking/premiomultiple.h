#pragma once

#include <QString>
#include <array>
#include <vector>

// The fixed prize table of multiple bets: for a size code, the hits among its numbers and
// whether the complementary is one of them, the messages shown (one list row each) and how
// many of the represented bets won in each category.
namespace premios {

// Whether a row of the table looks at the complementary.
enum class Comp { Cualquiera, Si, No };

struct MensajeMultiple {
    int categoria;     // 3, 4, 5, 6, or 7 for five plus complementary
    const char *texto; // UTF-8
};

struct FilaPremio {
    int codigo;   // 501..506
    int aciertos; // winning numbers among the multiple's own
    Comp complementario;
    std::array<int, 5> cuentas; // bets added to the counters 3, 4, 5, 6 and 7
    std::vector<MensajeMultiple> mensajes;
    int primerMensaje = 0; // id of its first message in the catalogue below
};

// Every row, in the order the table lists them.
const std::vector<FilaPremio> &tabla();

// The row for this case; nullptr when the multiple wins nothing.
const FilaPremio *premiomultiple(int codigo, int aciertos, bool complementario);

// Catalogue of every prize message of both lists, so a result row keeps a small id instead of
// a text. Ids 1..5 are the simple-bet messages; the multiples' follow. Id 0 is "no message".
struct Mensaje {
    QString texto;
    int categoria = 0;
};
const Mensaje &mensaje(int id);
int totalMensajes();
// Message of a simple bet with these hits (0 when it wins nothing).
int mensajeSencilla(int aciertos, bool complementario);

// Colour (0xRRGGBB) of a prize message of this category.
quint32 colorCategoria(int categoria);

} // namespace premios
