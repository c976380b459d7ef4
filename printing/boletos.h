#pragma once

#include "syndicates/pena.h"

#include <QString>
#include <array>
#include <vector>

// What goes on paper when a syndicate is printed, as plain data in millimetres from the top-left
// corner of the printable page. The painter only draws it, so every position is decided (and
// tested) here.
namespace boletos {

inline constexpr double kLetra = 11.5;            // points, bold, for marks and headings
inline constexpr double kLetraTitulo = 18;        // the notice at the top of a participation
inline constexpr double kAnchoBloque = 18.7;      // from one bet's block to the next
inline constexpr double kFila = 5;                // from one row of numbers to the next
inline constexpr int kBloques = 8;                // bets on one slip
inline constexpr double kAltoParticipacion = 104; // the lower participation starts this far down
inline constexpr double kOrigenNormalX = 25.8;    // grid origin on plain paper
inline constexpr double kOrigenNormalY = 45;
// Where a participation marks Monday in the column of day marks, from its top, unless the
// settings place it elsewhere.
inline constexpr double kMarcaLunes = 50;

struct Posicion {
    double x = 0;
    double y = 0;
};

// Top-left of the box of each number in one block: element n (1..49) holds number n.
using Casillas = std::array<Posicion, 50>;
Casillas casillas(double x0, double y0, int bloque);

// An "X" printed with its top-left corner at `en`.
struct Marca {
    enum class Clase { Numero, Tamano, Adicional };
    Posicion en;
    Clase clase = Clase::Numero;
    int apuesta = 0; // the bet it belongs to (Numero only)
    int numero = 0;  // the number it marks (Numero only)
};

struct Texto {
    Posicion en; // top-left
    QString texto;
    double tamano = kLetra;
};

struct Rectangulo {
    double x = 0;
    double y = 0;
    double ancho = 0;
    double alto = 0;
    bool relleno = false;
};

// One sheet of paper as it leaves the printer.
struct Pagina {
    std::vector<Marca> marcas;
    std::vector<Texto> textos;
    std::vector<Rectangulo> rectangulos;
    // Grid origins of the slips or participations on this sheet. An official slip brings its
    // own boxes, so they are only drawn faintly in a preview under the marks...
    std::vector<Posicion> rejillas;
    // ...but plain paper has nothing printed on it: a participation carries the boxes and their
    // numbers itself, on paper exactly as in the preview.
    bool rejillaImpresa = false;
};

// Counts shown in the printing window and used to lay out the job.
struct Cuenta {
    int apuestas = 0; // bets to print
    int numeros = 0;  // numbers per bet
    int boletos = 0;  // slips (official) or participations (plain paper)
    bool multiple = false;
};
// A record that is not a valid syndicate gives zero bets, so nothing is printed from it.
Cuenta cuenta(const Pena &pena);

struct Opciones {
    bool papelNormal = false;
    double desplazaX = 0; // official slips only
    double desplazaY = 0;
    bool adicional = false;          // the add-on game box
    QString aviso;                   // the program's name and version, printed on every slip
    double marcaLunes = kMarcaLunes; // plain paper: the Monday mark, mm from the frame's top
};

// The frame and the grid origin of participation p on plain paper (odd p on the upper half of
// the sheet, even p on the lower one), with the marks of the syndicate's draw days: the pair of
// the official slip for Thursday and Saturday, and one more mark for Monday.
struct Marco {
    double t = 0;
    Posicion origen;
    std::vector<Rectangulo> rectangulos;
};
Marco marcoparticipacion(int p, const QString &dias, double marcaLunes = kMarcaLunes);

// Every sheet of the job: official slips one per sheet, participations two per sheet.
std::vector<Pagina> imprimeboletos(const Pena &pena, const Opciones &opciones);

// One sheet that marks every box of every block at the user's offsets, with the size and add-on
// rows, so the user can hold it against a slip and correct the offsets.
Pagina pruebaajuste(double desplazaX, double desplazaY, const QString &aviso);

} // namespace boletos
