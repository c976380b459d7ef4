#pragma once

#include "archive/escritura.h"
#include "reduced/tablas.h"
#include "syndicates/pena.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

class ArchivoPenas;
class QRandomGenerator;

// Where the editor reads the syndicates and sends its writes: in the program, the session,
// which writes apuestas.dat and tells every view.
class AlmacenPenas {
public:
    virtual ~AlmacenPenas() = default;
    virtual const ArchivoPenas &penas() const = 0;
    // Writes record `registro` (1-based); penas().proximapena() adds a syndicate.
    virtual Escritura guardaPena(int registro, const Pena &pena) = 0;
};

// A message the editor has for the user; the window shows it in a message box.
struct AvisoEdicion {
    enum class Icono { Informacion, Exclamacion };
    QString texto;
    QString titulo = QStringLiteral("Error");
    Icono icono = Icono::Informacion;
};

// What an action of the editor led to.
struct RespuestaEdicion {
    std::vector<AvisoEdicion> avisos;
    bool grabado = false;                   // a record reached apuestas.dat
    Escritura escritura = Escritura::Hecha; // outcome of the write that was tried, if any
    bool cerrar = false;                    // saved from the creation tab: the editor closes
};

namespace edicion {

constexpr int kSencilla = 0;
constexpr int kReducida = 7;
constexpr int kMaxNombre = 20;

// Numbers one bet holds for a creation mode (0 simple, 1..6 multiple code, 7 reduced of N).
int porapuesta(int modocrea, int nTabla);
// " 3-11-17-25-30-41": ascending, a blank before numbers below 10, joined by "-".
QString textoApuesta(const std::vector<int> &numeros);
// Date and time of day as a serial date (whole part the day).
double serial(const QDateTime &momento);

// The first draw of La Primitiva: no syndicate played before it.
QDate primerSorteo();
// The creation a syndicate gets when it plays from day `desde` and is saved at `ahora` (a
// serial date-time). A draw counts for it only when held after that moment, so a syndicate that
// starts today keeps the very moment it was made (a draw earlier today was not played), and one
// that played from a past day starts at 00:00 of that day. Days out of 17/10/1985..today are
// brought to the nearest end.
double creacionDesde(const QDate &desde, double ahora);

// The name box: upper case, only what fits the 20-byte Windows-1252 field.
struct Nombre {
    QString texto;                     // what the box shows (and the name kept)
    std::optional<AvisoEdicion> aviso; // why the typed text was not kept as it was
};
Nombre normalizaNombre(const QString &tecleado, const QString &anterior);

} // namespace edicion

// How the editor is opened: a new syndicate of one kind, or an existing one in place.
struct OpcionesEdicion {
    bool editando = false;
    int registro = 0;                     // edit mode: record number of the syndicate
    int modocrea = 0;                     // new mode: 0 simple, 1..6 multiple code, 7 reduced
    const TablaReducida *tabla = nullptr; // new reduced syndicate: its table
    bool numordenador = false;            // new mode: pre-fill with the most frequent numbers
    std::vector<int> masfrecuentes;       // ranking for the pre-fill and "Aleatorio"
};

// The syndicate editor without its window: the 49-number grid, the bets entered, every rule
// and message, and the writes to apuestas.dat. In edit mode every complete change reaches the
// file at once; a bet that is being entered (or a new one not yet filled) never does, so the
// file never holds an incomplete bet.
class Edicion {
public:
    Edicion(AlmacenPenas &almacen, OpcionesEdicion opciones);

    // Grid click on number 1..49.
    RespuestaEdicion pulsa(int numero);
    // "Borrar" (new mode) / "Eliminar apuesta" (edit mode).
    RespuestaEdicion borra();
    // "Aleatorio": a random combination entered as if clicked.
    RespuestaEdicion aleatorio(QRandomGenerator &azar);
    // "Grabar" (new mode). ahora: now as a serial date; ultimoSorteo: newest draw date or 0.
    // The syndicate is made at creacionDesde(day of "Juega desde", ahora).
    RespuestaEdicion graba(double ahora, double ultimoSorteo);
    // The name box changed; `caja` receives what the box must show.
    RespuestaEdicion nombre(const QString &tecleado, QString &caja);
    // A day option was clicked (1..3).
    RespuestaEdicion dias(int opcion);
    // "Juega desde": the day the syndicate started to play, at `ahora` (serial date-time). A
    // new syndicate keeps it for "Grabar"; an existing one gets its creation changed at once
    // (nothing else: its prize counters and counted-up-to date stay), unless the day is the
    // one it already has, which keeps its creation to the second.
    RespuestaEdicion juegaDesde(const QDate &dia, double ahora);
    // The day "Juega desde" shows when today is `hoy`: the chosen one, else today for a new
    // syndicate and its creation day for an existing one, within 17/10/1985..today.
    QDate desde(const QDate &hoy) const;
    // Edit mode: the bet browser moved to bet `destino`.
    RespuestaEdicion navega(int destino);
    // Edit mode: "Añadir apuesta".
    RespuestaEdicion anade();
    // Why the window may not close now (edit mode with the shown bet incomplete).
    std::optional<AvisoEdicion> cierre() const;

    bool editando() const { return editando_; }
    int registro() const { return registro_; }
    int modocrea() const { return modocrea_; }
    bool esMultiple() const { return modocrea_ >= 1 && modocrea_ <= 6; }
    bool esReducida() const { return modocrea_ == edicion::kReducida; }
    int porapuesta() const { return porapuesta_; }
    int maxapuestas() const { return maxapuestas_; }
    int k() const { return tabla_ ? tabla_->k : 0; }
    const Pena &pena() const { return pena_; }
    bool marcada(int numero) const;
    int marcados() const { return marcados_; }
    // New mode: bets entered; edit mode: shown bet minus 1 (the shared numapuestas).
    int numapuestas() const { return editando_ ? actual_ - 1 : numapuestas_; }
    // Typed work that only exists in the editor: bets or numbers of a new syndicate not yet
    // saved, or a bet being added to a syndicate in edit mode (whose complete changes are
    // already on disk).
    bool trabajoPendiente() const { return editando_ ? pendiente_ : numapuestas_ + marcados_ > 0; }
    bool solonombre() const { return solonombre_; }
    const QStringList &lineas() const { return lineas_; }
    const QString &nombreActual() const { return nombre_; }
    // The day option shown (diasjuego numbering); 0 for stored days no option stores.
    int opcionDias() const { return dias_; }
    bool grabarActivo() const { return grabar_; }
    bool borrarActivo() const { return borrar_; }
    bool aleatorioActivo() const { return aleatorio_; }
    QString instruccion() const;
    // Edit mode: shown bet (1-based) and the browser maximum.
    int actual() const { return actual_; }
    int maximo() const { return maximo_; }
    bool anadirActivo() const { return actual_ == maximo_; }
    // New mode: the question to ask before saving a syndicate of simple bets with a bet entered
    // twice (it plays the same numbers twice, which the user may mean); empty when none is.
    QString repetidas() const;

private:
    void inicia();
    void rellenanumeros();
    void anotaapuesta();
    void completa(RespuestaEdicion &r);
    void carga(); // edit mode: the shown bet onto the grid
    std::vector<int> marcadas() const;
    void escribe(RespuestaEdicion &r);
    void ponRanking(std::vector<int> ranking);

    AlmacenPenas &almacen_;
    const ArchivoPenas &archivo_;
    bool editando_ = false;
    int registro_ = 0;
    int modocrea_ = 0;
    std::optional<TablaReducida> tabla_;
    bool numordenador_ = false;
    std::vector<int> ranking_;

    int porapuesta_ = 6;
    int maxapuestas_ = 205;
    Pena pena_;
    Pena leida_; // edit mode: the record as read or last written, to find it again
    std::array<bool, 50> marca_{}; // 1..49
    int marcados_ = 0;
    int numapuestas_ = 0;
    bool solonombre_ = false;
    QStringList lineas_;
    QString nombre_;
    int dias_ = 3;
    QDate desde_; // new mode: the day chosen, invalid for today; edit mode: the creation day
    bool grabar_ = false;
    bool borrar_ = false;
    bool aleatorio_ = true;

    int actual_ = 1;
    int maximo_ = 1;
    bool pendiente_ = false; // edit mode: the last bet was added and is not yet complete
};
