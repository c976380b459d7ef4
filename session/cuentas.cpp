#include "session/cuentas.h"
#include "session/sesion.h"

Cuentas::Cuentas(Sesion &sesion) : QObject(&sesion), sesion_(sesion)
{
    // Whatever the figures are made of: the draws, their amounts, the syndicates (a rescan
    // follows every change of them, and of the files written outside the program), the members
    // and the bet price.
    connect(&sesion_, &Sesion::sorteosCambiados, this, &Cuentas::olvida);
    connect(&sesion_, &Sesion::importesCambiados, this, &Cuentas::olvida);
    connect(&sesion_, &Sesion::penasCambiadas, this, &Cuentas::olvida);
    connect(&sesion_, &Sesion::recontado, this, &Cuentas::olvida);
    connect(&sesion_, &Sesion::sociosCambiados, this, &Cuentas::olvida);
    connect(&sesion_, &Sesion::ajustesCambiados, this, &Cuentas::ajustesCambiados);
}

void Cuentas::ajustesCambiados()
{
    if (ganancias::centimosDe(sesion_.ajustes().precio) != precio_)
        olvida();
}

void Cuentas::olvida()
{
    historia_.reset();
    todas_.reset();
    partesTodas_.clear();
}

const ganancias::Historia &Cuentas::historia()
{
    if (!historia_)
        historia_.emplace(sesion_.sorteos().sorteos(), sesion_.importes(), &sesion_.ganadores());
    return *historia_;
}

ganancias::Ganancias Cuentas::de(const Pena &pena, bool detalle)
{
    const SociosPena *s = sesion_.socios().busca(pena);
    return ganancias::calcula(historia(), pena, ganancias::centimosDe(sesion_.ajustes().precio),
                              s ? s->reintegro : -1, detalle,
                              s ? s->jokers : std::vector<qint32>{});
}

std::vector<ganancias::Parte> Cuentas::partes(const Pena &pena, const ganancias::Ganancias &g) const
{
    const SociosPena *s = sesion_.socios().busca(pena);
    return s ? ganancias::partes(*s, g) : std::vector<ganancias::Parte>{};
}

const ganancias::Ganancias &Cuentas::todas()
{
    if (!todas_) {
        ++calculos_;
        precio_ = ganancias::centimosDe(sesion_.ajustes().precio);
        ganancias::Ganancias total;
        std::vector<std::vector<ganancias::Parte>> cada;
        for (const Pena &p : sesion_.penas().penas()) {
            const ganancias::Ganancias g = de(p);
            total += g;
            if (const SociosPena *s = sesion_.socios().busca(p))
                cada.push_back(ganancias::partes(*s, g));
        }
        todas_ = std::move(total);
        partesTodas_ = ganancias::junta(cada);
    }
    return *todas_;
}

const std::vector<ganancias::Parte> &Cuentas::partesTodas()
{
    todas();
    return partesTodas_;
}

std::vector<premiados::Premio> Cuentas::premiosDe(double fecha)
{
    std::vector<premiados::Premio> r;
    const std::vector<Pena> &penas = sesion_.penas().penas();
    for (size_t i = 0; i < penas.size(); ++i) {
        const ganancias::Ganancias g = de(penas[i], true);
        // The draws a syndicate played, oldest first: the one asked for is among the last.
        for (auto j = g.detalle.rbegin(); j != g.detalle.rend() && j->fecha >= fecha; ++j)
            if (j->fecha == fecha && premiados::hayPremio(*j))
                r.push_back({static_cast<int>(i) + 1, penas[i].nombreTexto().trimmed(), *j});
    }
    return r;
}
