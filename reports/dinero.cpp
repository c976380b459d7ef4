#include "reports/dinero.h"
#include "archive/fechas.h"
#include "reports/motor.h"

namespace dinero {

float apuestaSemanal(const Pena &pena, float precio)
{
    // The stored count of a simple or reduced syndicate, or the bets a multiple stands for.
    const float apuestas = static_cast<float>(cuantos(pena.tipo + 6));
    // One price a bet for each draw of the week the syndicate plays.
    return apuestas * precio * static_cast<float>(diasjuego::porSemana(pena.diasTexto()));
}

informes::FilaPena filaPena(const Pena &pena, float precio, const QString &aciertos,
                            const QString &sorteos)
{
    informes::FilaPena f;
    f.diasajugar = pena.diasTexto().trimmed();
    f.dinero = apuestaSemanal(pena, precio);
    f.nombre = pena.nombreTexto();
    f.dia1 = pena.creacion;
    // A syndicate no checking pass has reached yet is counted up to the day it was made.
    f.dia2 = pena.contado == 0 ? pena.creacion : pena.contado;
    f.aciertos = aciertos;
    f.sorteos = valorDe(sorteos);
    f.premios = {pena.premio(3), pena.premio(4), pena.premio(5), pena.premio(7), pena.premio(6)};
    return f;
}

double valorDe(const QString &texto)
{
    const QString t = texto.trimmed();
    qsizetype fin = 0;
    if (fin < t.size() && (t[fin] == QLatin1Char('-') || t[fin] == QLatin1Char('+')))
        ++fin;
    const qsizetype digitos = fin;
    while (fin < t.size() && (t[fin].isDigit() || t[fin] == QLatin1Char('.')))
        ++fin;
    if (fin == digitos)
        return 0;
    bool ok = false;
    const double v = t.left(fin).toDouble(&ok);
    return ok ? v : 0;
}

QString textoEuros(float dinero, const QLocale &locale)
{
    return informes::numeroTexto(static_cast<double>(dinero), locale) + QStringLiteral(" euros.");
}

} // namespace dinero
