#include "checking/comprobacion.h"
#include "archive/fechas.h"
#include "checking/premiomultiple.h"
#include "syndicates/archivopenas.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

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
    for (qint16 n : s.numeros) {
        if (n < 1 || n > 49 || (l.ganadores & bit(n)))
            return l;
        l.ganadores |= bit(n);
    }
    // A complementary outside 1..49 or equal to a winning number makes the record unreliable:
    // the five-plus-complementary test would count a prize that was never drawn.
    if (s.complementario < 1 || s.complementario > 49 || (l.ganadores & bit(s.complementario)))
        return l;
    l.complementario = bit(s.complementario);
    l.valido = true;
    return l;
}

// Six (or s) distinct numbers 1..49 as a bit mask; 0 when the bet cannot be checked.
quint64 mascara(const Pena &p, int apuesta, int cuantos)
{
    quint64 m = 0;
    for (int q = 1; q <= cuantos; ++q) {
        const qint16 n = p.numero(apuesta, q);
        if (n < 1 || n > 49 || (m & bit(n)))
            return 0;
        m |= bit(n);
    }
    return m;
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
            l.apuestas[static_cast<size_t>(k - 1)] = mascara(p, k, 6);
            l.validas += l.apuestas[static_cast<size_t>(k - 1)] != 0;
        }
    } else if (p.tipo >= 501 && p.tipo <= 506) {
        l.numeros = cuantos(p.tipo);
        l.multiple = mascara(p, 1, l.numeros);
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

bool aplica(const SorteoListo &s, double fecha, const Pena &p, const PenaLista &l, bool historico)
{
    return diasjuego::juegaSorteo(l.dias, p.creacion, s.dia, fecha, historico);
}

// A prize counts once: only draws newer than the counted-up-to date and not before creation.
bool cuenta(double fecha, const Pena &p, const PenaLista &l)
{
    return fecha > l.contado && !(fecha < p.creacion);
}

// After the window: the counted-up-to date moves to the newest draw. It never goes back (a
// draw deleted and downloaded again must not count twice), unless what is stored cannot be
// a real date: not a number, or more than a year after today (a clock a little behind the
// archive is no reason to count again).
bool avanzaContado(Pena &p, double masNuevo, double hoy)
{
    if (!std::isfinite(masNuevo) || masNuevo <= 0)
        return false;
    const bool danado = !std::isfinite(p.contado) || (hoy > 0 && p.contado > hoy + 366);
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

// Keeps what the printing rule needs between groups of rows.
class Impresora {
public:
    Impresora(std::vector<LineaImpresion> &lineas, bool impreso, double tamano)
        : lineas_(lineas), impreso_(impreso), tamano_(tamano > 0 ? tamano : 8.2)
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
    void vacia() { lineas_.push_back({LineaImpresion::Tipo::Vacia, 0, tamano_, false, {}}); }
    void nuevaPagina() { lineas_.push_back({LineaImpresion::Tipo::NuevaPagina, 0, 0, false, {}}); }

    void sorteo(const Sorteo &s)
    {
        impreso_ = true;
        vacia();
        texto(20, 18, false,
              QStringLiteral("Sorteo del ") + fechas::textoCorto(s.fecha) + QStringLiteral("  ") +
                  textoSorteo(s));
        tamano_ = 8.2;
    }

    // Simple and reduced syndicates: headings before a bet of another syndicate or draw.
    void apuestaSencilla(int i, int j, const Sorteo &s, const Pena &p, const QString &linea)
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
            texto(30, QString::fromUtf8("PEÑA ") + p.nombreTexto());
            ultimaPena_ = j;
        }
        texto(30, linea);
    }

    // Multiple syndicates: the title on a page of its own when simple ones came first.
    void multiple(int i, const Sorteo &s, const Pena &p, const QString &linea,
                  const QStringList &mensajes)
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
        texto(30, QString::fromUtf8("PEÑA ") + p.nombreTexto());
        texto(30, linea + QStringLiteral("  ") + mensajes.value(0));
        for (qsizetype m = 1; m < mensajes.size(); ++m)
            texto(83.3, mensajes[m]);
    }

private:
    std::vector<LineaImpresion> &lineas_;
    bool impreso_;
    double tamano_;
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
    bool lleno = false;

    Contexto(const std::vector<Sorteo> &sorteos, const std::vector<Pena> &entrada,
             const Opciones &o, bool multiples)
        : penas(std::make_shared<std::vector<Pena>>(entrada))
    {
        const int total = static_cast<int>(sorteos.size());
        n = std::clamp(o.n, 0, std::min(total, 65535));
        primero = total - n;
        listado->multiples = multiples;
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
        pasada.impreso = o.impreso;
        pasada.tamanoImpresion = o.tamanoImpresion;
    }

    // Whether a group of this many rows still fits in a list.
    bool cabe(size_t filas)
    {
        if (!lleno && listado->filas.size() + filas <= kMaximoFilas)
            return true;
        lleno = true;
        listado->incompleto = true;
        return false;
    }

    void cabeceras(int w, int j)
    {
        auto &f = listado->filas;
        const auto s = static_cast<quint16>(w);
        const auto p = static_cast<quint16>(j);
        f.push_back({s, p, 0, TipoFila::Espacio, 0, 0});
        f.push_back({s, p, 0, TipoFila::CabeceraPena, 0, 0});
        f.push_back({s, p, 0, TipoFila::CabeceraSorteo, 0, 0});
    }

    // The counted-up-to step after the window, for the syndicates this pass reached.
    void cierra(Clase clase, double hoy)
    {
        if (n > 0) {
            const double masNuevo = listado->sorteos->back().fecha;
            for (size_t j = 0; j < listas.size(); ++j)
                if (listas[j].clase == clase && listas[j].elegida &&
                    avanzaContado((*penas)[j], masNuevo, hoy))
                    pasada.penasCambiadas = true;
        }
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

} // namespace

// Built twice: with the processor's own bit count where it has one (every x86 processor of
// the last fifteen years), and plain for the rest; the loader picks one.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target_clones("popcnt", "default")))
#endif
void cuentaAciertos(const quint64 *apuestas, size_t cuantas, quint64 ganadores, quint8 *aciertos)
{
    for (size_t k = 0; k < cuantas; ++k)
        aciertos[k] = static_cast<quint8>(std::popcount(apuestas[k] & ganadores));
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
    auto &filas = c.listado->filas;
    Impresora impresora(r.impresion, r.impreso, r.tamanoImpresion);
    bool avisoActivo = o.avisoActivo;
    quint8 aciertosApuesta[Pena::kApuestas];

    // Every bet of every syndicate a draw applies to is a row: reserving them at once saves
    // copying a long list while it grows.
    if (!o.soloPremios) {
        size_t previstas = 0;
        for (int w = 0; w < c.n; ++w)
            for (size_t j = 0; j < c.listas.size(); ++j) {
                const PenaLista &l = c.listas[j];
                if (l.clase == Clase::Sencilla && l.elegida && c.listos[size_t(w)].valido &&
                    aplica(c.listos[size_t(w)], (*c.listado->sorteos)[size_t(w)].fecha,
                           (*c.penas)[j], l, o.historico))
                    previstas += 3 + size_t(l.validas);
            }
        filas.reserve(std::min(previstas, kMaximoFilas));
    }

    for (int w = c.n - 1, hechos = 1; w >= 0; --w, ++hechos) {
        const Sorteo &s = (*c.listado->sorteos)[size_t(w)];
        const SorteoListo &d = c.listos[size_t(w)];
        bool premioSorteo = false;
        for (size_t j = 0; j < c.listas.size(); ++j) {
            const PenaLista &l = c.listas[j];
            if (l.clase == Clase::Multiple)
                r.hayMultiples = true;
            if (l.clase != Clase::Sencilla || !l.elegida)
                continue;
            if (!o.seleccion.isNull())
                r.seleccionEncontrada = true;
            Pena &p = (*c.penas)[j];
            if (!d.valido || !aplica(d, s.fecha, p, l, o.historico))
                continue;

            const size_t inicio = filas.size();
            const bool conFilas = c.cabe(3 + size_t(l.validas));
            if (conFilas)
                c.cabeceras(w, int(j));
            const bool cuentaPremios = cuenta(s.fecha, p, l);
            bool premioPena = false;
            cuentaAciertos(l.apuestas.data(), l.apuestas.size(), d.ganadores, aciertosApuesta);
            for (size_t k = 0; k < l.apuestas.size(); ++k) {
                const quint64 m = l.apuestas[k];
                if (m == 0)
                    continue;
                const int aciertos = aciertosApuesta[k];
                quint8 id = 0;
                if (aciertos >= 3) {
                    premioPena = true;
                    id = static_cast<quint8>(
                        premios::mensajeSencilla(aciertos, (m & d.complementario) != 0));
                    if (cuentaPremios)
                        c.suma(p, premios::mensaje(id).categoria, 1);
                } else if (o.soloPremios) {
                    continue;
                }
                if (conFilas)
                    filas.push_back({quint16(w), quint16(j), quint8(k), TipoFila::Apuesta, id,
                                     quint8(aciertos)});
            }
            if (o.soloPremios && !premioPena && conFilas)
                filas.resize(inicio);
            premioSorteo |= premioPena;
            if (premioSorteo && o.avisoDescarga && !avisoActivo) {
                r.avisopremio = 1;
                r.arrancaAviso = true;
                avisoActivo = true;
            }
            if (o.imprimiendo && conFilas)
                for (size_t f = inicio + 3; f < filas.size(); ++f) {
                    const Fila &fila = filas[f];
                    QString linea = lineaNumeros(p, fila.apuesta + 1, 6);
                    if (fila.mensaje != 0)
                        linea += QStringLiteral("  ") + premios::mensaje(fila.mensaje).texto;
                    impresora.apuestaSencilla(w, int(j), s, p, linea);
                }
        }
        if (progreso)
            progreso(hechos);
    }
    r.impreso = impresora.impreso();
    r.tamanoImpresion = impresora.tamano();
    c.cierra(Clase::Sencilla, o.hoy);
    return std::move(c.pasada);
}

Pasada compruebamultiples(const std::vector<Sorteo> &sorteos, const std::vector<Pena> &penas,
                          const Opciones &o, const Progreso &progreso)
{
    Contexto c(sorteos, penas, o, true);
    Pasada &r = c.pasada;
    auto &filas = c.listado->filas;
    Impresora impresora(r.impresion, r.impreso, r.tamanoImpresion);

    for (int w = c.n - 1, hechos = 1; w >= 0; --w, ++hechos) {
        const Sorteo &s = (*c.listado->sorteos)[size_t(w)];
        const SorteoListo &d = c.listos[size_t(w)];
        for (size_t j = 0; j < c.listas.size(); ++j) {
            const PenaLista &l = c.listas[j];
            if (l.clase != Clase::Multiple || !l.elegida)
                continue;
            r.hayMultiples = true;
            if (!o.seleccion.isNull())
                r.seleccionEncontrada = true;
            Pena &p = (*c.penas)[j];
            if (!d.valido || !aplica(d, s.fecha, p, l, o.historico))
                continue;

            const size_t inicio = filas.size();
            const bool conFilas = c.cabe(4 + 4);
            if (conFilas) {
                c.cabeceras(w, int(j));
                filas.push_back({quint16(w), quint16(j), 0, TipoFila::Apuesta, 0, 0});
            }
            const int aciertos = std::popcount(l.multiple & d.ganadores);
            const bool complementario = (l.multiple & d.complementario) != 0;
            if (conFilas)
                filas.back().aciertos = quint8(aciertos);
            const bool premio = aciertos >= 3 || (l.numeros == 5 && aciertos == 2);
            QStringList mensajes;
            if (premio) {
                if (o.avisoDescarga) {
                    if (r.avisopremio == 0) {
                        r.arrancaAviso = true;
                        r.avisopremio = 2;
                    } else {
                        r.avisopremio = (r.avisopremio == 1 || r.avisopremio == 3) ? 3 : 2;
                    }
                }
                if (const premios::FilaPremio *t =
                        premios::premiomultiple(p.tipo, aciertos, complementario)) {
                    for (size_t m = 0; m < t->mensajes.size(); ++m) {
                        const auto id = static_cast<quint8>(t->primerMensaje + int(m));
                        mensajes.append(premios::mensaje(id).texto);
                        if (!conFilas)
                            continue;
                        if (m == 0)
                            filas.back().mensaje = id;
                        else
                            filas.push_back({quint16(w), quint16(j), 0, TipoFila::Mensaje, id, 0});
                    }
                    if (cuenta(s.fecha, p, l)) {
                        const int categorias[5] = {3, 4, 5, 6, 7};
                        for (int k = 0; k < 5; ++k)
                            if (t->cuentas[size_t(k)] != 0)
                                c.suma(p, categorias[k], t->cuentas[size_t(k)]);
                    }
                }
            }
            if (o.soloPremios && !premio) {
                if (conFilas)
                    filas.resize(inicio);
                continue;
            }
            if (o.imprimiendo && conFilas)
                impresora.multiple(w, s, p, lineaNumeros(p, 1, l.numeros), mensajes);
        }
        if (progreso)
            progreso(hechos);
    }
    r.impreso = impresora.impreso();
    r.tamanoImpresion = impresora.tamano();
    c.cierra(Clase::Multiple, o.hoy);
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

Celdas Listado::celdas(int indice) const
{
    Celdas c;
    if (indice < 0 || indice >= cuenta())
        return c;
    const Fila &f = filas[size_t(indice)];
    c.tipo = f.tipo;
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

} // namespace comprobacion
