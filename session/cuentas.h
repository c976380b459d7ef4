#pragma once

#include "reports/ganancias.h"
#include "reports/premiados.h"

#include <QObject>
#include <optional>
#include <vector>

class Sesion;

// What the syndicates won and staked in euros, and each member's part: made from the archive,
// the prize amounts, the syndicates, their members and the bet price as the session holds
// them. The session's signals say when any of those changed; the figures are made again only
// then, and only when someone asks for them.
class Cuentas : public QObject {
    Q_OBJECT
public:
    explicit Cuentas(Sesion &sesion);

    // Every syndicate together ("TODAS LAS PEÑAS"), and the parts of every member (a member of
    // several syndicates, by name, gets the sum of the parts).
    const ganancias::Ganancias &todas();
    const std::vector<ganancias::Parte> &partesTodas();
    // One syndicate; with `detalle` every draw it played, for the spreadsheet.
    ganancias::Ganancias de(const Pena &pena, bool detalle = false);
    // Its members' parts of these winnings (none when no member is recorded).
    std::vector<ganancias::Parte> partes(const Pena &pena, const ganancias::Ganancias &g) const;
    // The syndicates that won something in the draw of `fecha`, in the order of the file.
    std::vector<premiados::Premio> premiosDe(double fecha);
    // How many times the figures of every syndicate were made, for whoever needs to know.
    int calculos() const { return calculos_; }

private:
    void olvida();
    // Of the settings only the bet price is part of the figures: other changes keep them.
    void ajustesCambiados();
    const ganancias::Historia &historia();

    Sesion &sesion_;
    std::optional<ganancias::Historia> historia_;
    std::optional<ganancias::Ganancias> todas_;
    std::vector<ganancias::Parte> partesTodas_;
    int calculos_ = 0;
    qint64 precio_ = -1; // the bet price, in cents, the figures were made with
};
