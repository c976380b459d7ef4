#include "checking/resumen.h"
#include "archive/fechas.h"
#include "archive/juego.h"
#include "archive/texto.h"

#include <algorithm>
#include <cmath>

namespace comprobacion {

QString textoPorcentaje(float porcentaje, const QLocale &idioma)
{
    if (!std::isfinite(porcentaje))
        porcentaje = 0;
    // The single-precision value rounded as it is stored; nearbyint rounds halves to even.
    const double decimas = std::nearbyint(double(porcentaje) * 10.0);
    const auto entero = static_cast<qint64>(decimas);
    QLocale l = idioma;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    if (entero % 10 == 0)
        return l.toString(entero / 10);
    return l.toString(double(entero) / 10.0, 'f', 1);
}

QString apuestasDe(const Pena &p)
{
    if (p.tipo >= 501)
        return QString::number(cuantos(p.tipo + 6));
    if (p.tipo <= 499)
        return QString::number(p.tipo);
    return QStringLiteral("0");
}

Resumen calculaResumen(const std::vector<Pena> &penas, int jugados, const QLocale &idioma)
{
    Resumen r;
    r.textoCombo = QString::fromUtf8("TODAS LAS PEÑAS");
    if (penas.empty()) {
        r.combo = {QString::fromUtf8("No hay Peñas creadas")};
        r.filas.push_back({QString::fromUtf8("VACÍO"), {}, {}, {}});
        r.efectividad = QString::fromUtf8("¡Nunca has acertado nada!");
        r.sinPremio = 1;
        return r;
    }
    r.vacio = false;
    r.combo.append(r.textoCombo);
    r.filas.reserve(penas.size());
    for (const Pena &p : penas) {
        r.combo.append(p.nombreTexto());
        r.filas.push_back(
            {p.nombreTexto(), apuestasDe(p), fechas::textoCorto(p.creacion), p.diasTexto()});
        for (qint16 c : p.premios)
            r.total += c;
    }
    r.penas = static_cast<int>(penas.size());

    const qint64 d = jugados;
    // Counters below zero only come from a damaged file; they must not make a negative share.
    const qint64 t = std::max<qint64>(r.total, 0);
    if (t < d) {
        r.sinPremio = d - t;
        r.porcentaje = static_cast<float>(100.0 * double(t) / double(d));
    } else if (t != 0) {
        r.sinPremio = 0;
        r.porcentaje = 100;
    } else {
        r.sinPremio = 1;
        r.porcentaje = 0;
    }
    r.efectividad =
        textoPorcentaje(r.porcentaje, idioma) + QStringLiteral("% de efectividad en premios");
    r.jugados = QStringLiteral("en ") + cantidad(jugados, "sorteo", "sorteos");
    r.premiosEnGrafico = true;
    return r;
}

QStringList sinSorteosAun(const std::vector<Pena> &penas, const std::vector<Sorteo> &sorteos,
                          bool multiples, const QString &seleccion, bool historico)
{
    QStringList lineas;
    if (historico)
        return lineas;
    for (const Pena &p : penas) {
        if (p.esMultiple() != multiples || (!seleccion.isNull() && p.nombreTexto() != seleccion))
            continue;
        // The archive is in date order: only its newest draws can be after the creation.
        bool juega = false;
        for (auto s = sorteos.rbegin(); s != sorteos.rend() && !juega; ++s) {
            if (s->fecha + 1 < p.creacion)
                break;
            juega = p.juega(s->fecha);
        }
        if (juega)
            continue;
        // Its first draw: the first draw day of its days whose draw is not held before it
        // started (a week on, at most).
        double primero = 0;
        for (int dia = 0; dia < 8 && primero == 0; ++dia) {
            const double fecha = std::floor(p.creacion) + dia;
            if (juego::esDiaDeSorteo(fecha) && p.juega(fecha))
                primero = fecha;
        }
        if (primero == 0)
            continue; // days no draw is held on: nothing to promise
        lineas += QString::fromUtf8("La peña %1 se comprobará a partir del sorteo del %2, %3. "
                                    "Marque «Histórico» para ver los sorteos anteriores.")
                      .arg(p.nombreTexto().trimmed(), diasemana(primero).toLower(),
                           fechas::textoCorto(primero));
    }
    return lineas;
}

} // namespace comprobacion
