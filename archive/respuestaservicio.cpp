#include "archive/respuestaservicio.h"
#include "archive/fechas.h"
#include "archive/juego.h"
#include "archive/texto.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>

namespace servicio {

QDate primerSorteo()
{
    return juego::primerSorteo();
}

namespace {
// Texts and numbers both come as text: the service has written amounts and counts either way.
QString texto(const QJsonValue &valor)
{
    if (valor.isString())
        return valor.toString();
    if (valor.isDouble())
        return QString::number(valor.toDouble(), 'g', 15);
    return {};
}

// An amount as text. A JSON number has a decimal point and never a thousands separator: it is
// written with the decimal comma, so that 8.005 reads as three decimals and not as 8.005 €.
QString textoImporte(const QJsonValue &valor)
{
    if (valor.isDouble())
        return texto(valor).replace(QLatin1Char('.'), QLatin1Char(','));
    return texto(valor);
}

// "2026-08-17 00:00:00" (what the service writes) or "17/08/2026"; 0 when it is no date of
// the game (nothing was drawn before its first draw).
double fecha(const QJsonValue &valor)
{
    static const QRegularExpression iso(
        QStringLiteral("^\\s*(\\d{4})-(\\d{1,2})-(\\d{1,2})(?!\\d)"));
    static const QRegularExpression corta(
        QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{4})(?!\\d)"));
    const QString t = valor.toString();
    QDate d;
    if (const QRegularExpressionMatch m = iso.match(t); m.hasMatch())
        d = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    else if (const QRegularExpressionMatch c = corta.match(t); c.hasMatch())
        d = QDate(c.captured(3).toInt(), c.captured(2).toInt(), c.captured(1).toInt());
    if (!d.isValid() || d < primerSorteo())
        return 0;
    return fechas::serial(d);
}

// "02 - 04 - 19 - 28 - 46 - 48 C(33) R(7)": the complementary and the refund by their
// letters, the six numbers are whatever numbers are left. The refund is missing in the draws
// held before it existed; those keep 0, as the archive stores them.
bool combinacion(const QString &t, Sorteo &s)
{
    static const QRegularExpression comple(
        QStringLiteral("(?<![A-Z])C\\s*\\(\\s*(\\d{1,3})\\s*\\)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression reintegro(
        QStringLiteral("(?<![A-Z])R\\s*\\(\\s*(\\d{1,3})\\s*\\)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression numero(QStringLiteral("\\d+"));
    QString resto = t;
    const QRegularExpressionMatch c = comple.match(resto);
    if (!c.hasMatch())
        return false;
    s.complementario = static_cast<qint16>(c.captured(1).toInt());
    resto.remove(c.capturedStart(), c.capturedLength());
    if (const QRegularExpressionMatch r = reintegro.match(resto); r.hasMatch()) {
        s.reintegro = static_cast<qint16>(r.captured(1).toInt());
        resto.remove(r.capturedStart(), r.capturedLength());
    }
    size_t i = 0;
    for (QRegularExpressionMatchIterator it = numero.globalMatch(resto); it.hasNext();) {
        const QString n = it.next().captured();
        if (i == s.numeros.size() || n.size() > 2)
            return false;
        s.numeros[i++] = static_cast<qint16>(n.toInt());
    }
    if (i != s.numeros.size())
        return false;
    std::sort(s.numeros.begin(), s.numeros.end());
    return true;
}

// Whether the Joker is written as not drawn yet: "-" (or nothing) where its digits go.
bool jokerPendiente(const QJsonValue &valor)
{
    const QJsonValue v =
        valor.isObject() ? valor.toObject().value(QStringLiteral("combinacion")) : valor;
    return v.isString() &&
           (v.toString().trimmed() == QStringLiteral("-") || v.toString().trimmed().isEmpty());
}

// The Joker as {"combinacion": "1 234 567"}, as "1234567" or as a number. A draw without one
// (before the Joker existed) keeps 0.
bool joker(const QJsonValue &valor, double &joker)
{
    QJsonValue v = valor.isObject() ? valor.toObject().value(QStringLiteral("combinacion")) : valor;
    joker = 0;
    if (v.isUndefined() || v.isNull())
        return true;
    if (v.isDouble()) {
        joker = v.toDouble();
        return std::isfinite(joker) && joker >= 0 && joker < 1e7 && joker == std::floor(joker);
    }
    if (!v.isString())
        return false;
    static const QRegularExpression blancos(QStringLiteral("\\s"));
    QString cifras = v.toString();
    cifras.remove(blancos);
    if (cifras.size() > 7)
        return false;
    for (QChar c : cifras) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        joker = joker * 10 + (c.unicode() - '0');
    }
    return true;
}

// The first text that names a PDF, wherever the answer keeps it: a field of its own, or a list
// of documents. The prize breakdown is no place for it.
QString buscaPdf(const QJsonValue &valor, int hondura)
{
    if (valor.isString())
        return esPdf(valor.toString()) ? valor.toString().trimmed() : QString();
    if (hondura == 0)
        return {};
    if (valor.isObject()) {
        const QJsonObject o = valor.toObject();
        for (auto it = o.begin(); it != o.end(); ++it) {
            if (it.key() == QStringLiteral("escrutinio"))
                continue;
            if (QString p = buscaPdf(it.value(), hondura - 1); !p.isEmpty())
                return p;
        }
    } else if (valor.isArray()) {
        for (const QJsonValue &v : valor.toArray())
            if (QString p = buscaPdf(v, hondura - 1); !p.isEmpty())
                return p;
    }
    return {};
}

std::vector<Categoria> escrutinio(const QJsonValue &valor)
{
    std::vector<Categoria> r;
    for (const QJsonValue &v : valor.toArray()) {
        if (!v.isObject())
            continue;
        const QJsonObject o = v.toObject();
        r.push_back({texto(o.value(QStringLiteral("tipo"))),
                     texto(o.value(QStringLiteral("categoria"))),
                     textoImporte(o.value(QStringLiteral("premio"))),
                     texto(o.value(QStringLiteral("ganadores")))});
    }
    return r;
}

// Cents of an amount of the breakdown; one written but no amount is noted, once, and unknown.
qint64 importeNotado(const QString &premio, QStringList &noValidos)
{
    if (const std::optional<qint64> c = centimos(premio))
        return *c;
    const QString escrito = premio.trimmed().left(40);
    if (!escrito.isEmpty() && !noValidos.contains(escrito))
        noValidos.append(escrito);
    return Escrutinio::kDesconocido;
}

// The figures of both breakdowns. The first row of a place counts; a label that names no
// category is noted, so that the user hears of a change of the operator's wording.
Escrutinio figuras(const std::vector<Categoria> &lista, const QJsonValue &joker,
                   QStringList &desconocidas, QStringList &noValidos)
{
    Escrutinio e;
    for (const Categoria &c : lista) {
        const int k = casilla(c);
        if (k < 0) {
            const QString etiqueta = c.tipo.simplified();
            if (!etiqueta.isEmpty() && !desconocidas.contains(etiqueta))
                desconocidas.append(etiqueta);
            continue;
        }
        const size_t i = static_cast<size_t>(k);
        if (e.centimos[i] < 0)
            e.centimos[i] = importeNotado(c.premio, noValidos);
        if (e.ganadores[i] < 0)
            e.ganadores[i] = ganadores(c.ganadores).value_or(Escrutinio::kDesconocido);
    }
    for (const QJsonValue &v : joker.toArray()) {
        const QJsonObject o = v.toObject();
        const int k = casillaJoker(texto(o.value(QStringLiteral("tipo"))),
                                   texto(o.value(QStringLiteral("orden_escrutinio"))));
        if (k < 0)
            continue;
        const size_t i = static_cast<size_t>(k);
        if (e.centimosJoker[i] < 0)
            e.centimosJoker[i] =
                importeNotado(textoImporte(o.value(QStringLiteral("premio"))), noValidos);
        if (e.ganadoresJoker[i] < 0)
            e.ganadoresJoker[i] = ganadores(texto(o.value(QStringLiteral("ganadores"))))
                                      .value_or(Escrutinio::kDesconocido);
    }
    return e;
}

enum class Lectura { Sorteo, Pendiente, NoValido };

// One entry of the array: a draw the archive can hold, one listed before its result (no
// combination yet, or a Joker of "-"), or neither. A date that is no draw day of its time
// (a Tuesday, a Monday before Monday draws began) is neither, whatever else the entry holds.
Lectura leeSorteo(const QJsonObject &original, SorteoLeido &s, Respuesta &r)
{
    // The draw is read from the text that is kept of the entry, not from the object: Qt reads
    // a key back other than it wrote it (each reading drops one byte-order mark at the start of
    // a key), and the entry saved must read back as the draw that was taken from it. So the
    // entry is written and read again until it stays the same; one that keeps changing is no
    // draw the service sends.
    QJsonObject o = original;
    s.entrada = QJsonDocument(o).toJson(QJsonDocument::Compact);
    for (int vuelta = 0;; ++vuelta) {
        o = QJsonDocument::fromJson(s.entrada).object();
        QByteArray otra = QJsonDocument(o).toJson(QJsonDocument::Compact);
        if (otra == s.entrada)
            break;
        if (vuelta == 4)
            return Lectura::NoValido;
        s.entrada = std::move(otra);
    }
    s.sorteo.fecha = fecha(o.value(QStringLiteral("fecha_sorteo")));
    const QJsonValue c = o.value(QStringLiteral("combinacion"));
    if (s.sorteo.fecha == 0 || !juego::esDiaDeSorteo(s.sorteo.fecha))
        return Lectura::NoValido;
    static const QRegularExpression cifra(QStringLiteral("\\d"));
    if (c.isNull() || c.isUndefined() || (c.isString() && !c.toString().contains(cifra)) ||
        jokerPendiente(o.value(QStringLiteral("joker"))))
        return Lectura::Pendiente;
    if (!c.isString() || !combinacion(c.toString(), s.sorteo) ||
        !joker(o.value(QStringLiteral("joker")), s.sorteo.joker) || !s.sorteo.esValido())
        return Lectura::NoValido;
    s.escrutinio = escrutinio(o.value(QStringLiteral("escrutinio")));
    s.importes = figuras(s.escrutinio, o.value(QStringLiteral("escrutinio_joker")), r.desconocidas,
                         r.importesNoValidos);
    s.pdf = buscaPdf(o, 4);
    return Lectura::Sorteo;
}

} // namespace

Respuesta lee(const QByteArray &datos)
{
    Respuesta r;
    if (datos.size() > kLimite) {
        r.grande = true;
        return r;
    }
    QByteArray t = datos;
    if (t.startsWith("\xEF\xBB\xBF"))
        t.remove(0, 3);
    // A range without draws comes as a JSON text (a message) or null, which the JSON reader
    // only takes inside an array; one draw saved on its own is an object.
    const QByteArray recortado = t.trimmed();
    if (recortado.startsWith('"') || recortado == "null")
        t = '[' + t + ']';
    QJsonParseError error;
    QJsonDocument documento = QJsonDocument::fromJson(t, &error);
    if (error.error != QJsonParseError::NoError)
        return r;
    if (recortado.startsWith('"') || recortado == "null") {
        r.json = documento.array().size() == 1;
        return r;
    }
    if (documento.isObject()) {
        if (!documento.object().contains(QStringLiteral("fecha_sorteo")))
            return r;
        documento = QJsonDocument(QJsonArray{documento.object()});
    }
    if (!documento.isArray())
        return r;
    r.json = true;

    // Two entries of one date that differ: neither can be trusted.
    std::map<double, SorteoLeido> porFecha;
    std::map<double, int> posicionDe;
    std::set<double> dudosas;
    std::vector<Invalido> invalidos;
    const QJsonArray lista = documento.array();
    for (qsizetype i = 0; i < lista.size(); ++i) {
        const int posicion = static_cast<int>(i + 1);
        SorteoLeido s;
        const Lectura l =
            lista[i].isObject() ? leeSorteo(lista[i].toObject(), s, r) : Lectura::NoValido;
        if (l != Lectura::Sorteo) {
            const double dia =
                lista[i].isObject()
                    ? fecha(lista[i].toObject().value(QStringLiteral("fecha_sorteo")))
                    : 0;
            (l == Lectura::Pendiente ? r.pendientes : invalidos).push_back({posicion, dia});
            continue;
        }
        const double dia = s.sorteo.fecha;
        if (dudosas.count(dia)) {
            invalidos.push_back({posicion, dia});
        } else if (auto previo = porFecha.find(dia); previo == porFecha.end()) {
            posicionDe[dia] = posicion;
            porFecha.emplace(dia, std::move(s));
        } else if (!(previo->second.sorteo == s.sorteo)) {
            invalidos.push_back({posicionDe[dia], dia});
            invalidos.push_back({posicion, dia});
            porFecha.erase(previo);
            dudosas.insert(dia);
        }
    }
    std::sort(invalidos.begin(), invalidos.end(),
              [](const Invalido &a, const Invalido &b) { return a.posicion < b.posicion; });
    r.invalidos = std::move(invalidos);
    for (auto &par : porFecha)
        r.sorteos.push_back(std::move(par.second));
    return r;
}

Lote lote(const Respuesta &respuesta)
{
    Lote l;
    l.sorteos.reserve(respuesta.sorteos.size());
    for (const SorteoLeido &s : respuesta.sorteos)
        l.sorteos.push_back({s.sorteo, s.importes, s.pdf});
    for (const Invalido &i : respuesta.invalidos)
        l.excluidos.push_back({Excluido::Motivo::NoValido, i.posicion, i.fecha});
    for (const Invalido &i : respuesta.pendientes)
        l.excluidos.push_back({Excluido::Motivo::Pendiente, i.posicion, i.fecha});
    std::stable_sort(l.excluidos.begin(), l.excluidos.end(),
                     [](const Excluido &a, const Excluido &b) { return a.posicion < b.posicion; });
    l.desconocidas = respuesta.desconocidas;
    l.importesNoValidos = respuesta.importesNoValidos;
    return l;
}

int casilla(const Categoria &c)
{
    static const QRegularExpression aciertos(
        QStringLiteral("(?<!\\d)([0-9])\\s*aciertos?\\b(\\s*\\+\\s*(c|compl\\w*|r|reint\\w*)\\b)?"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    static const QRegularExpression numerada(QStringLiteral("^\\s*([0-9])\\s*(ª|º|a\\b|\\b|$)"),
                                             QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = aciertos.match(c.tipo); m.hasMatch()) {
        const int n = m.captured(1).toInt();
        const QString mas = m.captured(3).toLower();
        const bool reintegro = mas.startsWith(QLatin1Char('r'));
        const bool complementario = mas.startsWith(QLatin1Char('c'));
        if (n == 6)
            return reintegro ? 0 : complementario ? -1 : 1;
        if (n == 5)
            return reintegro ? -1 : complementario ? 2 : 3;
        if (mas.isEmpty() && (n == 4 || n == 3))
            return n == 4 ? 4 : 5;
        return -1;
    }
    if (c.tipo.contains(QStringLiteral("especial"), Qt::CaseInsensitive))
        return 0;
    if (c.tipo.contains(QStringLiteral("reintegro"), Qt::CaseInsensitive))
        return Escrutinio::kReintegro;
    if (const QRegularExpressionMatch m = numerada.match(c.tipo); m.hasMatch()) {
        const int n = m.captured(1).toInt();
        if (n >= 1 && n <= 5)
            return n;
    }
    return -1;
}

int casillaJoker(const QString &tipo, const QString &orden)
{
    static const QRegularExpression ultimas(QStringLiteral("([2-6])\\s*[uú]ltimas"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (tipo.contains(QStringLiteral("todas"), Qt::CaseInsensitive))
        return 0;
    if (const QRegularExpressionMatch m = ultimas.match(tipo); m.hasMatch())
        return 7 - m.captured(1).toInt();
    bool ok = false;
    const int n = orden.trimmed().toInt(&ok);
    return ok && n >= 1 && n <= Escrutinio::kJoker ? n - 1 : -1;
}

std::array<std::optional<QString>, 6> premios(const std::vector<Categoria> &lista)
{
    std::array<std::optional<QString>, 6> r;
    for (const Categoria &c : lista) {
        const int k = casilla(c);
        if (k < 0 || k >= static_cast<int>(r.size()) || r[static_cast<size_t>(k)])
            continue;
        if (QString t = importe(c.premio); !t.isEmpty())
            r[static_cast<size_t>(k)] = std::move(t);
    }
    return r;
}

QString importe(const QString &premio)
{
    QString t;
    for (QChar c : premio)
        if (!c.isSpace() && c != QChar(0x20AC))
            t += c;
    static const QRegularExpression forma(QStringLiteral("^[0-9][0-9.,]*$"));
    if (!forma.match(t).hasMatch() || t.endsWith(QLatin1Char('.')) || t.endsWith(QLatin1Char(',')))
        return {};
    // With both marks the last one is the decimal mark and the other one separates thousands.
    // With one kind only, a mark used more than once separates thousands ("1.234.567"), and so
    // does a single point before exactly three digits ("25.000", the way Spanish writes it);
    // any other single mark is the decimal one. A comma before three digits ("8,005") is three
    // decimals, never thousands: an amount that is not a whole number of cents is no amount.
    const qsizetype puntos = t.count(QLatin1Char('.'));
    const qsizetype comas = t.count(QLatin1Char(','));
    QChar decimal;
    QChar miles;
    if (puntos > 0 && comas > 0) {
        decimal = t.lastIndexOf(QLatin1Char('.')) > t.lastIndexOf(QLatin1Char(','))
                      ? QLatin1Char('.')
                      : QLatin1Char(',');
        miles = decimal == QLatin1Char('.') ? QLatin1Char(',') : QLatin1Char('.');
        if (t.count(decimal) > 1)
            return {};
    } else if (puntos + comas > 1) {
        miles = puntos ? QLatin1Char('.') : QLatin1Char(',');
    } else if (puntos + comas == 1) {
        const QChar marca = puntos ? QLatin1Char('.') : QLatin1Char(',');
        const bool tresCifras = t.size() - t.indexOf(marca) - 1 == 3;
        if (marca == QLatin1Char('.') && tresCifras && !t.startsWith(QLatin1Char('0')))
            miles = marca;
        else
            decimal = marca;
    }
    QString entera = t;
    QString fraccion;
    if (!decimal.isNull()) {
        entera = t.left(t.lastIndexOf(decimal));
        fraccion = t.mid(t.lastIndexOf(decimal) + 1);
    }
    if (fraccion.size() > 2)
        return {};
    if (!miles.isNull() && entera.contains(miles)) {
        // Thousands come in groups of three after a first group of one to three digits: "1.23"
        // or "12.3456,00" are not amounts written with a thousands separator.
        const QStringList grupos = entera.split(miles);
        if (grupos.front().isEmpty() || grupos.front().size() > 3 ||
            (grupos.front().startsWith(QLatin1Char('0')) && grupos.size() > 1))
            return {};
        for (qsizetype i = 1; i < grupos.size(); ++i)
            if (grupos[i].size() != 3)
                return {};
        entera.remove(miles);
    }
    if (entera.contains(QLatin1Char('.')) || entera.contains(QLatin1Char(',')))
        return {};
    while (entera.size() > 1 && entera.startsWith(QLatin1Char('0')))
        entera.remove(0, 1);
    if (entera.isEmpty() || entera.size() > 15)
        return {};
    const qint64 euros = entera.toLongLong();
    const int centimos = (fraccion + QStringLiteral("00")).left(2).toInt();
    if (euros * 100 + centimos > Escrutinio::kImporteMaximo)
        return {};
    QString r = QString::number(euros);
    for (qsizetype i = r.size() - 3; i > 0; i -= 3)
        r.insert(i, QLatin1Char('.'));
    return r + QLatin1Char(',') + QStringLiteral("%1").arg(centimos, 2, 10, QLatin1Char('0'));
}

std::optional<qint64> centimos(const QString &premio)
{
    QString t = importe(premio);
    if (t.isEmpty())
        return std::nullopt;
    t.remove(QLatin1Char('.'));
    const qsizetype coma = t.indexOf(QLatin1Char(','));
    bool ok = false;
    const qint64 euros = t.left(coma).toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    const int cent = t.mid(coma + 1).toInt(&ok);
    if (!ok)
        return std::nullopt;
    return euros * 100 + cent;
}

std::optional<qint64> ganadores(const QString &texto)
{
    QString t = texto.trimmed();
    t.remove(QLatin1Char('.'));
    if (t.isEmpty() || t.size() > 12 ||
        std::any_of(t.cbegin(), t.cend(), [](QChar c) { return c < u'0' || c > u'9'; }))
        return std::nullopt;
    return t.toLongLong();
}

bool esPdf(const QString &t)
{
    if (t.size() > 2048 || std::any_of(t.cbegin(), t.cend(), [](QChar c) { return c < u' '; }))
        return false;
    static const QRegularExpression consulta(QStringLiteral("[?#]"));
    QString camino = t.trimmed();
    if (const qsizetype fin = camino.indexOf(consulta); fin >= 0)
        camino.truncate(fin);
    return camino.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive);
}

} // namespace servicio
