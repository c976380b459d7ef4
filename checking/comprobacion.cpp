#include "checking/comprobacion.h"
#include "archive/fechas.h"
#include "checking/premiomultiple.h"
#include "syndicates/archivopenas.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <optional>

namespace comprobacion {

namespace {

constexpr quint64 bit(int numero)
{
    return quint64(1) << numero;
}

// A draw ready for counting: one bit per number 1..49.
struct SorteoListo {
    quint64 ganadores = 0;
    quint64 complementario = 0;
    int dia = 0; // fechas::bitDia of its date; 0 = no real date
    bool valido = false;
};

SorteoListo prepara(const Sorteo &s)
{
    SorteoListo l;
    l.dia = fechas::bitDia(s.fecha);
    // A complementary outside 1..49 or equal to a winning number makes the record unreliable:
    // the five-plus-complementary test would count a prize that was never drawn.
    l.ganadores = s.ganadores();
    l.complementario = s.bitComplementario();
    l.valido = l.ganadores != 0 && l.complementario != 0;
    if (!l.valido)
        l.ganadores = l.complementario = 0;
    return l;
}

enum class Clase { Invalida, Sencilla, Multiple };

struct PenaLista {
    Clase clase = Clase::Invalida;
    int dias = 0;
    bool elegida = false;
    int validas = 0;               // bets that can be checked
    std::vector<quint64> apuestas; // simple/reduced: one mask a bet, 0 = not checkable
    quint64 multiple = 0;          // multiple: its numbers
    int numeros = 0;               // multiple: how many
    double contado = 0;            // counted-up-to date as read, for the gating
};

PenaLista prepara(const Pena &p, const QString &seleccion)
{
    PenaLista l;
    if (p.tipo >= 1 && p.tipo <= Pena::kApuestas) {
        l.clase = Clase::Sencilla;
        l.apuestas.resize(static_cast<size_t>(p.tipo));
        for (int k = 1; k <= p.tipo; ++k) {
            l.apuestas[static_cast<size_t>(k - 1)] = p.mascara(k, 6);
            l.validas += l.apuestas[static_cast<size_t>(k - 1)] != 0;
        }
    } else if (p.tipo >= 501 && p.tipo <= 506) {
        l.numeros = cuantos(p.tipo);
        l.multiple = p.mascara(1, l.numeros);
        if (l.multiple != 0)
            l.clase = Clase::Multiple;
    }
    // Any other count (206..500, 507 and above, negative) is a damaged record: it is left
    // alone, neither shown nor counted.
    l.dias = diasjuego::mascara(p.diasTexto());
    l.elegida = seleccion.isNull() || p.nombreTexto() == seleccion;
    l.contado = std::isfinite(p.contado) ? p.contado : 0;
    return l;
}

} // namespace

struct Bloques::Indice {
    // A syndicate of the list: what its blocks are made from.
    struct Suya {
        quint16 pena = 0; // index in the listing's syndicates
        int dias = 0;
        double creacion = 0;
        quint32 desde = 0;    // simple: its first bet in `mascaras`
        quint16 cuantas = 0;  // simple: its bets there
        quint16 validas = 0;  // simple: its bets that can be checked
        quint64 multiple = 0; // multiple: its numbers
        int numeros = 0;      // multiple: how many
        qint16 tipo = 0;
    };
    // A draw of the list with blocks: its first row and block and how many blocks it has.
    struct Tramo {
        quint32 fila = 0;
        quint32 bloque = 0;
        quint32 bloques = 0;
        quint16 sorteo = 0;
    };

    std::shared_ptr<const std::vector<Sorteo>> sorteos;
    bool multiples = false;
    bool soloPremios = false;
    bool historico = false;
    std::vector<Suya> suyas;
    std::vector<quint64> mascaras; // the bets of the simple ones, one after the other
    // Simple syndicates, by syndicate: the bets (0-based) that can be checked, which are the
    // bet rows of each of its blocks (unless only the bets with a prize are shown).
    std::vector<std::vector<quint8>> validas;
    std::vector<Tramo> tramos;
    quint32 filas = 0;
    size_t bloques = 0;
    bool imprime = false;

    // The blocks of the last draw asked for, and the bets with a prize of its simple blocks: a
    // view asks for the rows of a screen, a printed listing goes from block to block, and both
    // stay long within one draw.
    mutable size_t enCache = std::numeric_limits<size_t>::max();
    mutable std::vector<Bloque> cache;
    mutable std::vector<quint8> premiadasCache;

    // The blocks of draw `tramo`, made again.
    const std::vector<Bloque> &deTramo(size_t tramo) const;
    // The draw (of those with blocks) holding row `fila`, or block `bloque`.
    size_t tramoDeFila(quint32 fila) const;
    size_t tramoDeBloque(size_t bloque) const;
};

namespace {

using Suya = Bloques::Indice::Suya;

// A multiple's block in a draw: its hits, its first message and its rows. True when it won.
bool bloqueMultiple(const Suya &u, const SorteoListo &d, bool complementario, Bloque &b)
{
    const int aciertos = juego::aciertos(u.multiple, d.ganadores);
    b.aciertos = quint8(aciertos);
    b.filas = 4;
    const bool premio = aciertos >= 3 || (u.numeros == 5 && aciertos == 2);
    if (premio)
        if (const premios::FilaPremio *t =
                premios::premiomultiple(u.tipo, aciertos, complementario))
            // The first message goes on the bet's row, each further one on its own.
            if (!t->mensajes.empty()) {
                b.mensaje = quint8(t->primerMensaje);
                b.filas = quint16(3 + t->mensajes.size());
            }
    return premio;
}

bool aplica(const SorteoListo &s, double fecha, const Pena &p, const PenaLista &l, bool historico)
{
    return diasjuego::juegaSorteo(l.dias, p.creacion, s.dia, fecha, historico);
}

// A prize counts once: only draws newer than the counted-up-to date and held after creation.
bool cuenta(double fecha, const Pena &p, const PenaLista &l)
{
    return fecha > l.contado && juego::despuesDe(fecha, p.creacion);
}

// Draws older than this can never reach a syndicate's counters: they are not after its
// counted-up-to date, or their day ends before its creation.
double limiteCuenta(const Pena &p, const PenaLista &l)
{
    return std::isfinite(p.creacion) ? std::max(l.contado, p.creacion - 1) : l.contado;
}

// After the counting: the counted-up-to date moves to the newest draw. It never goes back (a
// draw deleted and downloaded again must not count twice), unless what is stored cannot be
// a real date: not a number, or more than a year after the newest draw of the archive. The
// clock plays no part: a clock set back must not make real dates look damaged.
bool avanzaContado(Pena &p, double masNuevo)
{
    if (!std::isfinite(masNuevo) || masNuevo <= 0)
        return false;
    const bool danado = !std::isfinite(p.contado) || p.contado > masNuevo + 366;
    if (p.contado == masNuevo || (!(p.contado < masNuevo) && !danado))
        return false;
    p.contado = masNuevo;
    return true;
}

QString lineaNumeros(const Pena &p, int apuesta, int cuantos)
{
    QString linea;
    for (int q = 1; q <= cuantos; ++q) {
        const int x = p.numero(apuesta, q);
        if (x <= 9)
            linea += QStringLiteral("  ");
        linea += QStringLiteral("  ") + QString::number(x);
    }
    return linea;
}

// The numbers of a bet that are among the draw's six, a bit each, as the list paints them red.
quint16 acertados(const Pena &p, int apuesta, int cuantos, const Sorteo &s)
{
    quint16 bits = 0;
    for (int q = 0; q < std::min(cuantos, 16); ++q)
        if (s.contiene(p.numero(apuesta, q + 1)))
            bits |= quint16(1u << q);
    return bits;
}

// Keeps what the printing rule needs between groups of rows, and hands its lines to `lineas`.
// Without texts it still makes every line, with its kind, position and size, but no words.
class Impresora {
public:
    Impresora(std::vector<LineaImpresion> &lineas, bool impreso, double tamano, bool conTexto)
        : lineas_(lineas), impreso_(impreso), tamano_(tamano > 0 ? tamano : kLetraListado),
          conTexto_(conTexto)
    {
    }
    bool impreso() const { return impreso_; }
    double tamano() const { return tamano_; }

    void texto(double x, double tamano, bool negrita, const QString &t)
    {
        tamano_ = tamano;
        lineas_.push_back({LineaImpresion::Tipo::Texto, x, tamano, negrita, t});
    }
    void texto(double x, const QString &t) { texto(x, tamano_, false, t); }
    void apuesta(double x, const QString &t, int numeros, quint16 acertados)
    {
        texto(x, t);
        lineas_.back().numeros = quint8(numeros);
        lineas_.back().acertados = acertados;
    }
    void vacia() { lineas_.push_back({LineaImpresion::Tipo::Vacia, 0, tamano_, false, {}}); }
    void nuevaPagina() { lineas_.push_back({LineaImpresion::Tipo::NuevaPagina, 0, 0, false, {}}); }

    void sorteo(const Sorteo &s)
    {
        impreso_ = true;
        vacia();
        texto(20, 18, false,
              conTexto_ ? QStringLiteral("Sorteo del ") + fechas::textoCorto(s.fecha) +
                              QStringLiteral("  ") + textoSorteo(s)
                        : QString());
        tamano_ = kLetraListado;
    }

    QString cabeceraPena(const Pena &p) const
    {
        return conTexto_ ? QString::fromUtf8("PEÑA ") + p.nombreTexto() : QString();
    }

    // Simple and reduced syndicates: headings before a bet of another syndicate or draw.
    void apuestaSencilla(int i, int j, const Sorteo &s, const Pena &p, const QString &linea,
                         quint16 aciertos)
    {
        if (j != ultimaPena_ || i != ultimoSorteo_) {
            if (i != ultimoSorteo_) {
                if (!titulo_) {
                    texto(50, 22, true, QString::fromUtf8("PEÑAS SENCILLAS / REDUCIDAS"));
                    titulo_ = true;
                }
                sorteo(s);
                ultimoSorteo_ = i;
            }
            vacia();
            texto(30, cabeceraPena(p));
            ultimaPena_ = j;
        }
        apuesta(30, linea, 6, aciertos);
    }

    // Multiple syndicates: the title on a page of its own when simple ones came first.
    void multiple(int i, const Sorteo &s, const Pena &p, const QString &linea, quint16 aciertos,
                  const QStringList &mensajes, int cuantosMensajes)
    {
        if (i != ultimoSorteo_) {
            if (!titulo_ && impreso_)
                nuevaPagina();
            if (!titulo_) {
                texto(70, 22, true, QString::fromUtf8("PEÑAS MÚLTIPLES"));
                titulo_ = true;
            }
            sorteo(s);
            ultimoSorteo_ = i;
        }
        vacia();
        texto(30, cabeceraPena(p));
        apuesta(30, conTexto_ ? linea + QStringLiteral("  ") + mensajes.value(0) : QString(),
                std::clamp(int(::cuantos(p.tipo)), 0, 11), aciertos);
        for (int m = 1; m < cuantosMensajes; ++m)
            texto(83.3, mensajes.value(m));
    }

private:
    std::vector<LineaImpresion> &lineas_;
    bool impreso_;
    double tamano_;
    bool conTexto_;
    bool titulo_ = false;
    int ultimaPena_ = -1;
    int ultimoSorteo_ = -1;
};

// What both passes share: the window, the prepared draws and syndicates, the result.
struct Contexto {
    Pasada pasada;
    std::shared_ptr<Listado> listado = std::make_shared<Listado>();
    std::shared_ptr<std::vector<Pena>> penas;
    std::vector<PenaLista> listas;
    std::vector<SorteoListo> listos;
    int primero = 0; // archive index of the oldest draw of the window
    int n = 0;
    size_t filas = 0; // rows of the list so far
    bool lleno = false;

    std::shared_ptr<Bloques::Indice> indice = std::make_shared<Bloques::Indice>();
    Bloques::Indice::Tramo tramo; // the draw being listed

    Contexto(const std::vector<Sorteo> &sorteos, const std::vector<Pena> &entrada,
             const Opciones &o, bool multiples)
        : penas(std::make_shared<std::vector<Pena>>(entrada))
    {
        const int total = static_cast<int>(sorteos.size());
        n = std::clamp(o.n, 0, std::min(total, 65535));
        primero = total - n;
        listado->multiples = multiples;
        listado->soloPremios = o.soloPremios;
        listado->sorteos =
            std::make_shared<const std::vector<Sorteo>>(sorteos.begin() + primero, sorteos.end());
        listos.reserve(static_cast<size_t>(n));
        for (const Sorteo &s : *listado->sorteos)
            listos.push_back(prepara(s));
        // Row indexes are 16-bit: later syndicates of a huge file are left out of the lists.
        const size_t cuantas = std::min<size_t>(penas->size(), 65535);
        listas.reserve(cuantas);
        for (size_t j = 0; j < cuantas; ++j)
            listas.push_back(prepara((*penas)[j], o.seleccion));
        pasada.avisopremio = o.avisopremio;

        // The syndicates this list shows, their bets side by side.
        Bloques::Indice &x = *indice;
        x.sorteos = listado->sorteos;
        x.multiples = multiples;
        x.soloPremios = o.soloPremios;
        x.historico = o.historico;
        const Clase clase = multiples ? Clase::Multiple : Clase::Sencilla;
        size_t bets = 0;
        for (const PenaLista &l : listas)
            if (l.clase == clase && l.elegida)
                bets += l.apuestas.size();
        x.mascaras.reserve(bets);
        if (!multiples)
            x.validas.resize(listas.size());
        for (size_t j = 0; j < listas.size(); ++j) {
            const PenaLista &l = listas[j];
            if (!multiples)
                for (size_t k = 0; k < l.apuestas.size(); ++k)
                    if (l.apuestas[k] != 0)
                        x.validas[j].push_back(quint8(k));
            if (l.clase != clase || !l.elegida)
                continue;
            Suya u;
            u.pena = quint16(j);
            u.dias = l.dias;
            u.creacion = (*penas)[j].creacion;
            u.desde = quint32(x.mascaras.size());
            u.cuantas = quint16(l.apuestas.size());
            u.validas = quint16(l.validas);
            u.multiple = l.multiple;
            u.numeros = l.numeros;
            u.tipo = (*penas)[j].tipo;
            x.mascaras.insert(x.mascaras.end(), l.apuestas.begin(), l.apuestas.end());
            x.suyas.push_back(u);
        }
    }

    bool juega(const Suya &u, const SorteoListo &d, double fecha) const
    {
        return d.valido &&
               diasjuego::juegaSorteo(u.dias, u.creacion, d.dia, fecha, indice->historico);
    }

    // Draw by draw, newest first: where the blocks of draw `w` start...
    void empiezaSorteo(int w) { tramo = {quint32(filas), quint32(indice->bloques), 0, quint16(w)}; }
    // ...and, once they are all made, the draw kept when it has any.
    void acabaSorteo()
    {
        if (tramo.bloques > 0)
            indice->tramos.push_back(tramo);
    }

    // Whether a group of this many rows still fits in a list.
    bool cabe(size_t cuantas)
    {
        if (!lleno && filas + cuantas <= kMaximoFilas)
            return true;
        lleno = true;
        listado->incompleto = true;
        return false;
    }

    void anade(quint16 filasBloque)
    {
        ++tramo.bloques;
        ++indice->bloques;
        indice->imprime |= filasBloque > 3;
        filas += filasBloque;
    }

    // The counters of this pass's syndicates: every draw of the archive after a syndicate's
    // counted-up-to date and held after its creation, whatever the window shows. Draws that
    // came many at once (an import, a download after weeks, a start after a crash between
    // the archive and the counters) are all counted, each once; then the counted-up-to date
    // moves to the newest draw, in the same record as the counters it covers.
    void cuentaPendientes(const std::vector<Sorteo> &todos, Clase clase)
    {
        std::vector<size_t> suyas;
        suyas.reserve(listas.size());
        double desde = std::numeric_limits<double>::infinity();
        double masNuevo = -std::numeric_limits<double>::infinity();
        for (const Sorteo &s : todos)
            if (std::isfinite(s.fecha))
                masNuevo = std::max(masNuevo, s.fecha);
        for (size_t j = 0; j < listas.size(); ++j)
            if (listas[j].clase == clase && listas[j].elegida) {
                suyas.push_back(j);
                desde = std::min(desde, limiteCuenta((*penas)[j], listas[j]));
            }
        if (suyas.empty() || !std::isfinite(masNuevo))
            return;
        // Only the draws some syndicate still lacks are prepared: with every counter up to
        // date, as after any ordinary pass, there are none.
        std::vector<SorteoListo> pendientes;
        std::vector<double> fechas;
        for (const Sorteo &s : todos) {
            if (!(s.fecha > desde))
                continue;
            SorteoListo d = prepara(s);
            if (!d.valido)
                continue;
            pendientes.push_back(d);
            fechas.push_back(s.fecha);
        }
        for (size_t j : suyas) {
            const PenaLista &l = listas[j];
            Pena &p = (*penas)[j];
            const double limite = limiteCuenta(p, l);
            std::array<int, 8> ganados{};
            std::array<int, juego::kCategorias> porCategoria{};
            for (size_t i = 0; i < pendientes.size(); ++i) {
                const SorteoListo &d = pendientes[i];
                const double fecha = fechas[i];
                if (!(fecha > limite) || !aplica(d, fecha, p, l, false) || !cuenta(fecha, p, l))
                    continue;
                if (clase == Clase::Sencilla) {
                    juego::clasifica(l.apuestas.data(), l.apuestas.size(), d.ganadores,
                                     d.complementario, false, porCategoria.data());
                    continue;
                }
                const int acertados = juego::aciertos(l.multiple, d.ganadores);
                if (acertados < 3 && !(l.numeros == 5 && acertados == 2))
                    continue;
                // The table's counts are by the counters of apuestas.dat, 3..7.
                if (const premios::FilaPremio *t = premios::premiomultiple(
                        p.tipo, acertados, (l.multiple & d.complementario) != 0))
                    for (size_t k = 0; k < 5; ++k)
                        ganados[3 + k] += t->cuentas[k];
            }
            for (int c = 0; c < juego::kCategorias; ++c)
                ganados[size_t(juego::contador(juego::Categoria(c)))] += porCategoria[size_t(c)];
            for (int k = 3; k <= 7; ++k)
                if (ganados[size_t(k)] != 0)
                    suma(p, k, ganados[size_t(k)]);
            if (avanzaContado(p, masNuevo))
                pasada.penasCambiadas = true;
        }
    }

    void cierra()
    {
        indice->tramos.shrink_to_fit();
        indice->filas = quint32(filas);
        listado->bloques.indice = indice;
        listado->penas = penas;
        pasada.penas = penas;
        pasada.listado = listado;
    }

    void suma(Pena &p, int categoria, int cuanto)
    {
        const qint16 antes = p.premio(categoria);
        comprobacion::suma(p.premio(categoria), cuanto);
        pasada.penasCambiadas |= p.premio(categoria) != antes;
    }
};

// The winning numbers and the complementary of a draw as bit masks, for a row made on demand.
struct Mascaras {
    quint64 ganadores = 0;
    quint64 complementario = 0;
};

Mascaras mascaras(const Sorteo &s)
{
    Mascaras m;
    for (qint16 n : s.numeros)
        if (n >= 1 && n <= 49)
            m.ganadores |= bit(n);
    if (s.complementario >= 1 && s.complementario <= 49)
        m.complementario = bit(s.complementario);
    return m;
}

} // namespace

BOLARIUM_CUENTA_BITS
void cuentaAciertos(const quint64 *apuestas, size_t cuantas, quint64 ganadores, quint8 *aciertos)
{
    for (size_t k = 0; k < cuantas; ++k)
        aciertos[k] = static_cast<quint8>(std::popcount(apuestas[k] & ganadores));
}

BOLARIUM_CUENTA_BITS
size_t premiadas(const quint64 *apuestas, size_t cuantas, quint64 ganadores, quint8 *cuales)
{
    size_t n = 0;
    if (!cuales) {
        for (size_t k = 0; k < cuantas; ++k)
            n += std::popcount(apuestas[k] & ganadores) >= 3;
        return n;
    }
    // Every index is written, and the next one goes over it unless this bet won.
    for (size_t k = 0; k < cuantas; ++k) {
        cuales[n] = quint8(k);
        n += std::popcount(apuestas[k] & ganadores) >= 3;
    }
    return n;
}

void suma(qint16 &contador, int cuanto)
{
    const int valor = int(contador) + cuanto;
    contador = static_cast<qint16>(std::clamp(valor, int(std::numeric_limits<qint16>::min()),
                                              int(std::numeric_limits<qint16>::max())));
}

QString textoSorteo(const Sorteo &s)
{
    QStringList numeros;
    for (qint16 n : s.numeros)
        numeros.append(QString::number(n));
    return numeros.join(QLatin1Char('-')) + QStringLiteral("  C:") +
           QString::number(s.complementario) + QStringLiteral("  R:") +
           QString::number(s.reintegro);
}

QString cabeceraSorteo(const Sorteo &s)
{
    return fechas::textoCorto(s.fecha) + QLatin1Char(' ') + diasemana(s.fecha);
}

Pasada comprueba(const std::vector<Sorteo> &sorteos, const std::vector<Pena> &penas,
                 const Opciones &o, const Progreso &progreso)
{
    Contexto c(sorteos, penas, o, false);
    Pasada &r = c.pasada;
    const Bloques::Indice &x = *c.indice;
    bool avisoActivo = o.avisoActivo;
    if (c.n > 0) {
        r.hayMultiples = std::any_of(c.listas.begin(), c.listas.end(),
                                     [](const PenaLista &l) { return l.clase == Clase::Multiple; });
        r.seleccionEncontrada = !o.seleccion.isNull() && !x.suyas.empty();
    }

    for (int w = c.n - 1, hechos = 1; w >= 0; --w, ++hechos) {
        const double fecha = (*c.listado->sorteos)[size_t(w)].fecha;
        const SorteoListo &d = c.listos[size_t(w)];
        bool premioSorteo = false;
        c.empiezaSorteo(w);
        for (const Suya &u : x.suyas) {
            if (!c.juega(u, d, fecha))
                continue;
            const bool conFilas = c.cabe(3 + size_t(u.validas));
            // The window's hits matter only for the filter and for the alert (the counters
            // were made over the whole archive); a draw shown with all its bets needs none.
            size_t conPremio = 0;
            if (o.soloPremios || (o.avisoDescarga && !avisoActivo))
                conPremio = premiadas(x.mascaras.data() + u.desde, u.cuantas, d.ganadores);
            const bool premioPena = conPremio > 0;
            if (conFilas && o.soloPremios) {
                if (premioPena)
                    c.anade(quint16(3 + conPremio));
            } else if (conFilas) {
                c.anade(quint16(3 + u.validas));
            }
            premioSorteo |= premioPena;
            if (premioSorteo && o.avisoDescarga && !avisoActivo) {
                r.avisopremio = 1;
                r.arrancaAviso = true;
                avisoActivo = true;
            }
        }
        c.acabaSorteo();
        if (progreso)
            progreso(hechos);
    }
    c.cuentaPendientes(sorteos, Clase::Sencilla);
    c.cierra();
    return std::move(c.pasada);
}

Pasada compruebamultiples(const std::vector<Sorteo> &sorteos, const std::vector<Pena> &penas,
                          const Opciones &o, const Progreso &progreso)
{
    Contexto c(sorteos, penas, o, true);
    Pasada &r = c.pasada;
    const Bloques::Indice &x = *c.indice;
    if (c.n > 0 && !x.suyas.empty()) {
        r.hayMultiples = true;
        r.seleccionEncontrada = !o.seleccion.isNull();
    }

    for (int w = c.n - 1, hechos = 1; w >= 0; --w, ++hechos) {
        const double fecha = (*c.listado->sorteos)[size_t(w)].fecha;
        const SorteoListo &d = c.listos[size_t(w)];
        c.empiezaSorteo(w);
        for (const Suya &u : x.suyas) {
            if (!c.juega(u, d, fecha))
                continue;
            Bloque b;
            const bool premio = bloqueMultiple(u, d, (u.multiple & d.complementario) != 0, b);
            if (premio && o.avisoDescarga) {
                if (r.avisopremio == 0) {
                    r.arrancaAviso = true;
                    r.avisopremio = 2;
                } else {
                    r.avisopremio = (r.avisopremio == 1 || r.avisopremio == 3) ? 3 : 2;
                }
            }
            // The same bound as the simple list's: no block beyond the rows a list can hold.
            if ((premio || !o.soloPremios) && c.cabe(b.filas))
                c.anade(b.filas);
        }
        c.acabaSorteo();
        if (progreso)
            progreso(hechos);
    }
    c.cuentaPendientes(sorteos, Clase::Multiple);
    c.cierra();
    return std::move(c.pasada);
}

Escritura guarda(ArchivoPenas &archivo, const Pasada &pasada)
{
    if (!pasada.penasCambiadas || !pasada.penas)
        return Escritura::Hecha;
    // The file may have been read again since the pass started; only a pass over the same
    // syndicates may replace it.
    if (pasada.penas->size() != archivo.penas().size())
        return Escritura::Fallo;
    return archivo.reescribe(*pasada.penas);
}

int Listado::cuenta() const
{
    return bloques.indice ? int(bloques.indice->filas) : 0;
}

size_t Bloques::size() const
{
    return indice ? indice->bloques : 0;
}

size_t Bloques::Indice::tramoDeFila(quint32 fila) const
{
    const auto despues =
        std::upper_bound(tramos.begin(), tramos.end(), fila,
                         [](quint32 fila, const Tramo &t) { return fila < t.fila; });
    return size_t(despues - tramos.begin()) - 1;
}

size_t Bloques::Indice::tramoDeBloque(size_t bloque) const
{
    const auto despues =
        std::upper_bound(tramos.begin(), tramos.end(), bloque,
                         [](size_t bloque, const Tramo &t) { return bloque < t.bloque; });
    return size_t(despues - tramos.begin()) - 1;
}

const std::vector<Bloque> &Bloques::Indice::deTramo(size_t t) const
{
    if (enCache == t)
        return cache;
    // Made again exactly as the pass made them: the same syndicates in the same order, the
    // same rule for who plays, the first `bloques` of them that the pass kept.
    const Tramo &tramo = tramos[t];
    const Sorteo &s = (*sorteos)[tramo.sorteo];
    const SorteoListo d = prepara(s);
    enCache = std::numeric_limits<size_t>::max();
    cache.clear();
    premiadasCache.clear();
    quint32 fila = tramo.fila;
    quint8 cuales[Pena::kApuestas];
    for (const Suya &u : suyas) {
        if (cache.size() == tramo.bloques)
            break;
        if (!d.valido || !diasjuego::juegaSorteo(u.dias, u.creacion, d.dia, s.fecha, historico))
            continue;
        Bloque b{
            fila, tramo.sorteo, u.pena, quint32(premiadasCache.size()), quint16(3 + u.validas), 0,
            0};
        if (multiples) {
            const bool premio = bloqueMultiple(u, d, (u.multiple & d.complementario) != 0, b);
            if (soloPremios && !premio)
                continue;
        } else if (soloPremios) {
            const size_t n = premiadas(mascaras.data() + u.desde, u.cuantas, d.ganadores, cuales);
            if (n == 0)
                continue;
            premiadasCache.insert(premiadasCache.end(), cuales, cuales + n);
            b.filas = quint16(3 + n);
        }
        cache.push_back(b);
        fila += b.filas;
    }
    enCache = t;
    return cache;
}

Bloque Bloques::operator[](size_t i) const
{
    if (i >= size() || !indice->sorteos)
        return {};
    const size_t t = indice->tramoDeBloque(i);
    const std::vector<Bloque> &b = indice->deTramo(t);
    const size_t k = i - indice->tramos[t].bloque;
    return k < b.size() ? b[k] : Bloque{};
}

Fila Listado::filaDe(size_t i, int r) const
{
    // Reading the block leaves its draw made, with its bets with a prize.
    return filaDeBloque(bloques[i], r);
}

Fila Listado::filaDeBloque(const Bloque &b, int r) const
{
    Fila f;
    if (r < 0 || r >= b.filas)
        return f;
    f.sorteo = b.sorteo;
    f.pena = b.pena;
    if (r < 3) {
        static constexpr TipoFila cabeceras[3] = {TipoFila::Espacio, TipoFila::CabeceraPena,
                                                  TipoFila::CabeceraSorteo};
        f.tipo = cabeceras[r];
        return f;
    }
    if (multiples) {
        f.tipo = r == 3 ? TipoFila::Apuesta : TipoFila::Mensaje;
        f.aciertos = r == 3 ? b.aciertos : 0;
        f.mensaje = b.mensaje == 0 ? 0 : quint8(b.mensaje + r - 3);
        return f;
    }
    f.tipo = TipoFila::Apuesta;
    if (soloPremios) {
        const std::vector<quint8> &premiadas = bloques.indice->premiadasCache;
        const size_t k = size_t(b.premiadas) + size_t(r - 3);
        f.apuesta = k < premiadas.size() ? premiadas[k] : 0;
    } else if (b.pena < bloques.indice->validas.size() &&
               size_t(r - 3) < bloques.indice->validas[b.pena].size()) {
        f.apuesta = bloques.indice->validas[b.pena][size_t(r - 3)];
    }
    if (!sorteos || !penas || b.sorteo >= sorteos->size() || b.pena >= penas->size())
        return f;
    // The same masks and message table as the pass, so a row made now says what the pass saw.
    const Mascaras d = mascaras((*sorteos)[b.sorteo]);
    const quint64 m = (*penas)[b.pena].mascara(f.apuesta + 1, 6);
    f.aciertos = quint8(juego::aciertos(m, d.ganadores));
    if (f.aciertos >= 3)
        f.mensaje = quint8(premios::mensajeSencilla(f.aciertos, (m & d.complementario) != 0));
    return f;
}

Fila Listado::fila(int i) const
{
    if (i < 0 || i >= cuenta() || !bloques.indice->sorteos)
        return {};
    const Bloques::Indice &x = *bloques.indice;
    const std::vector<Bloque> &hechos = x.deTramo(x.tramoDeFila(quint32(i)));
    const auto despues =
        std::upper_bound(hechos.begin(), hechos.end(), quint32(i),
                         [](quint32 fila, const Bloque &b) { return fila < b.fila; });
    if (despues == hechos.begin())
        return {};
    return filaDeBloque(*(despues - 1), i - int((despues - 1)->fila));
}

bool Listado::imprimeAlgo() const
{
    return bloques.indice && bloques.indice->imprime;
}

Celdas Listado::celdas(int indice) const
{
    Celdas c;
    if (indice < 0 || indice >= cuenta())
        return c;
    const Fila f = fila(indice);
    c.tipo = f.tipo;
    c.aciertos = f.aciertos;
    if (f.tipo == TipoFila::Espacio || !sorteos || !penas || f.sorteo >= sorteos->size() ||
        f.pena >= penas->size())
        return c;
    const Sorteo &s = (*sorteos)[f.sorteo];
    const Pena &p = (*penas)[f.pena];
    c.numeros = columnasNumero();
    switch (f.tipo) {
    case TipoFila::Espacio:
        break;
    case TipoFila::CabeceraPena:
        c.hayTexto = true;
        c.texto = QString::fromUtf8("PEÑA ") + p.nombreTexto();
        c.color = kColorPena;
        break;
    case TipoFila::CabeceraSorteo:
        c.hayTexto = true;
        c.texto = cabeceraSorteo(s);
        c.color = kColorSorteo;
        break;
    case TipoFila::Apuesta:
    case TipoFila::Mensaje:
        if (f.tipo == TipoFila::Apuesta) {
            const int cuantos = multiples ? std::clamp(int(::cuantos(p.tipo)), 0, 11) : 6;
            const int apuesta = multiples ? 1 : std::min(f.apuesta + 1, Pena::kApuestas);
            for (int q = 0; q < cuantos; ++q) {
                const qint16 x = p.numero(apuesta, q + 1);
                c.valor[size_t(q)] = x;
                if (s.contiene(x))
                    c.rojos |= quint16(1u << q);
            }
        }
        if (f.mensaje != 0) {
            const premios::Mensaje &m = premios::mensaje(f.mensaje);
            c.hayTexto = true;
            c.texto = m.texto;
            c.color = premios::colorCategoria(m.categoria);
        }
        break;
    }
    return c;
}

// Where the reading of a printed listing is: which part, block and row, and the lines the last
// row made that were not read yet.
struct LineasListado::Estado {
    bool conTexto = true;
    int parte = 0; // 0 simple, 1 multiple, 2 done
    size_t bloque = 0;
    int fila = 3; // next bet row of the simple block
    std::vector<LineaImpresion> pendientes;
    size_t leidas = 0;
    std::optional<Impresora> impresora;
};

LineasListado::LineasListado(std::shared_ptr<const Listado> sencillas,
                             std::shared_ptr<const Listado> multiples)
    : sencillas_(std::move(sencillas)), multiples_(std::move(multiples)),
      estado_(std::make_unique<Estado>())
{
    reinicia();
}

LineasListado::~LineasListado() = default;

bool LineasListado::vacio() const
{
    return !(sencillas_ && sencillas_->imprimeAlgo()) && !(multiples_ && multiples_->imprimeAlgo());
}

void LineasListado::reinicia(bool conTexto)
{
    Estado &e = *estado_;
    e.conTexto = conTexto;
    e.parte = 0;
    e.bloque = 0;
    e.fila = 3;
    e.pendientes.clear();
    e.leidas = 0;
    e.impresora.emplace(e.pendientes, false, 0, conTexto);
}

bool LineasListado::siguiente(LineaImpresion &linea)
{
    Estado &e = *estado_;
    while (e.leidas == e.pendientes.size()) {
        e.pendientes.clear();
        e.leidas = 0;
        const Listado *l = e.parte == 0 ? sencillas_.get() : multiples_.get();
        if (e.parte == 2)
            return false;
        if (!l || !l->sorteos || !l->penas || e.bloque >= l->bloques.size()) {
            // The multiples go on from where the simple ones left the page.
            if (e.parte == 0) {
                const bool impreso = e.impresora->impreso();
                const double tamano = e.impresora->tamano();
                e.impresora.emplace(e.pendientes, impreso, tamano, e.conTexto);
            }
            ++e.parte;
            e.bloque = 0;
            e.fila = 3;
            continue;
        }
        const Bloque b = l->bloques[e.bloque];
        if (b.sorteo >= l->sorteos->size() || b.pena >= l->penas->size()) {
            ++e.bloque;
            continue;
        }
        const Sorteo &s = (*l->sorteos)[b.sorteo];
        const Pena &p = (*l->penas)[b.pena];
        if (e.parte == 0) {
            if (e.fila >= b.filas) {
                ++e.bloque;
                e.fila = 3;
                continue;
            }
            QString texto;
            quint16 aciertos = 0;
            if (e.conTexto) {
                const Fila f = l->filaDe(e.bloque, e.fila);
                texto = lineaNumeros(p, f.apuesta + 1, 6);
                aciertos = acertados(p, f.apuesta + 1, 6, s);
                if (f.mensaje != 0)
                    texto += QStringLiteral("  ") + premios::mensaje(f.mensaje).texto;
            }
            e.impresora->apuestaSencilla(b.sorteo, b.pena, s, p, texto, aciertos);
            ++e.fila;
        } else {
            const int deBloque = b.mensaje == 0 ? 0 : b.filas - 3;
            QStringList mensajes;
            if (e.conTexto)
                for (int m = 0; m < deBloque; ++m)
                    mensajes.append(premios::mensaje(b.mensaje + m).texto);
            const int cuantos = ::cuantos(p.tipo);
            e.impresora->multiple(
                b.sorteo, s, p, e.conTexto ? lineaNumeros(p, 1, cuantos) : QString(),
                e.conTexto ? acertados(p, 1, cuantos, s) : quint16(0), mensajes, deBloque);
            ++e.bloque;
        }
    }
    linea = std::move(e.pendientes[e.leidas++]);
    return true;
}

} // namespace comprobacion
