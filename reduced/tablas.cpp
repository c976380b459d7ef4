#include "reduced/tablas.h"
#include "archive/escritura.h"
#include "archive/registro.h"
#include "archive/texto.h"

#include <algorithm>
#include <cmath>

namespace {
std::vector<QByteArrayView> lineas(const QByteArray &contenido)
{
    std::vector<QByteArrayView> salida;
    qsizetype inicio = 0;
    const qsizetype total = contenido.size();
    while (inicio < total) {
        qsizetype fin = contenido.indexOf('\n', inicio);
        if (fin < 0)
            fin = total;
        qsizetype largo = fin - inicio;
        if (largo > 0 && contenido.at(inicio + largo - 1) == '\r')
            --largo;
        salida.emplace_back(contenido.constData() + inicio, largo);
        inicio = fin + 1;
    }
    return salida;
}

bool esDigito(char c)
{
    return c >= '0' && c <= '9';
}

// A two-character bet field: "07", " 7" or "7 ". -1 when it is not a number.
int campo(char a, char b)
{
    if (esDigito(a) && esDigito(b))
        return (a - '0') * 10 + (b - '0');
    if (a == ' ' && esDigito(b))
        return b - '0';
    if (esDigito(a) && b == ' ')
        return a - '0';
    return -1;
}

// Whether the line has the shape of a bet line (six numeric two-character fields). A line of
// another shape where a bet was expected means the table is shorter than it claims.
bool pareceApuesta(QByteArrayView linea, std::array<int, 6> &indices)
{
    if (linea.size() < 12)
        return false;
    for (int i = 0; i < 6; ++i) {
        const int v = campo(linea[2 * i], linea[2 * i + 1]);
        if (v < 0)
            return false;
        indices[static_cast<size_t>(i)] = v;
    }
    return true;
}

bool apuestaValida(const std::array<int, 6> &indices, int n)
{
    for (size_t i = 0; i < 6; ++i) {
        if (indices[i] < 1 || indices[i] > n)
            return false;
        for (size_t j = 0; j < i; ++j)
            if (indices[j] == indices[i])
                return false; // a bet with a repeated number is no bet
    }
    return true;
}

} // namespace

int Tablas::minimo() const
{
    int m = 0;
    for (const TablaReducida &t : tablas)
        if (m == 0 || t.n < m)
            m = t.n;
    return m;
}

int Tablas::maximo() const
{
    int m = 0;
    for (const TablaReducida &t : tablas)
        m = std::max(m, t.n);
    return m;
}

namespace reducidas {

int numeroInicial(QByteArrayView linea)
{
    qsizetype i = 0;
    while (i < linea.size() && (linea[i] == ' ' || linea[i] == '\t'))
        ++i;
    int valor = 0;
    for (; i < linea.size() && esDigito(linea[i]); ++i)
        if (valor < 100000000)
            valor = valor * 10 + (linea[i] - '0');
    return valor;
}

Tablas interpreta(const QByteArray &contenido)
{
    Tablas resultado;
    resultado.leido = true;
    const std::vector<QByteArrayView> ls = lineas(contenido);
    const size_t total = ls.size();
    // Each table with a sound header that is then refused counts once; a stretch of lines
    // passed over while looking for the next header counts once as a whole.
    bool enFallo = false;
    auto rechaza = [&] {
        if (!enFallo)
            ++resultado.rechazadas;
        enFallo = true;
    };

    size_t i = 0;
    while (i < total) {
        if (ls[i].trimmed().isEmpty()) {
            ++i; // blank lines between tables carry nothing
            continue;
        }
        if (i + 2 >= total) {
            rechaza(); // a header cut short by the end of the file
            break;
        }
        const int n = numeroInicial(ls[i]);
        const int g = numeroInicial(ls[i + 1]);
        const int k = numeroInicial(ls[i + 2]);
        // Six distinct indexes need N >= 6; G is a count of hits, K fits the record.
        if (n < 6 || n > kMaxN || g > 6 || k < 1 || k > kMaxK) {
            // No way to know how long this table is: look for the next header line by line.
            rechaza();
            ++i;
            continue;
        }
        enFallo = false; // a table with a sound header is judged on its own
        TablaReducida tabla;
        tabla.n = n;
        tabla.g = g;
        tabla.lineaG = registro::desde1252(ls[i + 1].toByteArray());
        tabla.k = k;
        tabla.apuestas.reserve(static_cast<size_t>(k));
        bool buena = true;
        bool corta = false;
        size_t j = i + 3;
        for (int e = 0; e < k; ++e, ++j) {
            std::array<int, 6> indices{};
            if (j >= total || !pareceApuesta(ls[j], indices)) {
                corta = true;
                break;
            }
            if (!apuestaValida(indices, n))
                buena = false;
            tabla.apuestas.push_back(indices);
        }
        if (corta) {
            // Fewer bet lines than K: the line that broke the table may start the next one.
            rechaza();
            i = j;
            continue;
        }
        i = j;
        if (!buena) {
            rechaza();
            continue;
        }
        resultado.tablas.push_back(std::move(tabla));
    }
    return resultado;
}

Tablas lee(const QString &ruta)
{
    QByteArray contenido;
    if (!archivos::lee(ruta, kMaxBytes, contenido))
        return {};
    return interpreta(contenido);
}

QString entrada(const TablaReducida &tabla)
{
    return QString::number(tabla.n) + u(" números al ") + QString::number(tabla.g) +
           QStringLiteral(", ") + cantidad(tabla.k, "apuesta", "apuestas") + QLatin1Char('.');
}

Listado listatablas(const Tablas &tablas, int n)
{
    Listado l;
    for (size_t ordinal = 0; ordinal < tablas.tablas.size(); ++ordinal) {
        const TablaReducida &t = tablas.tablas[ordinal];
        if (t.n != n)
            continue;
        l.indicetablas.push_back(static_cast<int>(ordinal));
        l.entradas.append(entrada(t));
    }
    l.hayTablas = !l.indicetablas.empty();
    l.textoCombo = l.hayTablas ? u("Tablas disponibles")
                               : u("No hay tablas reducidas de ") + QString::number(n) + u(" nºs.");
    if (tablas.vacio())
        l.rango = u("El archivo de tablas reducidas no es válido.");
    else
        l.rango = u("(Para crear reducidas, se han de elegir entre ") +
                  QString::number(tablas.minimo()) + u(" y ") + QString::number(tablas.maximo()) +
                  u(" números)");
    return l;
}

double Factorial(int n)
{
    double f = 1;
    for (int i = 2; i <= n; ++i)
        f *= i;
    return f;
}

double combinaciones6(int n)
{
    if (n < 6)
        return 0; // no six-number bet can be made
    return Factorial(n) / (Factorial(n - 6) * Factorial(6));
}

Cifras cifras(const TablaReducida &tabla, const QLocale &locale)
{
    Cifras c;
    const double total = combinaciones6(tabla.n);
    const QString totalTexto = QString::number(static_cast<qint64>(std::llround(total)));
    c.titulo = u("Si entre los ") + QString::number(tabla.n) +
               u(" números seleccionados, se encuentran los 6 ganadores:");
    // What a table guarantees is a number of hits ("5 aciertos"), not of bets; a line that is
    // a bare number says so.
    const QString g = tabla.lineaG.trimmed();
    bool numero = false;
    const int aciertos = g.toInt(&numero);
    c.garantia = (numero ? cantidad(aciertos, "acierto", "aciertos") : g) + QLatin1Char('.');
    // The chance is kept in single precision, as the figure has always been shown.
    const float p = total > 0 ? static_cast<float>(100.0 * tabla.k / total) : 0.0f;
    c.posibilidad = locale.toString(static_cast<double>(p), 'f', 2) + QStringLiteral("%");
    c.sinReducir =
        u("Jugar a ") + QString::number(tabla.n) + u(" números sin reducir, tendría que rellenar:");
    c.apuestasTotal = totalTexto + u(" apuestas.");
    return c;
}

} // namespace reducidas
