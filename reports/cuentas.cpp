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
    QString t = p.centimos < 0 ? (conNombre ? u("Entregado a ") + p.socio : u("Entregado"))
                               : (conNombre ? u("Pago de ") + p.socio : u("Pago"));
    if (!p.nota.trimmed().isEmpty())
        t += u(": ") + p.nota.trimmed();
    return t;
}

Linea lineaPago(const Pago &p, bool conNombre)
{
    return {p.fecha,
            conceptoPago(p, conNombre),
            std::max<qint64>(-p.centimos, 0),
            std::max<qint64>(p.centimos, 0),
            0,
            false};
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
        // A negative amount is money handed to the member.
        const qint64 pagado = std::max<qint64>(p.centimos, 0);
        const qint64 entregado = std::max<qint64>(-p.centimos, 0);
        e.pagado += pagado;
        e.entregado += entregado;
        for (CuentaSocio &c : e.socios)
            if (c.nombre == p.socio) {
                c.pagado += pagado;
                c.entregado += entregado;
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
    // A prize of a draw nobody was in stays in the pot: there is nobody to owe it to.
    if (e.destino == Destino::Reparten)
        for (const CuentaSocio &c : e.socios)
            e.repartido += std::max<qint64>(c.premios - c.entregado, 0);
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
            lineas.push_back({0, lineaPago(p, false)});
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
    std::vector<std::pair<int, Linea>> lineas;
    for (const Pago &p : cuentas.pagos)
        lineas.push_back({0, lineaPago(p, true)});
    for (const ganancias::Jugada &j : g.detalle)
        lineas.push_back(
            {1, {j.fecha, conceptoSorteo(j.fecha), j.gasto, j.neto(), 0, j.desconocido}});
    const Estado estado = calcula(g, socios, cuentas);
    if (estado.repartido != 0) {
        const double ultima =
            lineas.empty()
                ? 0
                : std::max_element(lineas.begin(), lineas.end(), [](const auto &a, const auto &b) {
                      return a.second.fecha < b.second.fecha;
                  })->second.fecha;
        lineas.push_back({2,
                          {ultima, u("Premios por entregar a los socios"), estado.repartido, 0, 0,
                           estado.provisional}});
    }
    return cierra(u("Extracto de la peña ") + nombrePena.trimmed(), std::move(lineas));
}

QByteArray aCsv(const std::vector<HojaCuentas> &hojas)
{
    const auto campo = [](QString t) {
        t = t.trimmed();
        // A field with the separator or a quote is quoted, as spreadsheets read it.
        if (t.contains(QLatin1Char(';')) || t.contains(QLatin1Char('"')))
            t = QLatin1Char('"') + t.replace(QLatin1Char('"'), u("\"\"")) + QLatin1Char('"');
        return t;
    };
    const auto cifras = [](qint64 pagado, qint64 entregado, qint64 jugado, qint64 premios,
                           qint64 saldo, bool provisional) {
        return QLatin1Char(';') + ganancias::textoCsv(pagado) + QLatin1Char(';') +
               ganancias::textoCsv(entregado) + QLatin1Char(';') + ganancias::textoCsv(jugado) +
               QLatin1Char(';') + ganancias::textoCsv(premios) + QLatin1Char(';') +
               ganancias::textoCsv(saldo) + QLatin1Char(';') +
               (provisional ? u("provisional") : QString()) + u("\r\n");
    };
    // The byte order mark tells spreadsheets that the accents are UTF-8.
    QString csv =
        QChar(0xFEFF) + u("Peña;Socio;Participaciones;Pagado (euros);Entregado (euros);"
                          "Jugado (euros);Premios netos (euros);Saldo (euros);Cifras\r\n");
    for (const HojaCuentas &h : hojas) {
        const QString pena = campo(h.pena);
        for (const CuentaSocio &c : h.estado.socios)
            csv += pena + QLatin1Char(';') + campo(c.nombre) + QLatin1Char(';') +
                   (c.participaciones > 0 ? QString::number(c.participaciones) : QString()) +
                   cifras(c.pagado, c.entregado, c.jugado, c.premios, c.saldo(), c.provisional);
        const Estado &e = h.estado;
        csv += pena + u(";Bote de la peña;") +
               cifras(e.pagado, e.entregado, e.jugado, e.premios, e.bote(), e.provisional);
    }
    return csv.toUtf8();
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
