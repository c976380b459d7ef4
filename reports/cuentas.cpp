#include "reports/cuentas.h"
#include "archive/fechas.h"
#include "archive/texto.h"

#include <QStringList>
#include <algorithm>

namespace saldos {

namespace {

// A name the accounts count: a member with their shares and times, or a name that only paid.
struct Miembro {
    QString nombre;
    int participaciones = 0;
    std::vector<Permanencia> tiempos; // none: in from the start, for ever
    bool dentro(double fecha) const
    {
        return participaciones > 0 &&
               (tiempos.empty() ||
                std::any_of(tiempos.begin(), tiempos.end(),
                            [&](const Permanencia &p) { return p.incluye(fecha); }));
    }
};

std::vector<Miembro> miembros(const SociosPena &socios, const CuentasPena &cuentas)
{
    std::vector<Miembro> r;
    for (const Socio &s : socios.socios)
        r.push_back({s.nombre, s.participaciones, {}});
    // Someone who paid and is no longer a member keeps a line: their money is still there.
    for (const Pago &p : cuentas.pagos)
        if (std::none_of(r.begin(), r.end(), [&](const Miembro &m) { return m.nombre == p.socio; }))
            r.push_back({p.socio, 0, {}});
    for (const Permanencia &p : cuentas.permanencias)
        for (Miembro &m : r)
            if (m.nombre == p.socio)
                m.tiempos.push_back(p);
    return r;
}

// Each played draw with the members in the syndicate on its date and their parts of its stake
// and net prize, split by shares exactly to the cent. `f(jugada, quienes, gastos, premios)`;
// `quienes` is empty for a draw no member was in.
template <class F>
void porSorteo(const ganancias::Ganancias &g, const std::vector<Miembro> &todos, F f)
{
    std::vector<size_t> quienes;
    std::vector<int> partes;
    for (const ganancias::Jugada &j : g.detalle) {
        quienes.clear();
        partes.clear();
        for (size_t i = 0; i < todos.size(); ++i)
            if (todos[i].dentro(j.fecha)) {
                quienes.push_back(i);
                partes.push_back(todos[i].participaciones);
            }
        f(j, quienes, ganancias::reparte(j.gasto, partes), ganancias::reparte(j.neto(), partes));
    }
}

QString conceptoSorteo(double fecha)
{
    return u("Sorteo del ") + diasemana(fecha).toLower() + QLatin1Char(' ') +
           fechas::textoCorto(fecha);
}

QString conceptoPago(const Pago &p, bool conNombre)
{
    QString t = conNombre ? u("Pago de ") + p.socio : u("Pago");
    if (!p.nota.trimmed().isEmpty())
        t += u(": ") + p.nota.trimmed();
    return t;
}

// Oldest first, payments of a day before its draw; the running balance and the totals.
Extracto cierra(QString titulo, std::vector<std::pair<int, Linea>> lineas)
{
    std::stable_sort(lineas.begin(), lineas.end(), [](const auto &a, const auto &b) {
        if (a.second.fecha != b.second.fecha)
            return a.second.fecha < b.second.fecha;
        return a.first < b.first;
    });
    Extracto e;
    e.titulo = std::move(titulo);
    for (auto &[orden, l] : lineas) {
        e.saldo += l.abono - l.cargo;
        l.saldo = e.saldo;
        e.provisional = e.provisional || l.provisional;
        e.lineas.push_back(std::move(l));
    }
    return e;
}

} // namespace

const CuentaSocio *Estado::socio(const QString &nombre) const
{
    for (const CuentaSocio &c : socios)
        if (c.nombre == nombre)
            return &c;
    return nullptr;
}

Estado calcula(const ganancias::Ganancias &g, const SociosPena &socios, const CuentasPena &cuentas)
{
    Estado e;
    e.destino = cuentas.destino;
    const std::vector<Miembro> todos = miembros(socios, cuentas);
    for (const Miembro &m : todos)
        e.socios.push_back({m.nombre, m.participaciones});
    for (const Pago &p : cuentas.pagos) {
        e.pagado += p.centimos;
        for (CuentaSocio &c : e.socios)
            if (c.nombre == p.socio) {
                c.pagado += p.centimos;
                break;
            }
    }
    porSorteo(g, todos,
              [&](const ganancias::Jugada &j, const std::vector<size_t> &quienes,
                  const std::vector<qint64> &gastos, const std::vector<qint64> &premios) {
                  e.jugado += j.gasto;
                  e.premios += j.neto();
                  e.provisional = e.provisional || j.desconocido;
                  if (quienes.empty()) {
                      ++e.sorteosSinSocios;
                      e.jugadoSinSocios += j.gasto;
                      e.premiosSinSocios += j.neto();
                      return;
                  }
                  for (size_t k = 0; k < quienes.size(); ++k) {
                      CuentaSocio &c = e.socios[quienes[k]];
                      c.jugado += gastos[k];
                      c.premios += premios[k];
                      c.provisional = c.provisional || j.desconocido;
                  }
              });
    if (e.destino == Destino::Reparten)
        e.repartido = e.premios;
    return e;
}

QString textoSaldo(qint64 centimos)
{
    if (centimos == 0)
        return u("Al día");
    if (centimos < 0)
        return u("Debe ") + ganancias::textoEuros(-centimos);
    return u("A favor ") + ganancias::textoEuros(centimos);
}

Extracto extracto(const ganancias::Ganancias &g, const SociosPena &socios,
                  const CuentasPena &cuentas, const QString &socio)
{
    std::vector<std::pair<int, Linea>> lineas;
    for (const Pago &p : cuentas.pagos)
        if (p.socio == socio)
            lineas.push_back({0, {p.fecha, conceptoPago(p, false), 0, p.centimos, 0, false}});
    const std::vector<Miembro> todos = miembros(socios, cuentas);
    const auto quien = std::find_if(todos.begin(), todos.end(),
                                    [&](const Miembro &m) { return m.nombre == socio; });
    if (quien != todos.end()) {
        const size_t indice = static_cast<size_t>(quien - todos.begin());
        porSorteo(g, todos,
                  [&](const ganancias::Jugada &j, const std::vector<size_t> &quienes,
                      const std::vector<qint64> &gastos, const std::vector<qint64> &premios) {
                      const auto k = std::find(quienes.begin(), quienes.end(), indice);
                      if (k == quienes.end())
                          return;
                      const size_t i = static_cast<size_t>(k - quienes.begin());
                      if (gastos[i] == 0 && premios[i] == 0)
                          return;
                      lineas.push_back({1,
                                        {j.fecha, conceptoSorteo(j.fecha), gastos[i], premios[i], 0,
                                         j.desconocido}});
                  });
    }
    return cierra(u("Extracto de ") + socio, std::move(lineas));
}

Extracto extractoPena(const ganancias::Ganancias &g, const SociosPena &socios,
                      const CuentasPena &cuentas, const QString &nombrePena)
{
    (void)socios; // the pot does not depend on who is in: the whole draw is the syndicate's
    std::vector<std::pair<int, Linea>> lineas;
    for (const Pago &p : cuentas.pagos)
        lineas.push_back({0, {p.fecha, conceptoPago(p, true), 0, p.centimos, 0, false}});
    for (const ganancias::Jugada &j : g.detalle) {
        lineas.push_back(
            {1, {j.fecha, conceptoSorteo(j.fecha), j.gasto, j.neto(), 0, j.desconocido}});
        if (cuentas.destino == Destino::Reparten && j.neto() != 0)
            lineas.push_back({2,
                              {j.fecha, u("Premios repartidos entre los socios"), j.neto(), 0, 0,
                               j.desconocido}});
    }
    return cierra(u("Extracto de la peña ") + nombrePena.trimmed(), std::move(lineas));
}

QString resumenTexto(const Estado &e, const QString &nombrePena)
{
    const QString provisional = u(" (provisional)");
    QStringList t;
    t << u("Cuentas de la peña ") + nombrePena.trimmed() +
             (e.provisional ? u(" (provisionales: hay premios pendientes)") : QString());
    for (const CuentaSocio &c : e.socios)
        t << c.nombre + u(": ") + textoSaldo(c.saldo()) + (c.provisional ? provisional : QString());
    t << u("Bote de la peña: ") + ganancias::textoEuros(e.bote()) +
             (e.provisional ? provisional : QString());
    return t.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace saldos
