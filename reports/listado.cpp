#include "reports/listado.h"
#include "archive/fechas.h"
#include "reports/motor.h"

#include <cmath>

namespace listado {

QString textoApuesta(const qint16 *numeros, int cuantos)
{
    QString t;
    for (int i = 0; i < cuantos; ++i) {
        if (i > 0)
            t += QLatin1Char('-');
        if (numeros[i] < 10)
            t += QLatin1Char(' ');
        t += QString::number(numeros[i]);
    }
    return t;
}

int altoLista(int filas)
{
    if (filas >= 23)
        return 4935;
    int alto = 225 * filas;
    if (filas < 4)
        alto += 100;
    if (filas > 14)
        alto -= 150;
    return alto;
}

int sorteosJugados(const Pena &pena, const std::vector<Sorteo> &sorteos)
{
    const int dias = diasjuego::mascara(pena.diasTexto());
    int jugados = 0;
    for (const Sorteo &s : sorteos)
        jugados +=
            diasjuego::juegaSorteo(dias, pena.creacion, fechas::bitDia(s.fecha), s.fecha, false);
    return jugados;
}

QString unDecimal(double valor, const QLocale &locale)
{
    // nearbyint follows the default rounding mode, which sends halves to the even neighbour.
    return informes::numeroTexto(std::nearbyint(valor * 10.0) / 10.0, locale, 1);
}

Ficha ficha(const std::vector<Pena> &penas, int r, const std::vector<Sorteo> &sorteos,
            const QLocale &locale)
{
    Ficha f;
    if (penas.empty()) {
        f.vacia = true;
        f.jugados = QStringLiteral("-");
        f.efectividad = QStringLiteral("-");
        return f;
    }
    if (r < 1 || r > static_cast<int>(penas.size())) {
        f.error = kRegistroMalo;
        return f;
    }
    const Pena &p = penas[static_cast<size_t>(r - 1)];
    if (!p.tipoValido() || p.tablaN < 0 || p.tablaN > Pena::kPosiciones ||
        (p.esMultiple() && p.tablaN != 0)) {
        f.error = kRegistroMalo;
        return f;
    }

    const int porApuesta = p.esMultiple() ? cuantos(p.tipo) : 6;
    const int filas = p.esMultiple() ? 1 : p.tipo;
    for (int b = 1; b <= filas; ++b)
        f.apuestas.append(textoApuesta(p.apuestas[static_cast<size_t>(b - 1)].data(), porApuesta));
    f.altoTwips = altoLista(filas);
    f.contadores = p.premios;

    for (qint16 c : p.premios)
        f.premios += c;
    if (sorteos.empty()) {
        f.jugados = QStringLiteral("0");
        f.efectividad = f.premios != 0 ? QStringLiteral("100 %") : QStringLiteral("-");
        f.sinPremio = 0;
    } else {
        const int jugados = sorteosJugados(p, sorteos);
        f.jugados = QString::number(jugados);
        const double porcentaje = jugados == 0 ? 0.0 : f.premios * 100.0 / jugados;
        f.efectividad = unDecimal(porcentaje, locale) + QStringLiteral(" %");
        f.sinPremio = std::max(0, jugados - f.premios);
    }

    if (p.tablaN != 0) {
        f.tipo = QString::fromUtf8("-Reducida de %1 nºs al %2:").arg(p.tablaN).arg(p.tablaG);
        QStringList elegidos;
        for (int i = 0; i < p.tablaN; ++i)
            elegidos.append(QString::number(p.elegidos[static_cast<size_t>(i)]));
        f.elegidos = elegidos.join(QLatin1Char('-'));
    } else if (p.esMultiple()) {
        f.tipo = QString::fromUtf8("-Apuesta múltiple de %1 nºs.").arg(cuantos(p.tipo));
    } else {
        f.tipo = QStringLiteral("-Apuestas sencillas.");
    }
    return f;
}

} // namespace listado
