#pragma once

#include "reports/ganancias.h"
#include "syndicates/cuentas.h"
#include "syndicates/socios.h"

#include <QString>
#include <vector>

// A syndicate's accounts: what each member paid, their part of every draw's stake and net
// prize while they were in the syndicate, and what is left in the pot. Computed from the
// syndicate's winnings draw by draw (ganancias::calcula with its detalle), its members and
// shares (socios.dat) and its payments, members' times and prize destination (cuentas.dat);
// nothing of it is stored.
namespace saldos {

// One member's account, in cents.
struct CuentaSocio {
    QString nombre;
    int participaciones = 0;  // 0: no longer in the list of members, but payments under the name
    qint64 pagado = 0;        // what they paid
    qint64 jugado = 0;        // their part of the stakes
    qint64 premios = 0;       // their part of the net prizes
    bool provisional = false; // a draw of theirs has a prize whose amount is not known yet
    qint64 entregado = 0;     // what was handed to them: prizes paid out, money given back
    // Positive: the syndicate owes them ("A favor"); negative: they owe ("Debe").
    qint64 saldo() const { return pagado - entregado + premios - jugado; }
};

// The accounts of the whole syndicate.
struct Estado {
    Destino destino = Destino::Reparten;
    std::vector<CuentaSocio> socios; // the members in their order, then names only paid under
    qint64 pagado = 0;               // every payment
    qint64 entregado = 0;            // everything handed to members
    qint64 jugado = 0;               // every stake
    qint64 premios = 0;              // every net prize
    // Prizes still owed to the members: when they are shared out, each member's part of the
    // net prizes less what was already handed to them; none when they stay in the pot.
    qint64 repartido = 0;
    // Draws played when no member was in the syndicate: their stake and prize are the
    // syndicate's alone (part of the pot, of nobody's balance).
    int sorteosSinSocios = 0;
    qint64 jugadoSinSocios = 0;
    qint64 premiosSinSocios = 0;
    bool provisional = false; // a prize amount is not known yet: the figures may change
    // The money in the organiser's hands, less the prizes still owed to members.
    qint64 bote() const { return pagado - entregado + premios - jugado - repartido; }
    const CuentaSocio *socio(const QString &nombre) const;
};

Estado calcula(const ganancias::Ganancias &ganancias, const SociosPena &socios,
               const CuentasPena &cuentas);

// "Debe 12,00 €", "A favor 3,50 €", "Al día".
QString textoSaldo(qint64 centimos);

// One line of a statement, in cents.
struct Linea {
    double fecha = 0;
    QString concepto; // "Pago: cuota de enero", "Sorteo del jueves 10/12/2026"
    qint64 cargo = 0; // what it takes from the balance
    qint64 abono = 0; // what it adds to it
    qint64 saldo = 0; // the balance after it
    bool provisional = false;
};

struct Extracto {
    QString titulo;            // "Extracto de ANA", "Extracto de la peña LOS AMIGOS"
    std::vector<Linea> lineas; // oldest first; on one day, payments before the draw
    qint64 saldo = 0;          // the balance after the last line
    bool provisional = false;  // some line is
};

// A member's statement: their payments and every played draw in which their part of the stake
// or of the prize is not zero. Its final balance is that member's saldo().
Extracto extracto(const ganancias::Ganancias &ganancias, const SociosPena &socios,
                  const CuentasPena &cuentas, const QString &socio);
// The syndicate's statement: every payment, every played draw's stake and net prize and
// everything handed to members, with the money in hand as its running balance; when prizes
// are shared out, a last line sets aside those still owed, so that it ends on the pot.
Extracto extractoPena(const ganancias::Ganancias &ganancias, const SociosPena &socios,
                      const CuentasPena &cuentas, const QString &nombrePena);

// The accounts of several syndicates as a CSV table for a spreadsheet: one line per member
// (paid, handed over, staked, prizes, balance) and one with the syndicate's totals and pot.
struct HojaCuentas {
    QString pena;
    Estado estado;
};
QByteArray aCsv(const std::vector<HojaCuentas> &hojas);

// A few lines to paste in a message: a heading, one line per member with their balance
// ("ANA: Debe 12,00 €"), the pot at the end; "(provisional)" where an amount is not known yet.
QString resumenTexto(const Estado &estado, const QString &nombrePena);

} // namespace saldos
