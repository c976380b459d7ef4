#include "web/analisis.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "archive/juego.h"

#include <algorithm>

namespace analisis {

namespace {
const QByteArray kFinPagina = QByteArrayLiteral("-- while");
const QByteArray kInicioFecha = QByteArrayLiteral("do del");
const QByteArray kBloque = QByteArrayLiteral("combi");
const QByteArray kNumero = QByteArrayLiteral("<li> ");
const QByteArray kMarcaQ = QByteArrayLiteral("q\"\">");
const QByteArray kMarcaJoker = QByteArrayLiteral("ero\"\">");
// The date scan stops this many characters before the end mark: the tail of the page holds
// no draw of its own, only the footer.
constexpr qint64 kColaPagina = 3000;

const char *const kMeses[12][2] = {
    {"ENERO", "JANUARY"},   {"FEBRERO", "FEBRUARY"},   {"MARZO", "MARCH"},
    {"ABRIL", "APRIL"},     {"MAYO", "MAY"},           {"JUNIO", "JUNE"},
    {"JULIO", "JULY"},      {"AGOSTO", "AUGUST"},      {"SEPTIEMBRE", "SEPTEMBER"},
    {"OCTUBRE", "OCTOBER"}, {"NOVIEMBRE", "NOVEMBER"}, {"DICIEMBRE", "DECEMBER"}};

// A number field of the record is 16 bits: a bigger value cannot be stored at all.
qint16 entero16(double valor)
{
    if (valor > 32767)
        throw ErrorEjecucion("desbordamiento");
    return static_cast<qint16>(valor);
}

// Whole number of 1 to 4 digits, blanks around it allowed; -1 otherwise.
int cifras(const QByteArray &texto)
{
    const QByteArray t = texto.trimmed();
    if (t.isEmpty() || t.size() > 4)
        return -1;
    int v = 0;
    for (char c : t) {
        if (c < '0' || c > '9')
            return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}
} // namespace

void ordenanumeros(Sorteo &sorteo)
{
    bool marcado[50] = {};
    for (qint16 n : sorteo.numeros) {
        if (n < 1 || n > 49)
            throw ErrorEjecucion("número fuera de 1..49");
        // Two equal numbers would leave the last place holding a stale value.
        if (marcado[n])
            throw ErrorEjecucion("número repetido");
        marcado[n] = true;
    }
    size_t lugar = 0;
    for (qint16 n = 1; n <= 49; ++n)
        if (marcado[n])
            sorteo.numeros[lugar++] = n;
}

int numeroMes(const QByteArray &palabra)
{
    const QByteArray p = mayusculas(palabra);
    for (int m = 0; m < 12; ++m)
        if (p == kMeses[m][0] || p == kMeses[m][1])
            return m + 1;
    return 0;
}

QDate fecha(const QByteArray &dia, int mes, const QByteArray &anio)
{
    const int d = cifras(dia);
    int a = cifras(anio);
    if (d < 0 || a < 0 || dia.trimmed().size() > 2)
        throw ErrorEjecucion("fecha no válida");
    // Two-digit years read the way the date conversion of the system does.
    if (anio.trimmed().size() <= 2)
        a += a < 30 ? 2000 : 1900;
    const QDate f(a, mes, d);
    if (!f.isValid() || a < 100)
        throw ErrorEjecucion("fecha no válida");
    return f;
}

Resultado lee(const QByteArray &datos, double referencia, QString &enlacesorteo)
{
    Resultado r;
    Pagina pagina(datos);
    try {
        pagina.ponPosicion(1);
        pagina.busca(kFinPagina, QByteArrayLiteral("-"), 0);
        const qint64 fin = pagina.posicion();

        pagina.ponPosicion(1);
        std::vector<double> nuevas;
        int mes = 0; // a month word that is not recognised keeps the previous one
        qint64 leido = 0;
        while (leido < fin - kColaPagina) {
            pagina.busca(kInicioFecha, QByteArrayLiteral(";"), 0);
            const QByteArray dia = pagina.busca(QByteArrayLiteral(" "), QByteArrayLiteral(" "), 0);
            const QByteArray palabra =
                pagina.busca(QByteArrayLiteral(" "), QByteArrayLiteral(" "), 0);
            if (const int m = numeroMes(palabra))
                mes = m;
            const QByteArray anio = pagina.busca(QByteArrayLiteral(" "), QByteArrayLiteral("<"), 0);
            const double serial = fechas::serial(fecha(dia, mes, anio));
            // A draw on a day the game is not drawn would be appended and the next download
            // would start after it.
            if (serial > referencia && !juego::esDiaDeSorteo(serial)) {
                r.diaSinSorteo = serial;
                throw ErrorEjecucion("día sin sorteo");
            }
            if (serial >= referencia) {
                if (enlacesorteo.isEmpty()) {
                    const QByteArray resto = pagina.busca(anio + '/', QByteArrayLiteral("\""), 0);
                    enlacesorteo = QString::fromLatin1(anio + '/' + resto);
                }
                if (serial != referencia) {
                    if (static_cast<int>(nuevas.size()) == kMaxFechas)
                        throw ErrorEjecucion("demasiadas fechas nuevas");
                    nuevas.push_back(serial);
                }
            }
            leido = pagina.posicion();
        }

        pagina.ponPosicion(1);
        for (double dia : nuevas) {
            pagina.busca(kBloque, QByteArrayLiteral("<"), 0);
            Sorteo s;
            bool incompleto = false;
            for (qint16 &n : s.numeros) {
                n = entero16(valorNumero(pagina.busca(kNumero, QByteArrayLiteral("<"), 0)));
                incompleto = incompleto || n == 0;
            }
            s.complementario =
                entero16(valorNumero(pagina.busca(kMarcaQ, QByteArrayLiteral("<"), 0)));
            s.reintegro = entero16(valorNumero(pagina.busca(kMarcaQ, QByteArrayLiteral("<"), 0)));
            s.joker = valorNumero(pagina.busca(kMarcaJoker, QByteArrayLiteral("<"), 1));
            // A draw listed before its numbers are published: it and all older ones wait.
            if (incompleto || s.joker == 0 || s.complementario == 0)
                break;
            s.fecha = dia;
            ordenanumeros(s);
            if (!s.esValido())
                throw ErrorEjecucion("sorteo imposible");
            if (static_cast<int>(r.tomados.size()) == kMaxSorteos)
                throw ErrorEjecucion("demasiados sorteos");
            r.tomados.push_back(s);
        }
    } catch (const ErrorEjecucion &e) {
        r.error = true;
        r.motivo = e.what();
    }
    return r;
}

Resultado analizasorteos(const QByteArray &pagina, ArchivoSorteos &archivo, const Sorteo &actual,
                         QString &enlacesorteo)
{
    const double referencia = archivo.vacio() ? actual.fecha : archivo.ultimo().fecha;
    Resultado r = lee(pagina, referencia, enlacesorteo);
    if (r.error || r.tomados.empty())
        return r;
    if (archivo.cuenta() + static_cast<int>(r.tomados.size()) > ArchivoSorteos::kMaximo) {
        r.error = true;
        r.motivo = "archivo lleno";
        return r;
    }
    std::vector<Sorteo> antiguosPrimero(r.tomados.rbegin(), r.tomados.rend());
    r.escritura = archivo.agrega(antiguosPrimero);
    if (r.escritura == Escritura::Hecha) {
        r.agregados = true;
    } else {
        r.error = true;
        r.motivo = "no se pudo escribir el archivo de sorteos";
    }
    return r;
}

bool faltanAntesDe(double ultimo, const QDate &desde)
{
    const QDate dia = fechas::dia(ultimo);
    if (!dia.isValid() || !desde.isValid())
        return false;
    // There is a draw every week: a longer gap always misses one.
    if (dia.daysTo(desde) > 8)
        return true;
    for (QDate d = dia.addDays(1); d < desde; d = d.addDays(1)) {
        const double s = fechas::serial(d);
        if (fechas::bitDia(s) & fechas::diasDeSorteo(s))
            return true;
    }
    return false;
}

QString textoContador(int i)
{
    return i == 1 ? QStringLiteral("1 sorteo") : QStringLiteral("%1 sorteos").arg(i);
}

} // namespace analisis
