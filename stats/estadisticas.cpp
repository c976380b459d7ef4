#include "stats/estadisticas.h"
#include "archive/fechas.h"
#include "archive/texto.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numeric>

namespace stats {

namespace {
// Weekdays as fechas::numeroDia gives them: Sunday 1 .. Saturday 7.
constexpr int kDiaLunes = 2;
constexpr int kDiaJueves = 5;
constexpr int kDiaSabado = 7;

bool seleccionadoDia(int dia, FiltroDias filtro)
{
    switch (dia) {
    case kDiaLunes:
        return filtro.lunes;
    case kDiaJueves:
        return filtro.jueves;
    case kDiaSabado:
        return filtro.sabado;
    default:
        // A record on a day without draws (a damaged or hand-made archive) has no box of its
        // own: it counts while "Jueves" and "Sábado" are both ticked, so that every box ticked
        // still takes every record.
        return filtro.jueves && filtro.sabado;
    }
}

// The table of the draw day `dia`, or none for a weekday without draws.
std::array<int, 50> *cuentasDelDia(Cuentas &c, int dia)
{
    switch (dia) {
    case kDiaLunes:
        return &c.lunes;
    case kDiaJueves:
        return &c.jueves;
    case kDiaSabado:
        return &c.sabado;
    default:
        return nullptr;
    }
}

QString textoFecha(double serial)
{
    return serial == 0 ? QString() : fechas::textoCorto(serial);
}
} // namespace

bool seleccionado(const QString &dia, FiltroDias filtro)
{
    int numero = 0;
    if (dia == QStringLiteral("Lunes"))
        numero = kDiaLunes;
    else if (dia == QStringLiteral("Jueves"))
        numero = kDiaJueves;
    else if (dia == QString::fromUtf8("Sábado"))
        numero = kDiaSabado;
    return seleccionadoDia(numero, filtro);
}

QString textoSorteo(const Sorteo &s)
{
    QString t;
    t.reserve(32);
    for (int i = 0; i < 5; ++i) {
        if (s.numeros[static_cast<size_t>(i)] < 10)
            t += QLatin1Char(' ');
        t += QString::number(s.numeros[static_cast<size_t>(i)]);
        t += QLatin1Char('-');
    }
    t += QString::number(s.numeros[5]);
    t += s.numeros[5] > 9 ? QStringLiteral("  C: ") : QStringLiteral("   C: ");
    t += QString::number(s.complementario);
    if (s.complementario < 10)
        t += QLatin1Char(' ');
    t += QStringLiteral(" R: ");
    t += QString::number(s.reintegro);
    return t;
}

bool legible(const Sorteo &s)
{
    for (qint16 n : s.numeros)
        if (n < 1 || n > 49)
            return false;
    return fechas::dia(s.fecha).isValid();
}

const QString &TextosFecha::de(double serial)
{
    QString &texto = textos_[std::bit_cast<quint64>(serial)];
    if (texto.isNull())
        texto = fechas::textoCorto(serial) + QStringLiteral("  ") + diasemana(serial);
    return texto;
}

Resultado estadisticas(const std::vector<Sorteo> &sorteos, FiltroDias filtro, double desde,
                       TextosFecha *textosFecha)
{
    Resultado r;
    r.filas.reserve(sorteos.size());
    const QString dosEspacios = QStringLiteral("  ");
    for (int registro = static_cast<int>(sorteos.size()); registro >= 1; --registro) {
        const Sorteo &s = sorteos[static_cast<size_t>(registro - 1)];
        if (!legible(s)) {
            r.ilegible = registro;
            return r;
        }
        const int dia = fechas::numeroDia(s.fecha);
        QString texto;
        if (seleccionadoDia(dia, filtro) && !(s.fecha < desde)) {
            ++r.total;
            texto = textoSorteo(s);
            std::array<int, 50> *delDia = cuentasDelDia(r.cuentas, dia);
            if (delDia)
                ++r.cuentas.sorteosDia[static_cast<size_t>(delDia == &r.cuentas.lunes    ? 0
                                                           : delDia == &r.cuentas.jueves ? 1
                                                                                         : 2)];
            for (qint16 n : s.numeros) {
                ++r.cuentas.todos[static_cast<size_t>(n)];
                if (delDia)
                    ++(*delDia)[static_cast<size_t>(n)];
            }
            if (r.total == 1)
                r.masReciente = s.fecha;
            r.masAntiguo = s.fecha;
            FilaSorteo fila;
            fila.numeros = texto;
            fila.joker = std::isfinite(s.joker) && std::fabs(s.joker) < 1e15
                             ? QString::number(s.joker, 'f', 0)
                             : QString();
            fila.fecha = textosFecha
                             ? textosFecha->de(s.fecha)
                             : fechas::textoCorto(s.fecha) + dosEspacios + diasemana(s.fecha);
            fila.registro = registro;
            r.filas.push_back(std::move(fila));
        }
        if (registro == static_cast<int>(sorteos.size())) {
            r.hayFrase = true;
            r.frase = texto;
        }
    }
    return r;
}

std::array<FilaTabla, 25> tabla(const Cuentas &cuentas, bool segundaMitad, bool comparativa)
{
    std::array<FilaTabla, 25> t;
    const int primero = segundaMitad ? 25 : 1;
    for (int i = 0; i < 25; ++i) {
        const int n = primero + i;
        const auto k = static_cast<size_t>(n);
        FilaTabla &f = t[static_cast<size_t>(i)];
        f.numero = n;
        f.etiqueta = QLatin1Char(' ') + QString::number(n);
        if (comparativa) {
            f.valor1 = cuentas.lunes[k];
            f.valor2 = cuentas.jueves[k];
            f.valor3 = cuentas.sabado[k];
            const int veces[3] = {f.valor1, f.valor2, f.valor3};
            for (size_t d = 0; d < 3; ++d)
                f.porcentaje[d] =
                    cuentas.sorteosDia[d] > 0 ? 100.0 * veces[d] / cuentas.sorteosDia[d] : 0.0;
        } else {
            f.valor1 = cuentas.todos[k];
        }
    }
    return t;
}

double desdePeriodo(double hoy, int meses)
{
    return hoy - meses * 30.5;
}

namespace {
// A long period reads in years: "41 años y 8 meses", not "500 meses".
QString duracion(int meses)
{
    if (meses < 24)
        return cantidad(meses, "mes", "meses");
    const QString anos = cantidad(meses / 12, "año", "años");
    return meses % 12 == 0 ? anos
                           : anos + QStringLiteral(" y ") + cantidad(meses % 12, "mes", "meses");
}
} // namespace

QString tituloPeriodo(int meses)
{
    return meses < 2 ? QString::fromUtf8("Último mes")
                     : QString::fromUtf8("Últimos ") + duracion(meses);
}

Descripcion describe(const Resultado &r, FiltroDias filtro, bool todos, int meses)
{
    Descripcion d;
    QString periodo;
    if (todos)
        periodo = QStringLiteral("todos los sorteos");
    else if (meses == 1)
        periodo = QString::fromUtf8("sólo el último mes de sorteos");
    else
        periodo = QString::fromUtf8("los últimos %1 de sorteos").arg(duracion(meses));
    // With nothing selected there are no dates to give: the sentence says so instead of
    // naming the dates of another selection.
    if (r.total == 0)
        d.periodo = QStringLiteral("-Tiene seleccionados ") + periodo +
                    QString::fromUtf8(": ningún sorteo en la base de datos.");
    else
        d.periodo = QStringLiteral("-Tiene seleccionados ") + periodo +
                    (todos ? QStringLiteral(". Desde el ") : QStringLiteral(", desde el ")) +
                    textoFecha(r.masAntiguo) + QStringLiteral(" al ") + textoFecha(r.masReciente) +
                    QStringLiteral(", en total, ") + cantidad(r.total, "sorteo", "sorteos") +
                    QStringLiteral(" en la base de datos.");

    QString dias;
    if (filtro.lunes && filtro.jueves && filtro.sabado) {
        dias = QString::fromUtf8(
            "tanto los números de los sorteos del LUNES, del JUEVES como los del SÁBADO.");
        d.fila.diasajugar = QString::fromUtf8("Lunes, jueves y sábado.");
    } else if (filtro.jueves && filtro.sabado) {
        dias =
            QString::fromUtf8("tanto los números de los sorteos del JUEVES, como los del SÁBADO.");
        d.fila.diasajugar = QString::fromUtf8("Jueves y sábado.");
    } else if (filtro.lunes && filtro.jueves) {
        dias =
            QString::fromUtf8("tanto los números de los sorteos del LUNES, como los del JUEVES.");
        d.fila.diasajugar = QStringLiteral("Lunes y jueves.");
    } else if (filtro.lunes && filtro.sabado) {
        dias =
            QString::fromUtf8("tanto los números de los sorteos del LUNES, como los del SÁBADO.");
        d.fila.diasajugar = QString::fromUtf8("Lunes y sábado.");
    } else if (filtro.lunes) {
        dias = QString::fromUtf8("sólo los números de los sorteos del LUNES.");
        d.fila.diasajugar = QStringLiteral("Lunes.");
    } else if (filtro.sabado) {
        dias = QString::fromUtf8("sólo los números de los sorteos del SÁBADO.");
        d.fila.diasajugar = QString::fromUtf8("Sábado.");
    } else {
        dias = QString::fromUtf8("sólo los números de los sorteos del JUEVES.");
        d.fila.diasajugar = QStringLiteral("Jueves.");
    }
    d.dias = QStringLiteral("-Ha seleccionado ") + dias;
    d.fila.dia1 = r.masAntiguo;
    d.fila.dia2 = r.masReciente;
    d.fila.total = r.total;
    return d;
}

Ranking ranking(const Cuentas &cuentas)
{
    std::array<int, 49> orden;
    std::iota(orden.begin(), orden.end(), 1);
    std::stable_sort(orden.begin(), orden.end(), [&](int a, int b) {
        return cuentas.todos[static_cast<size_t>(a)] > cuentas.todos[static_cast<size_t>(b)];
    });
    Ranking r;
    for (size_t i = 0; i < 49; ++i) {
        r.numeros[i] = orden[i];
        r.veces[i] = cuentas.todos[static_cast<size_t>(orden[i])];
    }
    return r;
}

std::vector<informes::FilaNumero> primeros(const Ranking &r, int k)
{
    std::vector<informes::FilaNumero> filas;
    for (int i = 0; i < std::clamp(k, 0, 49); ++i)
        filas.push_back({r.numeros[static_cast<size_t>(i)], r.veces[static_cast<size_t>(i)]});
    return filas;
}

Filtro pulsa(Filtro f, int casilla, bool marcada)
{
    switch (casilla) {
    case 0:
    case 3:
        f.jueves = marcada;
        break;
    case 1:
    case 4:
        f.sabado = marcada;
        break;
    case 2:
        f.comparativa = marcada;
        break;
    case 9:
    case 10:
        f.lunes = marcada;
        break;
    case 5:
    case 7:
        f.todos = marcada;
        break;
    case 6:
    case 8:
        f.todos = !marcada;
        break;
    default:
        break;
    }
    if (f.comparativa) {
        f.lunes = true;
        f.jueves = true;
        f.sabado = true;
    }
    return f;
}

int mesesValidos(int meses)
{
    // A whole archive goes back about forty years.
    return std::clamp(meses, 1, 500);
}

} // namespace stats
