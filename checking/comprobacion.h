#pragma once

#include "archive/escritura.h"
#include "archive/sorteo.h"
#include "syndicates/pena.h"

#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class ArchivoPenas;

// The checking passes: every syndicate against the newest draws of the archive. They return
// what the results lists show, what the printed listing holds and the syndicates with their
// prize counters brought up to date over every draw not counted yet, however few the lists
// show; the main window only shows and stores what they return.
namespace comprobacion {

constexpr quint32 kColorPena = 0x800000;    // syndicate heading
constexpr quint32 kColorSorteo = 0x008000;  // draw heading
constexpr quint32 kColorAcierto = 0xFF0000; // a winning number

enum class TipoFila : quint8 { Espacio, CabeceraPena, CabeceraSorteo, Apuesta, Mensaje };

// One row of a results list, as located in the listing: what its cells are made from.
struct Fila {
    quint16 sorteo = 0; // index in the listing's draws
    quint16 pena = 0;   // index in the listing's syndicates
    quint8 apuesta = 0; // bet, 0-based
    TipoFila tipo = TipoFila::Espacio;
    quint8 mensaje = 0;  // prize message id (premios::mensaje), 0 = none
    quint8 aciertos = 0; // winning numbers of a bet row
};

// A row as the list shows it: the number cells, which of them are winners, and the last cell.
struct Celdas {
    TipoFila tipo = TipoFila::Espacio;
    int numeros = 0;                // number cells the row has: 0, 6 or 11
    std::array<qint16, 11> valor{}; // 0 = an empty cell
    quint16 rojos = 0;              // bit p set: cell p holds a winning number
    bool hayTexto = false;          // whether the caption/message cell exists
    QString texto;
    quint32 color = 0;   // of the caption/message cell, 0xRRGGBB
    quint8 aciertos = 0; // winning numbers of a bet row
};

// The rows of one syndicate in one draw: spacer, syndicate heading, draw heading, then its
// bets (simple) or its bet and further prize messages (multiple). A pass over the whole
// history shows tens of millions of rows in millions of blocks: the listing keeps only where
// each draw's blocks start, and makes the blocks of a draw again, and a row from its block,
// when the list asks for them.
struct Bloque {
    quint32 fila = 0;      // its first row (the spacer) in the list
    quint16 sorteo = 0;    // index in the listing's draws
    quint16 pena = 0;      // index in the listing's syndicates
    quint32 premiadas = 0; // "Ver sólo si hay premio": its first bet among its draw's winners
    quint16 filas = 0;     // its rows, the three headings included
    quint8 mensaje = 0;    // multiple: id of its first prize message, 0 = none
    quint8 aciertos = 0;   // multiple: its winning numbers
};

// The blocks of a list, in its order, each made again when asked for.
class Bloques {
public:
    size_t size() const;
    bool empty() const { return size() == 0; }
    Bloque operator[](size_t indice) const;

    // Where each draw's blocks start, and what is needed to make them again: filled by the
    // checking pass.
    struct Indice;
    std::shared_ptr<Indice> indice;
};

// The rows of one pass, with the draws and syndicates they point into.
class Listado {
public:
    bool multiples = false;
    bool soloPremios = false; // a simple block lists only its bets with a prize
    Bloques bloques;
    std::shared_ptr<const std::vector<Sorteo>> sorteos;
    std::shared_ptr<const std::vector<Pena>> penas;
    bool incompleto = false; // more rows than a list can hold were left out

    int cuenta() const;
    int columnasNumero() const { return multiples ? 11 : 6; }
    Fila fila(int fila) const;
    // Row `fila` of block `bloque`, counted from the block's spacer.
    Fila filaDe(size_t bloque, int fila) const;
    Celdas celdas(int fila) const;
    // Whether a printed listing of these rows would hold anything (a simple block without a
    // usable bet prints nothing).
    bool imprimeAlgo() const;

private:
    Fila filaDeBloque(const Bloque &b, int fila) const;
};

// Size of the ordinary lines of the printed listing: headings of syndicates and the bets.
constexpr double kLetraListado = 9.5; // points

// One instruction of the printed listing, in millimetres from the paper's left edge (on a page
// with the listing's usual margin); the printer moves down one line of the given size after
// each.
struct LineaImpresion {
    enum class Tipo : quint8 { Texto, Vacia, NuevaPagina };
    Tipo tipo = Tipo::Texto;
    double x = 0;
    double tamano = kLetraListado; // points
    bool negrita = false;
    QString texto;
    // A bet's line starts with its numbers, as many as `numeros`; bit q of `acertados` is set
    // when number q hit the draw, which the paper shows in bold.
    quint8 numeros = 0;
    quint16 acertados = 0;
    bool operator==(const LineaImpresion &) const = default;
};

// The printed listing of a print command, made line by line from the rows of both passes as
// it is read, so that a listing of thousands of pages never exists whole: the simple and
// reduced syndicates, then the multiples (on a page of their own when both have lines).
class LineasListado {
public:
    LineasListado(std::shared_ptr<const Listado> sencillas,
                  std::shared_ptr<const Listado> multiples);
    ~LineasListado();
    LineasListado(const LineasListado &) = delete;
    LineasListado &operator=(const LineasListado &) = delete;

    // Nothing to print: the "Listado vacío" case.
    bool vacio() const;
    // Back to the first line. Without texts only each line's kind, position and size are made,
    // which is all that laying out the pages needs.
    void reinicia(bool conTexto = true);
    // The next line; false after the last one.
    bool siguiente(LineaImpresion &linea);

private:
    struct Estado;
    std::shared_ptr<const Listado> sencillas_;
    std::shared_ptr<const Listado> multiples_;
    std::unique_ptr<Estado> estado_;
};

struct Opciones {
    int n = 1;                  // the n newest draws the lists show; the counters take all
    bool historico = false;     // also draws before a syndicate's creation ("Histórico")
    bool soloPremios = false;   // keep only bets with a prize ("Ver sólo si hay premio")
    QString seleccion;          // the stored name picked in the selector; null = every syndicate
    bool avisoDescarga = false; // new draws were just downloaded: a prize raises the alert
    bool avisoActivo = false;   // the alert is already blinking
    int avisopremio = 0;        // 0 none, 1 simple won, 2 multiple won, 3 both
};

struct Pasada {
    std::shared_ptr<const Listado> listado;
    // Every syndicate, with the counters and counted-up-to dates of the ones reached.
    std::shared_ptr<const std::vector<Pena>> penas;
    bool penasCambiadas = false;
    bool hayMultiples = false;        // comprueba met a multiple syndicate: run the other pass
    bool seleccionEncontrada = false; // the selected syndicate is of this pass's kind
    int avisopremio = 0;
    bool arrancaAviso = false; // start the blinking alert
};

// Called after each draw with the number of draws done.
using Progreso = std::function<void(int)>;

// Simple and reduced syndicates.
Pasada comprueba(const std::vector<Sorteo> &sorteos, const std::vector<Pena> &penas,
                 const Opciones &opciones, const Progreso &progreso = {});
// Multiple syndicates.
Pasada compruebamultiples(const std::vector<Sorteo> &sorteos, const std::vector<Pena> &penas,
                          const Opciones &opciones, const Progreso &progreso = {});

// Writes the counters of a pass to the syndicate file, in one rewrite, when they changed.
Escritura guarda(ArchivoPenas &archivo, const Pasada &pasada);

// Hits of each bet (a bit a number) in a draw (a bit a winning number).
void cuentaAciertos(const quint64 *apuestas, size_t cuantas, quint64 ganadores, quint8 *aciertos);
// The bets of `apuestas` with a prize (three hits or more) in a draw: how many, and, when
// `cuales` is given, their indexes written there in order.
size_t premiadas(const quint64 *apuestas, size_t cuantas, quint64 ganadores,
                 quint8 *cuales = nullptr);

// Adds to a 16-bit counter without passing 32767.
void suma(qint16 &contador, int cuanto);

// "Sorteo del" text of a draw: "3-11-13-15-34-35  C:27  R:0".
QString textoSorteo(const Sorteo &sorteo);
// Caption of a draw heading: "17/10/1985 Jueves".
QString cabeceraSorteo(const Sorteo &sorteo);

// Rows a list is allowed to hold; beyond it the pass still counts prizes but shows no more.
constexpr size_t kMaximoFilas = 60'000'000;

} // namespace comprobacion
