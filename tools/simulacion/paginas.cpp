#include "simulacion/paginas.h"
#include "archive/fechas.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

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
// "1.234.567,89" as the service writes amounts: "1234567.89".
QString conPunto(QString importe)
{
    return importe.remove(QLatin1Char('.')).replace(QLatin1Char(','), QLatin1Char('.'));
}

QJsonObject categoria(const char *tipo, const char *nombre, const QJsonValue &premio, int ganadores)
{
    return QJsonObject{{QStringLiteral("tipo"), QString::fromUtf8(tipo)},
                       {QStringLiteral("categoria"), QString::fromUtf8(nombre)},
                       {QStringLiteral("premio"), premio},
                       {QStringLiteral("ganadores"), QString::number(ganadores)}};
}

QJsonObject entradaServicio(const SorteoWeb &w, const QString &sitio, bool malo)
{
    const Sorteo &s = w.sorteo;
    const QDate d = diaDe(s);
    auto dos = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    QStringList numeros;
    for (qint16 n : s.numeros)
        numeros << dos(n);
    if (malo)
        numeros.last() = numeros.first();
    const QString combinacion =
        numeros.join(QStringLiteral(" - ")) +
        QStringLiteral(" C(%1) R(%2)").arg(dos(s.complementario)).arg(s.reintegro);
    QJsonObject o{{QStringLiteral("id_sorteo"), QString::number(qint64(s.fecha) * 100 + 1)},
                  {QStringLiteral("game_id"), QStringLiteral("LAPR")},
                  {QStringLiteral("fecha_sorteo"),
                   d.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00")},
                  {QStringLiteral("dia_semana"), diasemana(s.fecha).toLower()},
                  {QStringLiteral("anyo"), QString::number(d.year())},
                  {QStringLiteral("combinacion"), combinacion},
                  {QStringLiteral("premio_bote"), QStringLiteral("0.00")},
                  {QStringLiteral("apuestas"), QStringLiteral("7654321")},
                  {QStringLiteral("recaudacion"), QStringLiteral("7654321.00")}};
    if (s.joker != 0) {
        // Seven digits in groups, the way the ticket prints it: "0 559 707".
        QString joker = QStringLiteral("%1").arg(qint64(s.joker), 7, 10, QLatin1Char('0'));
        joker.insert(4, QLatin1Char(' ')).insert(1, QLatin1Char(' '));
        o.insert(QStringLiteral("joker"),
                 QJsonObject{{QStringLiteral("combinacion"), joker},
                             {QStringLiteral("premio_bote"), QStringLiteral("0.00")}});
    }
    const auto &p = w.premios;
    o.insert(QStringLiteral("escrutinio"),
             QJsonArray{categoria("Especial (6 Aciertos + Reintegro)", "Especial",
                                  conPunto(w.especial), 0),
                        categoria("1ª Categoría (6 Aciertos)", "1ª", conPunto(p[0]), 1),
                        categoria("2ª Categoría (5 Aciertos + C)", "2ª", conPunto(p[1]), 8),
                        categoria("3ª Categoría (5 Aciertos)", "3ª", conPunto(p[2]), 15),
                        // Some amounts come as numbers.
                        categoria("4ª Categoría (4 Aciertos)", "4ª", conPunto(p[3]).toDouble(), 22),
                        categoria("5ª Categoría (3 Aciertos)", "5ª", conPunto(p[4]), 29),
                        categoria("Reintegro", "Reintegro", conPunto(p[5]), 36)});
    if (w.conPdf)
        o.insert(QStringLiteral("url_pdf"), QUrl(sitio + w.rutaPdf()).toString(QUrl::FullyEncoded));
    return o;
}
} // namespace

QByteArray servicio(const std::vector<SorteoWeb> &sorteos, const QString &sitio, const QDate &malo,
                    qsizetype bytes)
{
    QJsonArray lista;
    for (const SorteoWeb &w : sorteos)
        lista.append(entradaServicio(w, sitio, malo.isValid() && diaDe(w.sorteo) == malo));
    QByteArray r = QJsonDocument(lista).toJson(QJsonDocument::Indented);
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
