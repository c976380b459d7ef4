#include "reports/ganancias.h"
#include "archive/fechas.h"
#include "archive/juego.h"
#include "checking/premiomultiple.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace ganancias {

namespace {
using juego::kCuarta;
using juego::kEspecial;
using juego::kPrimera;
using juego::kQuinta;
using juego::kSegunda;
using juego::kTercera;

// The magnitude of an amount as "1.234,56", without sign.
QString magnitud(qint64 centimos, bool agrupa)
{
    const quint64 a = centimos < 0 ? quint64(0) - quint64(centimos) : quint64(centimos);
    QString entera = QString::number(a / 100);
    if (agrupa)
        for (qsizetype i = entera.size() - 3; i > 0; i -= 3)
            entera.insert(i, QLatin1Char('.'));
    return entera + QLatin1Char(',') + QStringLiteral("%1").arg(a % 100, 2, 10, QLatin1Char('0'));
}
} // namespace

QString nombreCategoria(int categoria)
{
    if (categoria == kEspecial)
        return QStringLiteral("Especial");
    return QString::number(categoria) + QString::fromUtf8("ª");
}

QString textoEuros(qint64 centimos)
{
    return (centimos < 0 ? QString(QChar(0x2212)) : QString()) + magnitud(centimos, true) +
           QString::fromUtf8(" €");
}

QString textoCsv(qint64 centimos)
{
    return (centimos < 0 ? QStringLiteral("-") : QString()) + magnitud(centimos, false);
}

qint64 centimosDe(float precio)
{
    if (!std::isfinite(precio) || precio <= 0 || precio > 1e6f)
        return 0;
    return std::llround(static_cast<double>(precio) * 100.0);
}

std::vector<qint64> reparte(qint64 total, const std::vector<int> &participaciones)
{
    std::vector<qint64> r(participaciones.size(), 0);
    qint64 suma = 0;
    for (int p : participaciones)
        suma += std::max(p, 0);
    if (suma == 0 || total == 0)
        return r;
    const bool negativo = total < 0;
    const qint64 a = negativo ? -total : total;
    // a = q·suma + resto; each part is q·p + ⌊resto·p / suma⌋, and neither product can
    // overflow: q·p ≤ a and resto·p < suma².
    const qint64 q = a / suma;
    const qint64 resto = a % suma;
    qint64 repartido = 0;
    for (size_t i = 0; i < r.size(); ++i) {
        const qint64 p = std::max(participaciones[i], 0);
        r[i] = q * p + resto * p / suma;
        repartido += r[i];
    }
    // What the rounding left, a cent each to the first members.
    for (size_t i = 0; repartido < a && i < r.size(); ++i, ++repartido)
        ++r[i];
    if (negativo)
        for (qint64 &v : r)
            v = -v;
    return r;
}

Historia::Historia(const std::vector<Sorteo> &sorteos, const ArchivoImportes &importes,
                   const ArchivoGanadores *ganadores)
{
    sorteos_.reserve(sorteos.size());
    for (const Sorteo &s : sorteos) {
        Sorteo_ l;
        l.fecha = s.fecha;
        l.dia = fechas::bitDia(s.fecha);
        l.ganadores = s.ganadores();
        l.complementario = s.bitComplementario();
        // A draw that cannot be told apart from garbage wins nothing, but it was played.
        if (l.ganadores == 0 || l.complementario == 0) {
            l.ganadores = 0;
            l.complementario = 0;
        }
        // The refund was first drawn on 20/06/1991; the archive keeps 0 for the draws before,
        // which no slip's digit 0 may match.
        static const double primerReintegro = fechas::serial(juego::primerReintegro());
        if (s.reintegro >= 0 && s.reintegro <= 9 && !(s.fecha < primerReintegro))
            l.reintegro = s.reintegro;
        l.importes = importes.busca(s.fecha);
        if (std::isfinite(s.joker) && s.joker > 0 && s.joker <= 9999999)
            l.joker = static_cast<qint64>(s.joker);
        l.figuras = ganadores ? ganadores->busca(s.fecha) : nullptr;
        l.exento = juego::exento(s.fecha);
        sorteos_.push_back(l);
    }
}

Ganancias &Ganancias::operator+=(const Ganancias &o)
{
    jugados += o.jugados;
    premiosJoker += o.premiosJoker;
    desconocidos += o.desconocidos;
    pendientes += o.pendientes;
    retencion += o.retencion;
    for (int k = 0; k < kCategorias; ++k)
        premiadas[static_cast<size_t>(k)] += o.premiadas[static_cast<size_t>(k)];
    reintegros += o.reintegros;
    premios += o.premios;
    gasto += o.gasto;
    detalle.insert(detalle.end(), o.detalle.begin(), o.detalle.end());
    return *this;
}

Ganancias calcula(const Historia &historia, const Pena &pena, qint64 precio, int reintegro,
                  bool detalle, const std::vector<qint32> &jokers)
{
    static const double primerJoker = fechas::serial(juego::primerJoker());
    Ganancias g;
    if (!pena.tipoValido())
        return g;
    const int dias = diasjuego::mascara(pena.diasTexto());
    const bool multiple = pena.esMultiple();
    // The bets a multiple stands for, or the simple and reduced bets; each costs one price.
    const int apuestas = cuantos(pena.tipo + 6);
    std::vector<quint64> mascaras;
    quint64 numerosMultiple = 0;
    if (multiple) {
        numerosMultiple = pena.mascara(1, cuantos(pena.tipo));
    } else {
        mascaras.reserve(static_cast<size_t>(pena.tipo));
        for (int b = 1; b <= pena.tipo; ++b)
            if (const quint64 m = pena.mascara(b, 6))
                mascaras.push_back(m);
    }
    if (detalle)
        g.detalle.reserve(historia.sorteos().size() / 2);

    for (const Historia::Sorteo_ &s : historia.sorteos()) {
        if (!diasjuego::juegaSorteo(dias, pena.creacion, s.dia, s.fecha, false))
            continue;
        Jugada j;
        j.fecha = s.fecha;
        j.gasto = precio * apuestas;
        const bool conReintegro = reintegro >= 0 && reintegro == s.reintegro;
        if (s.ganadores != 0) {
            if (multiple) {
                if (numerosMultiple != 0) {
                    const int aciertos = juego::aciertos(numerosMultiple, s.ganadores);
                    const bool comp = (numerosMultiple & s.complementario) != 0;
                    if (const premios::FilaPremio *f =
                            premios::premiomultiple(pena.tipo, aciertos, comp)) {
                        // The table counts by the counters 3..7; six hits with the slip's
                        // refund are the special category.
                        for (int k = 0; k < 5; ++k) {
                            juego::Categoria c = juego::deContador(3 + k);
                            if (c == kPrimera && conReintegro)
                                c = kEspecial;
                            j.premiadas[static_cast<size_t>(c)] += f->cuentas[size_t(k)];
                        }
                    }
                }
            } else {
                juego::clasifica(mascaras.data(), mascaras.size(), s.ganadores, s.complementario,
                                 conReintegro, j.premiadas.data());
            }
        }
        if (conReintegro)
            j.reintegros = apuestas;
        // The refund is the bet's price back, known whatever the breakdown says; each prize is
        // taxed bet by bet.
        j.premio = precio * j.reintegros;
        for (int k = 0; k < kCategorias; ++k) {
            const int n = j.premiadas[static_cast<size_t>(k)];
            if (n == 0)
                continue;
            if (!s.importes || !s.importes->conoce(k)) {
                j.pendientes += n;
                continue;
            }
            const qint64 importe = s.importes->centimos[static_cast<size_t>(k)];
            j.premio += qint64(n) * importe;
            j.retencion += qint64(n) * juego::retencionSobre(importe, s.exento);
        }
        // Each Joker number: its best category, the amount of the Joker's breakdown (the
        // refund of its price is always known), taxed number by number.
        if (!jokers.empty() && !(s.fecha < primerJoker)) {
            j.gasto += juego::kPrecioJoker * static_cast<qint64>(jokers.size());
            for (qint32 numero : jokers) {
                const int c = juego::categoriaJoker(numero, s.joker);
                if (c < 0)
                    continue;
                ++j.jokers[static_cast<size_t>(c)];
                qint64 importe = juego::kPrecioJoker;
                if (c != juego::kJokerReintegro) {
                    importe = s.figuras ? s.figuras->centimosJoker[static_cast<size_t>(c)]
                                        : GanadoresSorteo::kDesconocido;
                    if (importe < 0) {
                        ++j.pendientes;
                        continue;
                    }
                }
                j.premioJoker += importe;
                j.retencion += juego::retencionSobre(importe, s.exento);
            }
            j.premio += j.premioJoker;
        }
        j.desconocido = j.pendientes > 0;

        ++g.jugados;
        g.gasto += j.gasto;
        for (int k = 0; k < kCategorias; ++k)
            g.premiadas[static_cast<size_t>(k)] += j.premiadas[static_cast<size_t>(k)];
        g.reintegros += j.reintegros;
        g.pendientes += j.pendientes;
        if (j.desconocido)
            ++g.desconocidos;
        g.premios += j.premio;
        g.premiosJoker += j.premioJoker;
        g.retencion += j.retencion;
        if (detalle)
            g.detalle.push_back(j);
    }
    return g;
}

std::vector<Parte> partes(const SociosPena &socios, const Ganancias &g)
{
    std::vector<int> p;
    p.reserve(socios.socios.size());
    for (const Socio &s : socios.socios)
        p.push_back(s.participaciones);
    const std::vector<qint64> premios = reparte(g.neto(), p);
    const std::vector<qint64> gasto = reparte(g.gasto, p);
    std::vector<Parte> r;
    for (size_t i = 0; i < socios.socios.size(); ++i)
        r.push_back(
            {socios.socios[i].nombre, socios.socios[i].participaciones, premios[i], gasto[i]});
    return r;
}

std::vector<Parte> junta(const std::vector<std::vector<Parte>> &todas)
{
    // Found by name in a hash: a long search down the list for every member of every syndicate
    // took time that grew with the square of the members.
    std::vector<Parte> r;
    QHash<QString, size_t> donde;
    for (const std::vector<Parte> &lista : todas)
        for (const Parte &p : lista) {
            const auto i = donde.constFind(p.nombre);
            if (i == donde.cend()) {
                donde.insert(p.nombre, r.size());
                r.push_back(p);
                continue;
            }
            Parte &q = r[*i];
            q.participaciones += p.participaciones;
            q.premios += p.premios;
            q.gasto += p.gasto;
        }
    return r;
}

QString Premiada::textoPremio() const
{
    return pendiente ? QStringLiteral("pendiente") : textoEuros(premio);
}

std::vector<Premiada> premiadas(const Ganancias &g)
{
    // "2 × 5ª" for two bets in a category, the name alone for one.
    const auto veces = [](int n, const QString &nombre) {
        return n == 1 ? nombre : QStringLiteral("%1 × %2").arg(n).arg(nombre);
    };
    const QString reintegro = QStringLiteral("reintegro");
    std::vector<Premiada> r;
    for (auto j = g.detalle.rbegin(); j != g.detalle.rend(); ++j) {
        QStringList categorias;
        for (int k = 0; k < kCategorias; ++k)
            if (const int n = j->premiadas[static_cast<size_t>(k)])
                categorias << veces(n, nombreCategoria(k));
        if (j->reintegros > 0)
            categorias << (j->reintegros == 1 ? reintegro
                                              : QStringLiteral("%1 reintegros").arg(j->reintegros));
        QStringList joker;
        for (int k = 0; k <= juego::kCategoriasJoker; ++k)
            if (const int n = j->jokers[static_cast<size_t>(k)])
                joker << veces(n, k == juego::kJokerReintegro
                                      ? reintegro
                                      : QString::number(k + 1) + QString::fromUtf8("ª"));
        if (categorias.isEmpty() && joker.isEmpty())
            continue;
        r.push_back({j->fecha, categorias.join(QStringLiteral(", ")),
                     joker.join(QStringLiteral(", ")), j->premio, j->desconocido});
    }
    return r;
}

namespace {
// The spreadsheet is written straight as UTF-8 bytes: it can run to hundreds of thousands of
// lines, and building each field as a QString and converting it took five times the work of
// computing the figures.
void anadeNumero(QByteArray &b, quint64 v)
{
    char t[20];
    int n = 0;
    do {
        t[n++] = char('0' + v % 10);
        v /= 10;
    } while (v != 0);
    while (n > 0)
        b.append(t[--n]);
}

// textoCsv's "1234,56" and "-765,44".
void anadeImporte(QByteArray &b, qint64 centimos)
{
    const quint64 a = centimos < 0 ? quint64(0) - quint64(centimos) : quint64(centimos);
    if (centimos < 0)
        b.append('-');
    anadeNumero(b, a / 100);
    b.append(',');
    b.append(char('0' + a % 100 / 10));
    b.append(char('0' + a % 10));
}

void anadeDosCifras(QByteArray &b, int v)
{
    b.append(char('0' + v / 10));
    b.append(char('0' + v % 10));
}

// fechas::textoCorto's "05/03/2020", worked out from the day count for the dates of four-digit
// years (31/12/1899 to 31/12/9999); any other goes through QDate as ever.
void anadeFecha(QByteArray &b, double serial)
{
    if (!(std::isfinite(serial) && serial >= 1 && serial < 2958466)) {
        b.append(fechas::textoCorto(serial).toUtf8());
        return;
    }
    // Days since 1 March of year 0, split into 400-year eras of the Gregorian calendar.
    const qint64 z = qint64(std::floor(serial)) - 25569 + 719468;
    const qint64 era = z / 146097;
    const qint64 doe = z - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    const int dia = int(doy - (153 * mp + 2) / 5 + 1);
    const int mes = int(mp < 10 ? mp + 3 : mp - 9);
    const int ano = int(yoe + era * 400 + (mes <= 2 ? 1 : 0));
    anadeDosCifras(b, dia);
    b.append('/');
    anadeDosCifras(b, mes);
    b.append('/');
    anadeDosCifras(b, ano / 100);
    anadeDosCifras(b, ano % 100);
}
} // namespace

QByteArray aCsv(const std::vector<Hoja> &hojas)
{
    // The byte order mark tells spreadsheets that the accents are UTF-8.
    QString cabecera = QString(QChar(0xFEFF)) + QString::fromUtf8("Peña;Fecha");
    for (int k = 0; k < kCategorias; ++k)
        cabecera += QLatin1Char(';') + nombreCategoria(k);
    cabecera += QString::fromUtf8(
        ";Reintegros;Premios brutos (euros);Retención (euros);Premios netos (euros);Jugado "
        "(euros)\r\n");
    QByteArray csv = cabecera.toUtf8();
    size_t lineas = 0;
    for (const Hoja &h : hojas)
        lineas += h.ganancias.detalle.size();
    csv.reserve(csv.size() + qsizetype(lineas) * 96);
    const QByteArray pendiente = QByteArrayLiteral("pendiente");
    for (const Hoja &h : hojas) {
        // A name with the separator or a quote is quoted, as spreadsheets read it.
        QString texto = h.pena.trimmed();
        if (texto.contains(QLatin1Char(';')) || texto.contains(QLatin1Char('"')))
            texto = QLatin1Char('"') + texto.replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
                    QLatin1Char('"');
        const QByteArray nombre = texto.toUtf8();
        for (const Jugada &j : h.ganancias.detalle) {
            csv.append(nombre);
            csv.append(';');
            anadeFecha(csv, j.fecha);
            for (int n : j.premiadas) {
                csv.append(';');
                if (n < 0)
                    csv.append('-');
                anadeNumero(csv, n < 0 ? quint64(0) - quint64(qint64(n)) : quint64(n));
            }
            csv.append(';');
            if (j.reintegros < 0)
                csv.append('-');
            anadeNumero(csv, j.reintegros < 0 ? quint64(0) - quint64(qint64(j.reintegros))
                                              : quint64(j.reintegros));
            // A draw with an amount not known yet has no figure to add up: it says so.
            csv.append(';');
            if (j.desconocido)
                csv.append(pendiente);
            else
                anadeImporte(csv, j.premio);
            csv.append(';');
            anadeImporte(csv, j.retencion);
            csv.append(';');
            if (j.desconocido)
                csv.append(pendiente);
            else
                anadeImporte(csv, j.neto());
            csv.append(';');
            anadeImporte(csv, j.gasto);
            csv.append("\r\n", 2);
        }
    }
    return csv;
}

} // namespace ganancias
