#include "archive/textosorteos.h"
#include "archive/fechas.h"
#include "archive/juego.h"
#include "archive/respuestaservicio.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <algorithm>
#include <cmath>

namespace {
using Lectura = textosorteos::Lectura;

constexpr qint64 kMaxJoker = 9999999;

bool esDigito(char c)
{
    return c >= '0' && c <= '9';
}

// Digits only, no sign: a field such as "-3" or "4.5" is not a number of a draw. Long runs of
// leading zeros are allowed, an overflow is not.
bool entero(const QByteArray &campo, qint64 &valor)
{
    if (campo.isEmpty())
        return false;
    valor = 0;
    for (char c : campo) {
        if (!esDigito(c))
            return false;
        valor = valor * 10 + (c - '0');
        if (valor > kMaxJoker)
            return false;
    }
    return true;
}

// Day, month and year of the two forms people write: d/m/aaaa (as the draws are published) and
// aaaa-mm-dd (as spreadsheets and databases export them).
double fecha(const QByteArray &texto)
{
    QList<QByteArray> partes = texto.split('/');
    int iDia = 0, iMes = 1, iAno = 2;
    if (partes.size() != 3) {
        partes = texto.split('-');
        iDia = 2;
        iAno = 0;
    }
    if (partes.size() != 3 || partes[iAno].size() != 4 || partes[iDia].size() > 2 ||
        partes[iMes].size() > 2)
        return 0;
    qint64 d = 0, m = 0, a = 0;
    if (!entero(partes[iDia], d) || !entero(partes[iMes], m) || !entero(partes[iAno], a))
        return 0;
    const QDate dia(static_cast<int>(a), static_cast<int>(m), static_cast<int>(d));
    return dia.isValid() ? fechas::serial(dia) : 0;
}

// The archive keeps the six numbers in ascending order whatever order the file gave them in.
Sorteo compone(double dia, std::array<qint64, 6> numeros, qint64 complementario, qint64 reintegro,
               qint64 joker)
{
    std::sort(numeros.begin(), numeros.end());
    Sorteo s;
    for (size_t i = 0; i < 6; ++i)
        s.numeros[i] = static_cast<qint16>(numeros[i]);
    s.complementario = static_cast<qint16>(complementario);
    s.reintegro = static_cast<qint16>(reintegro);
    s.fecha = dia;
    s.joker = static_cast<double>(joker);
    return s;
}

void anota(Lectura &r, bool valido, const Sorteo &s, int donde)
{
    if (valido && textosorteos::admisible(s)) {
        r.sorteos.push_back(s);
        return;
    }
    ++r.invalidas;
    if (r.primeraInvalida == 0)
        r.primeraInvalida = donde;
}

// --- CSV ---

char separador(const QByteArray &linea)
{
    const qsizetype puntoycoma = linea.count(';');
    const qsizetype tabulador = linea.count('\t');
    const qsizetype coma = linea.count(',');
    if (puntoycoma >= tabulador && puntoycoma >= coma && puntoycoma > 0)
        return ';';
    if (tabulador >= coma && tabulador > 0)
        return '\t';
    return ',';
}

// A spreadsheet may quote every field.
QByteArray limpia(QByteArray campo)
{
    campo = campo.trimmed();
    if (campo.size() >= 2 && campo.front() == '"' && campo.back() == '"')
        campo = campo.mid(1, campo.size() - 2).trimmed();
    return campo;
}

bool analizaLinea(const QList<QByteArray> &crudos, Sorteo &s)
{
    QList<QByteArray> campos;
    for (const QByteArray &c : crudos)
        campos.append(limpia(c));
    // A separator at the end of the line, or an empty refund and Joker, are fields left out.
    while (campos.size() > 8 && campos.back().isEmpty())
        campos.removeLast();
    if (campos.size() < 8 || campos.size() > 10)
        return false;
    const double dia = fecha(campos[0]);
    if (dia == 0)
        return false;
    std::array<qint64, 6> numeros{};
    for (int i = 0; i < 6; ++i)
        if (!entero(campos[i + 1], numeros[static_cast<size_t>(i)]))
            return false;
    qint64 complementario = 0, reintegro = 0, joker = 0;
    if (!entero(campos[7], complementario))
        return false;
    if (campos.size() > 8 && !campos[8].isEmpty() && !entero(campos[8], reintegro))
        return false;
    // The results page writes the Joker with its digits apart ("1 8 0 7 4 0 1").
    QByteArray digitosJoker;
    if (campos.size() > 9)
        digitosJoker = QByteArray(campos[9]).replace(' ', QByteArrayView());
    if (!digitosJoker.isEmpty() && !entero(digitosJoker, joker))
        return false;
    s = compone(dia, numeros, complementario, reintegro, joker);
    return true;
}

// --- JSON ---

bool entero(const QJsonValue &v, qint64 &valor)
{
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    if (!(d >= 0 && d <= kMaxJoker) || d != std::floor(d))
        return false;
    valor = static_cast<qint64>(d);
    return true;
}

// An unknown refund or Joker is null in the history (none before 1991 and 2012).
bool opcional(const QJsonValue &v, qint64 &valor)
{
    valor = 0;
    return v.isNull() || v.isUndefined() || entero(v, valor);
}

bool analizaEntrada(const QJsonValue &entrada, Sorteo &s)
{
    const QJsonObject o = entrada.toObject();
    const QJsonArray lista = o.value(QLatin1String("numeros")).toArray();
    const QJsonValue textoFecha = o.value(QLatin1String("fecha"));
    if (!entrada.isObject() || lista.size() != 6 || !textoFecha.isString())
        return false;
    const double dia = fecha(textoFecha.toString().toUtf8());
    std::array<qint64, 6> numeros{};
    for (int i = 0; i < 6; ++i)
        if (!entero(lista[i], numeros[static_cast<size_t>(i)]))
            return false;
    qint64 complementario = 0, reintegro = 0, joker = 0;
    if (dia == 0 || !entero(o.value(QLatin1String("complementario")), complementario) ||
        !opcional(o.value(QLatin1String("reintegro")), reintegro) ||
        !opcional(o.value(QLatin1String("joker")), joker))
        return false;
    s = compone(dia, numeros, complementario, reintegro, joker);
    return true;
}

Lectura leeHistorico(const QJsonArray &lista)
{
    Lectura r;
    r.formato = Lectura::Formato::Historico;
    for (qsizetype i = 0; i < lista.size(); ++i) {
        Sorteo s;
        const bool valido = analizaEntrada(lista[i], s);
        anota(r, valido, s, static_cast<int>(i + 1));
    }
    return r;
}

// Which of the two JSON lists this is, by the first entry that carries the marks of one.
Lectura::Formato formatoJson(const QJsonArray &lista)
{
    for (const QJsonValue &v : lista) {
        const QJsonObject o = v.toObject();
        if (o.contains(QLatin1String("fecha_sorteo")))
            return Lectura::Formato::Servicio;
        if (o.contains(QLatin1String("fecha")) && o.contains(QLatin1String("numeros")))
            return Lectura::Formato::Historico;
    }
    // An empty list is an empty history; a list of something else is nothing known.
    return lista.isEmpty() ? Lectura::Formato::Historico : Lectura::Formato::Desconocido;
}

qsizetype inicioTexto(const QByteArray &texto)
{
    qsizetype i = texto.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < texto.size() &&
           (texto[i] == ' ' || texto[i] == '\t' || texto[i] == '\r' || texto[i] == '\n'))
        ++i;
    return i;
}
} // namespace

namespace textosorteos {

bool admisible(const Sorteo &sorteo)
{
    return sorteo.esValido() && sorteo.fecha > 1 && fechas::dia(sorteo.fecha).isValid() &&
           juego::esDiaDeSorteo(sorteo.fecha);
}

Lectura leeCsv(const QByteArray &texto)
{
    Lectura r;
    r.formato = Lectura::Formato::Csv;
    char sep = 0;
    int linea = 0;
    qsizetype pos = texto.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (pos < texto.size()) {
        // Lines end in LF, CRLF or a lone CR (older Mac spreadsheets).
        qsizetype fin = pos;
        while (fin < texto.size() && texto[fin] != '\n' && texto[fin] != '\r')
            ++fin;
        const QByteArray contenido = texto.mid(pos, fin - pos).trimmed();
        pos = fin + (texto.mid(fin, 2) == "\r\n" ? 2 : 1);
        ++linea;
        if (contenido.isEmpty())
            continue;
        const bool primera = sep == 0;
        if (primera)
            sep = separador(contenido);
        const QList<QByteArray> campos = contenido.split(sep);
        if (primera && std::none_of(campos[0].begin(), campos[0].end(), esDigito))
            continue; // the header
        Sorteo s;
        const bool valido = analizaLinea(campos, s);
        anota(r, valido, s, linea);
    }
    return r;
}

Lectura leeHistorico(const QByteArray &texto)
{
    const QJsonDocument doc = QJsonDocument::fromJson(texto);
    if (!doc.isArray())
        return {};
    return ::leeHistorico(doc.array());
}

Lectura leeServicio(const QByteArray &texto)
{
    const servicio::Respuesta respuesta = servicio::lee(texto);
    Lectura r;
    if (respuesta.grande) {
        r.formato = Lectura::Formato::Servicio;
        r.limite = servicio::kLimite;
        return r;
    }
    if (!respuesta.json)
        return r;
    r.formato = Lectura::Formato::Servicio;
    r.lote = servicio::lote(respuesta);
    for (const servicio::Invalido &inv : respuesta.invalidos) {
        ++r.invalidas;
        if (r.primeraInvalida == 0 || inv.posicion < r.primeraInvalida)
            r.primeraInvalida = inv.posicion;
    }
    // The service's reader keeps no position of the draws it took; one the archive may not take
    // is counted without a place.
    for (const servicio::SorteoLeido &leido : respuesta.sorteos) {
        if (admisible(leido.sorteo))
            r.sorteos.push_back(leido.sorteo);
        else
            ++r.invalidas;
    }
    return r;
}

Lectura lee(const QByteArray &texto)
{
    const qsizetype inicio = inicioTexto(texto);
    if (inicio < texto.size() && (texto[inicio] == '[' || texto[inicio] == '{')) {
        const QJsonDocument doc = QJsonDocument::fromJson(texto.mid(inicio));
        // One draw saved on its own, as the per-date service answers it.
        if (doc.isObject() && doc.object().contains(QLatin1String("fecha_sorteo")))
            return leeServicio(texto.mid(inicio));
        if (!doc.isArray())
            return {};
        switch (formatoJson(doc.array())) {
        case Lectura::Formato::Historico:
            return ::leeHistorico(doc.array());
        case Lectura::Formato::Servicio:
            return leeServicio(texto.mid(inicio));
        default:
            return {};
        }
    }
    if (texto.contains('\0'))
        return {};
    return leeCsv(texto);
}

QByteArray aCsv(const std::vector<Sorteo> &sorteos)
{
    QByteArray csv = "fecha;n1;n2;n3;n4;n5;n6;complementario;reintegro;joker\r\n";
    csv.reserve(csv.size() + static_cast<qsizetype>(sorteos.size()) * 48);
    for (const Sorteo &s : sorteos) {
        csv += fechas::textoCorto(s.fecha).toLatin1();
        for (qint16 n : s.numeros)
            csv += ';' + QByteArray::number(n);
        csv += ';' + QByteArray::number(s.complementario);
        csv += ';' + QByteArray::number(s.reintegro);
        // A whole Joker as its digits; anything else as it is, and the import will refuse it.
        const bool entero =
            std::isfinite(s.joker) && std::fabs(s.joker) < 1e15 && s.joker == std::floor(s.joker);
        csv += ';' + (entero ? QByteArray::number(static_cast<qint64>(s.joker))
                             : QByteArray::number(s.joker, 'g', 17));
        csv += "\r\n";
    }
    return csv;
}

} // namespace textosorteos
