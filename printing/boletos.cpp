#include "printing/boletos.h"
#include "archive/fechas.h"
#include "archive/texto.h"

#include <QLocale>

namespace boletos {

namespace {
// The size of a multiple is marked in the row under the grid, below one of the boxes: (block,
// number) for each code 501..506 (7, 8, 5, 9, 10 and 11 numbers).
struct MarcaTamano {
    int numeros;
    int bloque;
    int numero;
};
constexpr MarcaTamano kTamanos[] = {{7, 1, 39}, {8, 2, 9},   {5, 1, 19},
                                    {9, 2, 29}, {10, 2, 49}, {11, 3, 19}};
constexpr double kBajoCasilla = 10; // the size and add-on rows lie this far below a box

Marca marcaBajo(double x0, double y0, int bloque, int numero, Marca::Clase clase)
{
    const Posicion p = casillas(x0, y0, bloque)[static_cast<size_t>(numero)];
    Marca m;
    m.en = {p.x, p.y + kBajoCasilla};
    m.clase = clase;
    return m;
}

QString cabecera(const QString &nombre, int p, int s)
{
    return u("PEÑA ") + nombre + QStringLiteral(" (%1/%2)").arg(p).arg(s);
}

// Marks of the bets of one slip or participation, and its size and add-on marks.
void marcaBoleto(const Pena &pena, const Cuenta &c, int hoja, double x0, double y0, bool adicional,
                 Pagina &pagina)
{
    for (int b = 1; b <= kBloques; ++b) {
        const int apuesta = (hoja - 1) * kBloques + b;
        if (apuesta > c.apuestas)
            break;
        const Casillas celdas = casillas(x0, y0, b);
        for (int pos = 1; pos <= c.numeros; ++pos) {
            const int n = pena.numero(apuesta, pos);
            // A number outside the grid (a damaged record) has no box to mark.
            if (n < 1 || n > 49)
                continue;
            Marca m;
            m.en = celdas[static_cast<size_t>(n)];
            m.apuesta = apuesta;
            m.numero = n;
            pagina.marcas.push_back(m);
        }
    }
    if (c.multiple)
        for (const MarcaTamano &t : kTamanos)
            if (t.numeros == c.numeros)
                pagina.marcas.push_back(
                    marcaBajo(x0, y0, t.bloque, t.numero, Marca::Clase::Tamano));
    if (adicional)
        pagina.marcas.push_back(marcaBajo(x0, y0, kBloques, 9, Marca::Clase::Adicional));
    pagina.rejillas.push_back({x0, y0});
}

} // namespace

Casillas casillas(double x0, double y0, int bloque)
{
    static constexpr double kColumna[5] = {0, 3.8, 7.6, 11.4, 15.2};
    Casillas c{};
    const double xb = x0 + kAnchoBloque * (bloque - 1);
    for (int n = 1; n <= 49; ++n)
        c[static_cast<size_t>(n)] = {xb + kColumna[n / 10], y0 + kFila * (n % 10)};
    return c;
}

Cuenta cuenta(const Pena &pena)
{
    Cuenta c;
    if (pena.tipo >= 1 && pena.tipo <= Pena::kApuestas) {
        c.apuestas = pena.tipo;
        c.numeros = 6;
        c.boletos = (c.apuestas + kBloques - 1) / kBloques;
    } else if (pena.tipo >= 501 && pena.tipo <= 506) {
        static constexpr int kNumeros[] = {7, 8, 5, 9, 10, 11};
        c.apuestas = 1;
        c.numeros = kNumeros[pena.tipo - 501];
        c.boletos = 1;
        c.multiple = true;
    }
    return c;
}

Marco marcoparticipacion(int p, const QString &dias, double marcaLunes)
{
    Marco m;
    m.t = p % 2 == 1 ? 0 : kAltoParticipacion;
    const double t = m.t;
    m.origen = {kOrigenNormalX, t + kOrigenNormalY};
    m.rectangulos = {
        {20, t + 20, 160.5, 104, false},
        {23.8, t + 117.3, 2.5, 3, true},
        {174.5, t + 117.3, 2.5, 3, true},
        {22.5, t + 44, 1, 4, true},
    };
    // The draw-day marks sit on the slip's day boxes: both days, or the single day's pair.
    const int juega = diasjuego::mascara(dias);
    const int juevesSabado = fechas::kJueves | fechas::kSabado;
    // Days no option stores mark as a single day, as they always did.
    if ((juega & juevesSabado) != 0 || juega == 0) {
        const bool ambos = (juega & juevesSabado) == juevesSabado;
        const double y1 = ambos ? 56 : 62;
        const double y2 = ambos ? 86 : 74;
        m.rectangulos.push_back({22.5, t + y1, 1, 4, true});
        m.rectangulos.push_back({22.5, t + y2, 1, 4, true});
    }
    if (juega & fechas::kLunes)
        m.rectangulos.push_back({22.5, t + marcaLunes, 1, 4, true});
    return m;
}

std::vector<Pagina> imprimeboletos(const Pena &pena, const Opciones &o)
{
    std::vector<Pagina> paginas;
    const Cuenta c = cuenta(pena);
    if (c.apuestas == 0)
        return paginas;
    const QString nombre = pena.nombreTexto().trimmed();
    const QString dias = pena.diasTexto().trimmed();
    for (int p = 1; p <= c.boletos; ++p) {
        // Official slips take one sheet each; participations go two to a sheet.
        if (!o.papelNormal || p % 2 == 1)
            paginas.emplace_back();
        Pagina &pagina = paginas.back();
        pagina.rejillaImpresa = o.papelNormal;
        if (o.papelNormal) {
            const Marco marco = marcoparticipacion(p, dias, o.marcaLunes);
            const double t = marco.t;
            pagina.rectangulos.insert(pagina.rectangulos.end(), marco.rectangulos.begin(),
                                      marco.rectangulos.end());
            marcaBoleto(pena, c, p, marco.origen.x, marco.origen.y, o.adicional, pagina);
            pagina.textos.push_back({{32, t + 37}, cabecera(nombre, p, c.boletos), kLetra});
            pagina.textos.push_back({{110, t + 97}, u("Participación para: "), kLetra});
            pagina.textos.push_back(
                {{110, t + 102}, diasjuego::enPalabras(dias).toUpper(), kLetra});
            pagina.textos.push_back({{72.5, t + 25}, o.aviso.toUpper(), kLetraTitulo});
        } else {
            marcaBoleto(pena, c, p, o.desplazaX, o.desplazaY, o.adicional, pagina);
            pagina.textos.push_back(
                {{o.desplazaX + 5, o.desplazaY - 7},
                 cabecera(nombre, p, c.boletos) + QStringLiteral("     ") + o.aviso,
                 kLetra});
        }
    }
    return paginas;
}

Pagina pruebaajuste(double desplazaX, double desplazaY, const QString &aviso)
{
    Pagina pagina;
    for (int b = 1; b <= kBloques; ++b) {
        const Casillas celdas = casillas(desplazaX, desplazaY, b);
        for (int n = 1; n <= 49; ++n) {
            Marca m;
            m.en = celdas[static_cast<size_t>(n)];
            m.numero = n;
            pagina.marcas.push_back(m);
        }
    }
    for (const MarcaTamano &t : kTamanos)
        pagina.marcas.push_back(
            marcaBajo(desplazaX, desplazaY, t.bloque, t.numero, Marca::Clase::Tamano));
    pagina.marcas.push_back(marcaBajo(desplazaX, desplazaY, kBloques, 9, Marca::Clase::Adicional));
    pagina.rejillas.push_back({desplazaX, desplazaY});
    QLocale numeros = QLocale();
    numeros.setNumberOptions(QLocale::OmitGroupSeparator);
    pagina.textos.push_back({{desplazaX + 5, desplazaY - 7},
                             u("PRUEBA DE AJUSTE  X = ") + numeros.toString(desplazaX, 'g', 6) +
                                 u(" mm  Y = ") + numeros.toString(desplazaY, 'g', 6) +
                                 u(" mm     ") + aviso,
                             kLetra});
    return pagina;
}

} // namespace boletos
