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
// prize counters brought up to date; the main window only shows and stores what they return.
namespace comprobacion {

constexpr quint32 kColorPena = 0x800000;    // syndicate heading
constexpr quint32 kColorSorteo = 0x008000;  // draw heading
constexpr quint32 kColorAcierto = 0xFF0000; // a winning number

enum class TipoFila : quint8 { Espacio, CabeceraPena, CabeceraSorteo, Apuesta, Mensaje };

// One row of a results list. A pass over thousands of draws makes millions of rows, so a row
// only says where its content comes from; the texts are made when a row is shown.
struct Fila {
    quint16 sorteo = 0; // index in the listing's draws
    quint16 pena = 0;   // index in the listing's syndicates
    quint8 apuesta = 0; // bet, 0-based
    TipoFila tipo = TipoFila::Espacio;
    quint8 mensaje = 0;  // prize message id (premios::mensaje), 0 = none
    quint8 aciertos = 0; // winning numbers of a bet row
};
static_assert(sizeof(Fila) == 8);

// A row as the list shows it: the number cells, which of them are winners, and the last cell.
struct Celdas {
    TipoFila tipo = TipoFila::Espacio;
    int numeros = 0;                // number cells the row has: 0, 6 or 11
    std::array<qint16, 11> valor{}; // 0 = an empty cell
    quint16 rojos = 0;              // bit p set: cell p holds a winning number
    bool hayTexto = false;          // whether the caption/message cell exists
    QString texto;
    quint32 color = 0; // of the caption/message cell, 0xRRGGBB
};

// The rows of one pass, with the draws and syndicates they point into.
class Listado {
public:
    bool multiples = false;
    std::vector<Fila> filas;
    std::shared_ptr<const std::vector<Sorteo>> sorteos;
    std::shared_ptr<const std::vector<Pena>> penas;
    bool incompleto = false; // more rows than a list can hold were left out

    int cuenta() const { return static_cast<int>(filas.size()); }
    int columnasNumero() const { return multiples ? 11 : 6; }
    Celdas celdas(int fila) const;
};

// One instruction of the printed listing, in millimetres from the paper's left edge; the
// printer moves down one line of the given size after each.
struct LineaImpresion {
    enum class Tipo : quint8 { Texto, Vacia, NuevaPagina };
    Tipo tipo = Tipo::Texto;
    double x = 0;
    double tamano = 8.2; // points
    bool negrita = false;
    QString texto;
    bool operator==(const LineaImpresion &) const = default;
};

struct Opciones {
    int n = 1;                  // the n newest draws
    bool historico = false;     // also draws before a syndicate's creation ("Histórico")
    bool soloPremios = false;   // keep only bets with a prize ("Ver sólo si hay premio")
    QString seleccion;          // the stored name picked in the selector; null = every syndicate
    bool imprimiendo = false;   // build the printed listing too
    bool impreso = false;       // something was already printed (the simple section)
    double tamanoImpresion = 0; // font size the listing was left at (for a following section)
    bool avisoDescarga = false; // new draws were just downloaded: a prize raises the alert
    bool avisoActivo = false;   // the alert is already blinking
    int avisopremio = 0;        // 0 none, 1 simple won, 2 multiple won, 3 both
    double hoy = 0;             // today's serial date, 0 = unknown
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
    std::vector<LineaImpresion> impresion;
    bool impreso = false;
    double tamanoImpresion = 0;
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

// Hits of each bet (a bit a number) in a draw (a bit a winning number): the one loop that
// every bet of every syndicate goes through.
void cuentaAciertos(const quint64 *apuestas, size_t cuantas, quint64 ganadores, quint8 *aciertos);

// Adds to a 16-bit counter without passing 32767.
void suma(qint16 &contador, int cuanto);

// "Sorteo del" text of a draw: "3-11-13-15-34-35  C:27  R:0".
QString textoSorteo(const Sorteo &sorteo);
// Caption of a draw heading: "17/10/1985 Jueves".
QString cabeceraSorteo(const Sorteo &sorteo);

// Rows a list is allowed to hold; beyond it the pass still counts prizes but shows no more.
constexpr size_t kMaximoFilas = 60'000'000;

} // namespace comprobacion
