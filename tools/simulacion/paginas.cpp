#include "simulacion/paginas.h"
#include "archive/fechas.h"

#include <QDate>
#include <QStringList>
#include <QUrl>
#include <algorithm>
#include <utility>

namespace paginas {

namespace {
QByteArray u8(const QString &s)
{
    return s.toUtf8();
}

// A small linear congruential generator: the pages must be the same on every run.
struct Azar {
    quint32 estado;
    quint32 siguiente()
    {
        estado = estado * 1664525u + 1013904223u;
        return estado >> 8;
    }
    int entre(int a, int b) { return a + static_cast<int>(siguiente() % quint32(b - a + 1)); }
};

// Pieces of ordinary page markup. None holds a marker of the parser (no "combi", no
// "do del", no list item opening followed by a blank, no attribute ending in q or ero, no
// "document", no bare table cell, no year followed by a slash, no end mark).
QByteArray pieza(Azar &azar)
{
    const int n = azar.entre(1, 9999);
    switch (azar.entre(0, 11)) {
    case 0:
        return QStringLiteral("<link rel=\"stylesheet\" href=\"/static/css/m%1.css?v=%2\">\n")
            .arg(n)
            .arg(azar.siguiente(), 0, 16)
            .toUtf8();
    case 1:
        return QStringLiteral("<style>.bloque-%1{margin:%2px %3px;padding:%4px;color:#%5;"
                              "background:#%6}.bloque-%1:hover{opacity:.%7}</style>\n")
            .arg(n)
            .arg(azar.entre(0, 40))
            .arg(azar.entre(0, 40))
            .arg(azar.entre(0, 20))
            .arg(azar.siguiente() & 0xFFFFFF, 6, 16, QLatin1Char('0'))
            .arg(azar.siguiente() & 0xFFFFFF, 6, 16, QLatin1Char('0'))
            .arg(azar.entre(1, 9))
            .toUtf8();
    case 2:
        return QStringLiteral("<script>window.dataLayer=window.dataLayer||[];window.dataLayer.push("
                              "{\"event\":\"vista\",\"seccion\":\"primitiva\",\"orden\":%1});"
                              "</script>\n")
            .arg(n)
            .toUtf8();
    case 3:
        return u8(QString::fromUtf8(
            "<nav class=\"menu-principal\"><ul><li><a href=\"/es/loteria-nacional\">Loter&iacute;a "
            "Nacional</a></li><li><a href=\"/es/bonoloto\">Bonoloto</a></li><li><a "
            "href=\"/es/euromillones\">Euromillones</a></li><li><a "
            "href=\"/es/el-gordo-de-la-primitiva\">El Gordo</a></li><li><a "
            "href=\"/es/quiniela\">La Quiniela</a></li><li><a href=\"/es/lototurf\">Lototurf</a>"
            "</li></ul></nav>\n"));
    case 4:
        return QStringLiteral(
                   "<div class=\"banner\" data-pos=\"%1\"><img "
                   "src=\"/static/img/banner-%2.webp\" alt=\"Juega con "
                   "responsabilidad\" width=\"%3\" height=\"%4\" loading=\"lazy\"></div>\n")
            .arg(n)
            .arg(azar.entre(1, 60))
            .arg(azar.entre(200, 1200))
            .arg(azar.entre(50, 400))
            .toUtf8();
    case 5:
        return QString::fromUtf8("<p class=\"legal\">La venta de juegos de loter&iacute;as "
                                 "est&aacute; prohibida a menores de edad. Juega con "
                                 "responsabilidad. Ref. %1.</p>\n")
            .arg(n)
            .toUtf8();
    case 6:
        return QStringLiteral("<svg class=\"icono\" viewBox=\"0 0 24 24\" aria-hidden=\"true\">"
                              "<path d=\"M%1 %2L%3 %4L%5 %6Z\"/></svg>\n")
            .arg(azar.entre(0, 24))
            .arg(azar.entre(0, 24))
            .arg(azar.entre(0, 24))
            .arg(azar.entre(0, 24))
            .arg(azar.entre(0, 24))
            .arg(azar.entre(0, 24))
            .toUtf8();
    case 7:
        return QStringLiteral("<script type=\"application/ld+json\">{\"@context\":\"https:"
                              "//schema.org\",\"@type\":\"WebPage\",\"name\":\"La Primitiva\","
                              "\"position\":%1}</script>\n")
            .arg(n)
            .toUtf8();
    case 8:
        return QString::fromUtf8("<div class=\"enlaces-pie pie-%1\"><a href=\"/es/ayuda\">Ayuda"
                                 "</a> | <a href=\"/es/aviso-legal\">Aviso legal</a> | <a "
                                 "href=\"/es/cookies\">Pol&iacute;tica de cookies</a></div>\n")
            .arg(n)
            .toUtf8();
    case 9:
        return QString::fromUtf8("<div class=\"publicidad\" id=\"pub-%1\"><span>Bote estimado: "
                                 "%2.000.000 &euro;</span></div>\n")
            .arg(n)
            .arg(azar.entre(1, 150))
            .toUtf8();
    case 10:
        return QString::fromUtf8("<table class=\"horarios\"><tr><th>D&iacute;a</th><th>Cierre"
                                 "</th></tr><tr><td class=\"dia\">Lunes</td><td class=\"hora\">"
                                 "%1:30</td></tr></table>\n")
            .arg(azar.entre(10, 21))
            .toUtf8();
    default:
        return QStringLiteral("<script>(function(){var n=%1;for(var i=0;i<n;i++){window."
                              "requestAnimationFrame(function(){});}})();</script>\n")
            .arg(azar.entre(1, 9))
            .toUtf8();
    }
}

const char *const kDias[] = {"Domingo", "Lunes",   "Martes",       "Mi&eacute;rcoles",
                             "Jueves",  "Viernes", "S&aacute;bado"};
const char *const kMeses[] = {"Enero",      "Febrero", "Marzo",     "Abril",
                              "Mayo",       "Junio",   "Julio",     "Agosto",
                              "Septiembre", "Octubre", "Noviembre", "Diciembre"};

QDate diaDe(const Sorteo &s)
{
    return fechas::dia(s.fecha);
}

// "Resultado del&nbsp;S&aacute;bado 3 de Enero de 2026" and the link to the draw's page.
QByteArray parteFecha(const SorteoWeb &w)
{
    const QDate d = diaDe(w.sorteo);
    QByteArray r;
    r += "<h3 class=\"titulo-sorteo\">Resultado del&nbsp;";
    r += kDias[fechas::numeroDia(w.sorteo.fecha) - 1];
    r += ' ' + QByteArray::number(d.day()) + " de " + kMeses[d.month() - 1] + " de " +
         QByteArray::number(d.year()) + "</h3>\n";
    r += "<a class=\"ver-sorteo\" href=\"/es/la-primitiva/sorteos/" + u8(w.enlace()) +
         "\">Ver el sorteo completo</a>\n";
    return r;
}

QByteArray bloqueNumeros(const SorteoWeb &w)
{
    auto valor = [&w](double v) {
        return w.publicado ? QByteArray::number(static_cast<qint64>(v)) : QByteArray();
    };
    QByteArray r = "<div class=\"combinacion-ganadora\">\n<ul class=\"bolas\">\n";
    for (qint16 n : w.sorteo.numeros)
        r += "<li> " + valor(n) + "</li>\n";
    r += "</ul>\n<p class=\"extras\"><span class=\"etiqueta\">C</span> <span "
         "class=\"bola-complementario sq\">" +
         valor(w.sorteo.complementario) +
         "</span> <span class=\"etiqueta\">R</span> <span class=\"bola-reintegro sq\">" +
         valor(w.sorteo.reintegro) + "</span></p>\n";
    // The Joker's digits are shown one by one, separated by blanks.
    QByteArray joker;
    for (char c : valor(w.sorteo.joker)) {
        if (!joker.isEmpty())
            joker += ' ';
        joker += c;
    }
    r += "<div class=\"joker\"><span class=\"etiqueta\">Joker</span> <span class=\"numero\">" +
         joker + "</span></div>\n</div>\n";
    return r;
}

QByteArray cabecera(const QByteArray &titulo)
{
    return "<!DOCTYPE html>\n<html lang=\"es\">\n<head>\n<meta charset=\"utf-8\">\n<meta "
           "name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
           titulo + " | Loter&iacute;as y Apuestas del Estado</title>\n";
}
} // namespace

QString SorteoWeb::enlace() const
{
    return QStringLiteral("%1/%2")
        .arg(diaDe(sorteo).year())
        .arg(static_cast<qint64>(sorteo.fecha) * 100 + 1);
}

QString SorteoWeb::rutaPdf() const
{
    const QDate d = diaDe(sorteo);
    return QString::fromUtf8("/f/loterias/documentos/LOTERÍA/La Primitiva/%1/LP_%2.pdf")
        .arg(d.year())
        .arg(d.toString(QStringLiteral("yyyy-MM-dd")));
}

QByteArray relleno(qsizetype bytes, quint32 semilla)
{
    Azar azar{semilla};
    QByteArray r;
    r.reserve(bytes + 600);
    while (r.size() < bytes)
        r += pieza(azar);
    return r;
}

QByteArray busqueda(const std::vector<SorteoWeb> &sorteos, qsizetype bytes, bool agrupados)
{
    // Every article carries this much markup before its date, so that consecutive dates are
    // far apart while the end mark stays close after the last one.
    constexpr qsizetype kAntesDeFecha = 3600;
    quint32 semilla = 7;
    QByteArray r = cabecera("Buscador de sorteos");
    r += relleno(bytes * 40 / 100, semilla++);
    r += "</head>\n<body class=\"buscador\">\n";
    r += relleno(bytes * 15 / 100, semilla++);
    r += "<main id=\"contenido\">\n<h1>La Primitiva: resultados de la b&uacute;squeda</h1>\n"
         "<section class=\"resultados\">\n";
    for (const SorteoWeb &w : sorteos) {
        r += "<article class=\"sorteo-resultado\">\n";
        r += relleno(kAntesDeFecha, semilla++);
        r += parteFecha(w);
        if (!agrupados)
            r += bloqueNumeros(w);
        r += "</article>\n";
    }
    r += "</section>\n<!-- while-fin del listado -->\n";
    if (agrupados) {
        r += "<section class=\"combinaciones\">\n";
        for (const SorteoWeb &w : sorteos) {
            r += relleno(800, semilla++);
            r += bloqueNumeros(w);
        }
        r += "</section>\n";
    }
    r += "</main>\n<footer>\n";
    if (r.size() < bytes)
        r += relleno(bytes - r.size(), semilla++);
    r += "</footer>\n</body>\n</html>\n";
    return r;
}

QByteArray sorteo(const SorteoWeb &w, qsizetype bytes)
{
    static const char *const kCategorias[6] = {"1&ordf; (6 aciertos)", "2&ordf; (5 + C)",
                                               "3&ordf; (5 aciertos)", "4&ordf; (4 aciertos)",
                                               "5&ordf; (3 aciertos)", "Reintegro"};
    const QDate d = diaDe(w.sorteo);
    QByteArray r =
        cabecera("La Primitiva: sorteo del " + d.toString(QStringLiteral("dd/MM/yyyy")).toUtf8());
    r += relleno(bytes * 45 / 100, 101);
    r += "</head>\n<body class=\"sorteo\">\n";
    r += relleno(bytes * 15 / 100, 102);
    r += "<main id=\"contenido\">\n<h1>La Primitiva: sorteo del ";
    r += kDias[fechas::numeroDia(w.sorteo.fecha) - 1];
    r += ' ' + QByteArray::number(d.day()) + " de " + kMeses[d.month() - 1] + " de " +
         QByteArray::number(d.year()) + "</h1>\n";
    r += bloqueNumeros(w);
    r += "<section class=\"escrutinio\">\n<table class=\"tabla-premios\">\n<thead><tr><th>"
         "Categor&iacute;as</th><th>Premio</th><th>Acertantes</th></tr></thead>\n<tbody>\n";
    for (int k = 0; k < 6; ++k) {
        r += "<tr><td>";
        r += kCategorias[k];
        r += "</td><td>" + u8(w.premios[static_cast<size_t>(k)]) +
             " &euro;</td><td class=\"acertantes\">" + QByteArray::number(k * 7 + 1) +
             "</td></tr>\n";
    }
    r += "</tbody>\n</table>\n<p class=\"nota\">Importes por acertante.</p>\n</section>\n";
    r += "<section class=\"descargas\">\n<h2>DOCUMENTOS DEL SORTEO</h2>\n";
    if (w.conPdf)
        r += "<ul><li><a href=\"" + u8(w.rutaPdf()) +
             "\" target=\"_blank\">Acta del sorteo (PDF)</a></li></ul>\n";
    else
        r += "<p>Pr&oacute;ximamente.</p>\n";
    r += "</section>\n</main>\n<footer>\n";
    if (r.size() < bytes)
        r += relleno(bytes - r.size(), 103);
    r += "</footer>\n</body>\n</html>\n";
    return r;
}

namespace {
// A JSON value written the way the operator's service writes it. QJsonDocument would sort the
// keys and leave accented letters as UTF-8; the real answers keep the operator's field order and
// escape every character beyond ASCII, and a reader must cope with both.
struct Json {
    enum class Tipo { Nulo, Texto, Numero, Objeto, Lista };
    Tipo tipo = Tipo::Nulo;
    QString texto;
    qint64 numero = 0;
    std::vector<std::pair<const char *, Json>> campos;
    std::vector<Json> elementos;

    static Json de(const QString &t)
    {
        Json j;
        j.tipo = Tipo::Texto;
        j.texto = t;
        return j;
    }
    static Json entero(qint64 n)
    {
        Json j;
        j.tipo = Tipo::Numero;
        j.numero = n;
        return j;
    }
    static Json objeto()
    {
        Json j;
        j.tipo = Tipo::Objeto;
        return j;
    }
    static Json lista()
    {
        Json j;
        j.tipo = Tipo::Lista;
        return j;
    }
    Json &con(const char *clave, Json valor)
    {
        campos.emplace_back(clave, std::move(valor));
        return *this;
    }
};

QByteArray cadena(const QString &t)
{
    QByteArray r = "\"";
    for (const QChar c : t) {
        const char16_t u = c.unicode();
        if (u == u'"' || u == u'\\') {
            r += '\\';
            r += static_cast<char>(u);
        } else if (u < 0x20 || u > 0x7E) {
            r += "\\u" + QByteArray::number(u, 16).rightJustified(4, '0');
        } else {
            r += static_cast<char>(u);
        }
    }
    return r + '"';
}

// Four blanks a level, as the real answers are indented; an empty list keeps the blank line
// the real answers have inside it.
void escribe(const Json &j, int nivel, QByteArray &r)
{
    const QByteArray dentro(4 * (nivel + 1), ' ');
    const QByteArray fuera(4 * nivel, ' ');
    switch (j.tipo) {
    case Json::Tipo::Nulo:
        r += "null";
        break;
    case Json::Tipo::Numero:
        r += QByteArray::number(j.numero);
        break;
    case Json::Tipo::Texto:
        r += cadena(j.texto);
        break;
    case Json::Tipo::Lista:
        r += "[\n";
        if (j.elementos.empty())
            r += '\n';
        for (size_t i = 0; i < j.elementos.size(); ++i) {
            r += dentro;
            escribe(j.elementos[i], nivel + 1, r);
            r += i + 1 < j.elementos.size() ? ",\n" : "\n";
        }
        r += fuera + ']';
        break;
    case Json::Tipo::Objeto:
        r += "{\n";
        for (size_t i = 0; i < j.campos.size(); ++i) {
            r += dentro + cadena(QString::fromLatin1(j.campos[i].first)) + ": ";
            escribe(j.campos[i].second, nivel + 1, r);
            r += i + 1 < j.campos.size() ? ",\n" : "\n";
        }
        r += fuera + '}';
        break;
    }
}

// "1.234.567,89" as the service writes amounts: "1234567,89", and a whole amount without
// decimals ("8,00": "8").
QString importe(QString texto)
{
    texto.remove(QLatin1Char('.'));
    if (texto.endsWith(QStringLiteral(",00")))
        texto.chop(3);
    return texto;
}

qint64 centimos(const QString &texto)
{
    return qRound64(importe(texto).replace(QLatin1Char(','), QLatin1Char('.')).toDouble() * 100);
}

// The draw's number in its year, counted on the calendar's draw days (the service numbers the
// draws of a year from 1, whatever draws the stand-in happens to hold).
int numeroEnElAnyo(const QDate &d)
{
    int n = 0;
    for (QDate x(d.year(), 1, 1); x <= d; x = x.addDays(1)) {
        const double s = fechas::serial(x);
        if (fechas::bitDia(s) & fechas::diasDeSorteo(s))
            ++n;
    }
    return std::max(n, 1);
}

// The operator's day counter ("cdc"): 9910 on 17/08/2017, so it counts from 30/06/1990. No
// real value is known for older draws; they count from the game's first draw so that the
// field stays positive.
qint64 contadorDias(const QDate &d)
{
    const qint64 desde1990 = QDate(1990, 6, 30).daysTo(d);
    return desde1990 > 0 ? desde1990 : std::max<qint64>(1, QDate(1985, 10, 16).daysTo(d));
}

// From 2013 the breakdown has the special category first and the refund last; before 2004 the
// labels kept the 1985 style, two blanks and none after.
const QDate kSieteCategorias(2013, 1, 1);
const QDate kEtiquetasAntiguas(2004, 1, 1);

Json fila(const QString &tipo, int categoria, const QString &premio, int ganadores)
{
    return Json::objeto()
        .con("tipo", Json::de(tipo))
        .con("categoria", Json::entero(categoria))
        .con("premio", Json::de(importe(premio)))
        .con("ganadores", Json::de(QString::number(ganadores)));
}

// The breakdown's rows and the prize money they add up to, in cents.
Json escrutinio(const SorteoWeb &w, const QDate &d, qint64 &total)
{
    static const char *const kAciertos[] = {"(6 Aciertos)", "(5 Aciertos + C)", "(5 Aciertos)",
                                            "(4 Aciertos)", "(3 Aciertos)"};
    Json filas = Json::lista();
    total = 0;
    auto agrega = [&](const QString &tipo, const QString &premio, int ganadores) {
        filas.elementos.push_back(
            fila(tipo, static_cast<int>(filas.elementos.size()) + 1, premio, ganadores));
        total += centimos(premio) * ganadores;
    };
    const bool siete = d >= kSieteCategorias;
    if (siete)
        agrega(QStringLiteral("Especial (6 Aciertos + R) "), w.especial, w.ganadores[0]);
    for (size_t k = 0; k < 5; ++k) {
        const QString tipo =
            d < kEtiquetasAntiguas
                ? QString::fromUtf8("%1ª  %2").arg(k + 1).arg(QLatin1String(kAciertos[k]))
                : QString::fromUtf8("%1ª %2 ").arg(k + 1).arg(QLatin1String(kAciertos[k]));
        agrega(tipo, w.premios[k], w.ganadores[k + 1]);
    }
    if (siete)
        agrega(QStringLiteral("Reintegro"), w.premios[5], w.ganadores[6]);
    return filas;
}

Json escrutinioJoker(const SorteoWeb &w)
{
    Json filas = Json::lista();
    for (size_t k = 0; k < 6; ++k) {
        const QString tipo =
            k == 0 ? QString::fromUtf8("1ª (todas las cifras)")
                   : QString::fromUtf8("%1ª (%2 últimas cifras)").arg(k + 1).arg(7 - k);
        filas.elementos.push_back(Json::objeto()
                                      .con("tipo", Json::de(tipo))
                                      .con("ganadores", Json::entero(w.ganadoresJoker[k]))
                                      .con("premio", Json::de(importe(w.premiosJoker[k])))
                                      .con("orden_escrutinio", Json::de(QString::number(k + 1))));
    }
    return filas;
}

Json entradaServicio(const SorteoWeb &w, const QString &sitio, bool malo)
{
    const Sorteo &s = w.sorteo;
    const QDate d = diaDe(s);
    const bool conNumeros = w.publicado;
    const bool conDesglose = conNumeros && w.desgloseTardio <= 0;
    // The figures the program does not read still differ from draw to draw, and from run to
    // run only when the draw does.
    Azar azar{static_cast<quint32>(static_cast<qint64>(s.fecha)) * 2654435761u};
    const int numero = numeroEnElAnyo(d);
    const QString cdc = QString::number(contadorDias(d));
    const QString orden = QStringLiteral("%1").arg(numero, 3, 10, QLatin1Char('0'));
    const qint64 apuestas = azar.entre(4000000, 12000000);

    auto dos = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    std::vector<qint16> numeros(s.numeros.begin(), s.numeros.end());
    if (malo)
        numeros.back() = numeros.front();
    auto combinacion = [&](const std::vector<qint16> &bolas) {
        QStringList t;
        for (qint16 n : bolas)
            t << dos(n);
        return t.join(QStringLiteral(" - ")) +
               QStringLiteral(" C(%1) R(%2)").arg(dos(s.complementario)).arg(s.reintegro);
    };
    // The record of the draw lists the balls as they came out of the drum.
    std::vector<qint16> extraccion = numeros;
    for (size_t i = extraccion.size() - 1; i > 0; --i)
        std::swap(extraccion[i], extraccion[static_cast<size_t>(azar.entre(0, int(i)))]);

    qint64 total = 0;
    const Json filas = conDesglose ? escrutinio(w, d, total) : Json::lista();
    Json o = Json::objeto();
    o.con("fecha_sorteo", Json::de(d.toString(QStringLiteral("yyyy-MM-dd")) +
                                   QStringLiteral(" 21:%1:00").arg(35 + azar.entre(0, 9))))
        .con("dia_semana", Json::de(diasemana(s.fecha).toLower()))
        .con("id_sorteo", Json::de(cdc + QStringLiteral("04") + orden))
        .con("game_id", Json::de(QStringLiteral("LAPR")))
        .con("anyo", Json::de(QString::number(d.year())))
        .con("numero", Json::entero(numero))
        .con("premio_bote", Json::de(QString::number(azar.entre(10, 150) * 100000)))
        .con("cdc", Json::de(cdc))
        .con("apuestas", Json::de(QString::number(conNumeros ? apuestas : 0)))
        .con("recaudacion", conNumeros ? Json::de(QString::number(apuestas * 100)) : Json())
        .con("combinacion", conNumeros ? Json::de(combinacion(numeros)) : Json())
        .con("combinacion_acta", conNumeros ? Json::de(combinacion(extraccion)) : Json())
        .con("premios", Json::de(QString::number(total)))
        .con("fondo_bote",
             Json::de(QString::number(conNumeros ? qint64(azar.entre(100000, 400000)) * 1000 : 0)));
    if (s.joker != 0) {
        o.con("joker",
              Json::objeto()
                  .con("gameid", Json::de(QStringLiteral("LAJO")))
                  .con("relsorteoid_asociado", Json::de(cdc + QStringLiteral("10") + orden))
                  .con("combinacion",
                       Json::de(conNumeros ? QStringLiteral("%1").arg(static_cast<qint64>(s.joker),
                                                                      7, 10, QLatin1Char('0'))
                                           : QStringLiteral("-")))
                  .con("bote_joker", Json::entero(centimos(w.premiosJoker[0]) / 100))
                  .con("activo", Json::de(QStringLiteral("1"))));
    }
    o.con("escrutinio", filas);
    o.con("escrutinio_joker", conDesglose && s.joker != 0 ? escrutinioJoker(w) : Json::lista());
    if (!sitio.isEmpty() && w.conPdf)
        o.con("url_pdf", Json::de(QUrl(sitio + w.rutaPdf()).toString(QUrl::FullyEncoded)));
    return o;
}
} // namespace

QByteArray servicio(const std::vector<SorteoWeb> &sorteos, const QString &sitio, const QDate &malo,
                    qsizetype bytes)
{
    QByteArray r;
    if (sorteos.empty()) {
        r = cadena(QString::fromUtf8(kSinSorteos));
    } else {
        Json lista = Json::lista();
        for (const SorteoWeb &w : sorteos)
            lista.elementos.push_back(
                entradaServicio(w, sitio, malo.isValid() && diaDe(w.sorteo) == malo));
        escribe(lista, 0, r);
    }
    r += '\n';
    if (r.size() < bytes)
        r += QByteArray(bytes - r.size(), ' ');
    return r;
}

QByteArray pdf(const QString &titulo)
{
    QByteArray texto = titulo.toLatin1();
    texto.replace('\\', "\\\\").replace('(', "\\(").replace(')', "\\)");
    const QByteArray contenido = "BT /F1 20 Tf 72 760 Td (" + texto + ") Tj ET\n";
    const QByteArray objetos[] = {
        "<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R /Resources << "
        "/Font << /F1 5 0 R >> >> >>",
        "<< /Length " + QByteArray::number(contenido.size()) + " >>\nstream\n" + contenido +
            "endstream",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"};
    QByteArray r = "%PDF-1.4\n";
    QList<qsizetype> posiciones;
    for (int i = 0; i < 5; ++i) {
        posiciones.append(r.size());
        r += QByteArray::number(i + 1) + " 0 obj\n" + objetos[i] + "\nendobj\n";
    }
    const qsizetype xref = r.size();
    r += "xref\n0 6\n0000000000 65535 f \n";
    for (qsizetype p : posiciones)
        r += QByteArray::number(p).rightJustified(10, '0') + " 00000 n \n";
    r += "trailer\n<< /Size 6 /Root 1 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return r;
}

} // namespace paginas
