#pragma once

#include "archive/importes.h"
#include "archive/juego.h"
#include "archive/sorteo.h"
#include "syndicates/pena.h"
#include "syndicates/socios.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <vector>

// What a syndicate really won and spent in euros: its bets checked against every draw it
// played, the prize of each category times the amount of that draw, the refund of its slip,
// and the stake. Computed from the archive, the syndicate file, premios.dat and socios.dat;
// nothing of it is stored.
namespace ganancias {

// Categories in the order premios.dat keeps them: Especial, 1ª, 2ª, 3ª, 4ª, 5ª.
constexpr int kCategorias = ImportesSorteo::kCategorias;
// Names of the categories for headings: "Especial", "1ª" ... "5ª".
QString nombreCategoria(int categoria);

// "1.234,56 €"; a negative amount starts with "−" (U+2212), as in "−765,44 €".
QString textoEuros(qint64 centimos);
// The amount alone, for a spreadsheet: "1234,56", "-765,44".
QString textoCsv(qint64 centimos);
// The bet price of the settings, in cents.
qint64 centimosDe(float precio);

// An amount split by shares: each part rounded down to the cent, and the cents left over go
// one each to the first members, so that the parts add up to the amount exactly. A negative
// amount is split as its opposite. With no shares at all every part is 0.
std::vector<qint64> reparte(qint64 total, const std::vector<int> &participaciones);

// The archive ready for counting: each draw's numbers as bits, its weekday and its amounts.
// Made once for every syndicate (and again only when the archive or premios.dat changes).
class Historia {
public:
    Historia() = default;
    // `ganadores` (ganadores.dat: the Joker's amounts) may be nullptr.
    Historia(const std::vector<Sorteo> &sorteos, const ArchivoImportes &importes,
             const ArchivoGanadores *ganadores = nullptr);

    struct Sorteo_ {
        double fecha = 0;
        int dia = 0; // fechas::bitDia
        quint64 ganadores = 0;
        quint64 complementario = 0;
        int reintegro = -1;                       // -1: none that a slip can match
        const ImportesSorteo *importes = nullptr; // into the ArchivoImportes given
        qint64 joker = 0;                         // 0: no Joker drawn (or not known)
        const GanadoresSorteo *figuras = nullptr; // its Joker amounts (ganadores.dat)
        qint64 exento = juego::kSinRetencion;     // the tax's exempt amount on its date
    };
    const std::vector<Sorteo_> &sorteos() const { return sorteos_; }

private:
    std::vector<Sorteo_> sorteos_;
};

// One draw the syndicate played.
struct Jugada {
    double fecha = 0;
    std::array<int, kCategorias> premiadas{}; // bets that won each category
    int reintegros = 0;                       // bets that got their price back
    int pendientes = 0;                       // prizes whose amount is not known yet
    // Joker numbers that won each Joker category (1ª..6ª, and the refund of its price).
    std::array<int, juego::kCategoriasJoker + 1> jokers{};
    qint64 premioJoker = 0;   // cents of them, part of `premio`
    bool desconocido = false; // pendientes > 0: the draw's figure is provisional
    qint64 premio = 0;        // cents won, before the tax: refunds and the prizes known
    qint64 retencion = 0;     // cents the state withholds of them (juego::retencion, bet by bet)
    qint64 gasto = 0;         // cents the draw's bets cost
    qint64 neto() const { return premio - retencion; }
};

struct Ganancias {
    int jugados = 0;      // draws played
    int desconocidos = 0; // draws with a prize whose amount is not known
    int pendientes = 0;   // prizes whose amount is not known: the figures are provisional
    std::array<qint64, kCategorias> premiadas{};
    qint64 reintegros = 0;
    qint64 premios = 0;      // cents won before the tax (what is known of it), the Joker's too
    qint64 premiosJoker = 0; // cents the Joker numbers won, before the tax
    qint64 retencion = 0;    // cents withheld by the state
    qint64 gasto = 0;        // cents staked
    qint64 neto() const { return premios - retencion; }
    qint64 balance() const { return neto() - gasto; }
    bool provisional() const { return pendientes > 0; }
    std::vector<Jugada> detalle; // every draw played, oldest first, when asked for
    Ganancias &operator+=(const Ganancias &otra);
};

// The winnings of one syndicate. `precio` is the price of one bet in cents; `reintegro` the
// refund digit of its slip (-1: not recorded, no refund is counted); `jokers` the Joker numbers
// of its slips, each staked at juego::kPrecioJoker in every draw played since the Joker
// exists. Records whose type is no syndicate kind play nothing.
Ganancias calcula(const Historia &historia, const Pena &pena, qint64 precio, int reintegro,
                  bool detalle = false, const std::vector<qint32> &jokers = {});

// One member's part of the winnings (after the tax) and of the stake.
struct Parte {
    QString nombre;
    qint64 participaciones = 0;
    qint64 premios = 0; // of the net
    qint64 gasto = 0;
    qint64 balance() const { return premios - gasto; }
};
std::vector<Parte> partes(const SociosPena &socios, const Ganancias &ganancias);
// The parts of every syndicate together: a member of several syndicates (same name) gets the
// sum of the parts, in the order the members first appear.
std::vector<Parte> junta(const std::vector<std::vector<Parte>> &partesDeCadaPena);

// A draw the syndicate won something in, as the manager tab and the report list it.
struct Premiada {
    double fecha = 0;
    QString categorias;     // "4ª, 2 × 5ª, reintegro"
    QString joker;          // the Joker numbers' categories: "2ª", "reintegro"
    qint64 premio = 0;      // cents before the tax
    bool pendiente = false; // some amount of it is not known yet: `premio` is not the figure
    // "1.234,56 €", or "pendiente" while an amount is not known.
    QString textoPremio() const;
};
// The winning draws of `ganancias.detalle`, newest first.
std::vector<Premiada> premiadas(const Ganancias &ganancias);

// The draws of each syndicate as a spreadsheet (UTF-8, ';', CRLF): syndicate, date, the bets
// that won each category, the refunds, the euros won before the tax ("pendiente" where an
// amount is not known yet), the tax, the net and the euros staked.
struct Hoja {
    QString pena;
    Ganancias ganancias; // with its detalle
};
QByteArray aCsv(const std::vector<Hoja> &hojas);

} // namespace ganancias
