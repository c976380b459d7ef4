#include "web/textomensaje.h"

#include <array>
#include <string_view>
#include <utility>

namespace textomensaje {

namespace {

struct Entidad {
    const char *nombre;
    char16_t caracter;
};
constexpr std::array<Entidad, 28> kEntidades{{
    {"amp", u'&'},    {"lt", u'<'},     {"gt", u'>'},     {"quot", u'"'},   {"apos", u'\''},
    {"nbsp", u' '},   {"aacute", u'á'}, {"eacute", u'é'}, {"iacute", u'í'}, {"oacute", u'ó'},
    {"uacute", u'ú'}, {"Aacute", u'Á'}, {"Eacute", u'É'}, {"Iacute", u'Í'}, {"Oacute", u'Ó'},
    {"Uacute", u'Ú'}, {"ntilde", u'ñ'}, {"Ntilde", u'Ñ'}, {"uuml", u'ü'},   {"Uuml", u'Ü'},
    {"iexcl", u'¡'},  {"iquest", u'¿'}, {"euro", u'€'},   {"ordm", u'º'},   {"ordf", u'ª'},
    {"copy", u'©'},   {"laquo", u'«'},  {"raquo", u'»'},
}};

// Builds the output: runs of text with the marks in force, paragraphs and line breaks.
class Salida {
public:
    QString html;
    bool lleno() const { return texto_ >= kMaximoTexto; }

    void caracter(QChar c)
    {
        if (lleno())
            return;
        if (c.isSpace() || c.category() == QChar::Other_Control) {
            blanco_ = !vacio_;
            return;
        }
        if (blanco_) {
            // The blank goes with the text before it, outside a mark that opens after it.
            blanco_ = false;
            abreParrafo();
            if ((negrita_ > 0) != enNegrita_ || (cursiva_ > 0) != enCursiva_)
                cierraMarcas();
            html += QLatin1Char(' ');
        }
        vacio_ = false;
        const QChar uno[1] = {c};
        escribe(QString(uno, 1).toHtmlEscaped());
        if (lleno())
            escribe(QStringLiteral("…"));
    }
    void texto(const QString &t)
    {
        for (QChar c : t)
            caracter(c);
    }
    void negrita(int cambio) { negrita_ = std::max(0, negrita_ + cambio); }
    void cursiva(int cambio) { cursiva_ = std::max(0, cursiva_ + cambio); }
    void parrafo()
    {
        if (vacio_ || !cuenta())
            return;
        cierraMarcas();
        cierraParrafo();
        vacio_ = true;
        blanco_ = false;
    }
    void salto()
    {
        if (!cuenta()) {
            blanco_ = !vacio_;
            return;
        }
        abreParrafo();
        cierraMarcas();
        html += QStringLiteral("<br>");
        vacio_ = false;
        blanco_ = false;
    }
    QString termina()
    {
        cierraMarcas();
        cierraParrafo();
        return std::move(html);
    }

private:
    bool cuenta() { return ++lineas_ <= kMaximoLineas; }
    void abreParrafo()
    {
        if (!enParrafo_) {
            html += QStringLiteral("<p>");
            enParrafo_ = true;
        }
    }
    void cierraParrafo()
    {
        if (enParrafo_) {
            html += QStringLiteral("</p>");
            enParrafo_ = false;
        }
    }
    void cierraMarcas()
    {
        if (enCursiva_)
            html += QStringLiteral("</i>");
        if (enNegrita_)
            html += QStringLiteral("</b>");
        enCursiva_ = enNegrita_ = false;
    }
    // Text goes out inside exactly the marks in force: <b> outside <i>, never deeper.
    void escribe(const QString &t)
    {
        abreParrafo();
        const bool b = negrita_ > 0, i = cursiva_ > 0;
        if (b != enNegrita_ || i != enCursiva_) {
            cierraMarcas();
            if (b)
                html += QStringLiteral("<b>");
            if (i)
                html += QStringLiteral("<i>");
            enNegrita_ = b;
            enCursiva_ = i;
        }
        html += t;
        ++texto_;
    }

    int texto_ = 0;
    int lineas_ = 0;
    int negrita_ = 0;
    int cursiva_ = 0;
    bool enNegrita_ = false;
    bool enCursiva_ = false;
    bool enParrafo_ = false;
    bool vacio_ = true;
    bool blanco_ = false;
};

bool esLetra(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// The entity at s[i] == '&': its character and its length, or nothing (length 0).
std::pair<QString, qsizetype> entidad(const QString &s, qsizetype i)
{
    // Only a short name counts: the search never looks further than that.
    const qsizetype corto = QStringView(s).mid(i + 1, 10).indexOf(QLatin1Char(';'));
    if (corto < 0)
        return {{}, 0};
    const qsizetype fin = i + 1 + corto;
    const QString nombre = s.mid(i + 1, fin - i - 1);
    if (nombre.startsWith(QLatin1Char('#'))) {
        bool ok = false;
        const uint codigo = nombre.startsWith(QStringLiteral("#x"), Qt::CaseInsensitive)
                                ? nombre.mid(2).toUInt(&ok, 16)
                                : nombre.mid(1).toUInt(&ok, 10);
        if (!ok || codigo == 0 || codigo > 0x10FFFF || (codigo >= 0xD800 && codigo <= 0xDFFF))
            return {{}, 0};
        const char32_t c = codigo;
        return {QString::fromUcs4(&c, 1), fin - i + 1};
    }
    for (const Entidad &e : kEntidades)
        if (nombre == QLatin1String(e.nombre))
            return {QString(QChar(e.caracter)), fin - i + 1};
    return {{}, 0};
}

// The value of attribute `nombre` in the inside of a tag ("a href='x' ..."), or empty.
QString atributo(const QString &dentro, const QString &nombre)
{
    qsizetype i = 0;
    while ((i = dentro.indexOf(nombre, i, Qt::CaseInsensitive)) >= 0) {
        const bool empieza = i > 0 && dentro[i - 1].isSpace();
        qsizetype j = i + nombre.size();
        i = j;
        if (!empieza)
            continue;
        while (j < dentro.size() && dentro[j].isSpace())
            ++j;
        if (j >= dentro.size() || dentro[j] != QLatin1Char('='))
            continue;
        ++j;
        while (j < dentro.size() && dentro[j].isSpace())
            ++j;
        if (j >= dentro.size())
            return {};
        const QChar comilla = dentro[j];
        if (comilla == QLatin1Char('"') || comilla == QLatin1Char('\'')) {
            const qsizetype fin = dentro.indexOf(comilla, j + 1);
            return dentro.mid(j + 1, fin < 0 ? -1 : fin - j - 1);
        }
        qsizetype fin = j;
        while (fin < dentro.size() && !dentro[fin].isSpace())
            ++fin;
        return dentro.mid(j, fin - j);
    }
    return {};
}

} // namespace

QString sanea(const QString &html)
{
    Salida salida;
    const qsizetype n = html.size();
    QString enlace;    // address of the open link
    QString textoLink; // its text so far (to leave the address out when they are the same)
    bool enLink = false;
    // Where the next '<' and '>' are: found once and reused while the reading stays before
    // them, so that a message of nothing but '<' takes one pass, not one per character.
    qsizetype proximoMayor = -2, proximoMenor = -2;
    auto siguiente = [&html](QChar ch, qsizetype desde, qsizetype &cache) {
        if (cache != -1 && cache < desde)
            cache = html.indexOf(ch, desde);
        return cache;
    };
    qsizetype i = 0;
    while (i < n && !salida.lleno()) {
        const QChar c = html[i];
        if (c == QLatin1Char('&')) {
            const auto [caracter, largo] = entidad(html, i);
            if (largo > 0) {
                salida.texto(caracter);
                if (enLink)
                    textoLink += caracter;
                i += largo;
                continue;
            }
        }
        if (c != QLatin1Char('<')) {
            salida.caracter(c);
            if (enLink && textoLink.size() < 1000)
                textoLink += c;
            ++i;
            continue;
        }
        // A comment, a declaration or a tag; one that never closes ends the message.
        if (QStringView(html).mid(i, 4) == QLatin1String("<!--")) {
            const qsizetype fin = html.indexOf(QStringLiteral("-->"), i + 4);
            i = fin < 0 ? n : fin + 3;
            continue;
        }
        const qsizetype fin = siguiente(QLatin1Char('>'), i + 1, proximoMayor);
        if (fin < 0)
            break;
        const qsizetype otro = siguiente(QLatin1Char('<'), i + 1, proximoMenor);
        if (otro >= 0 && otro < fin) { // a '<' that opens nothing is text
            salida.caracter(c);
            ++i;
            continue;
        }
        // Views and a short name in a fixed buffer: a message of nothing but tags costs no
        // allocation per tag.
        const QStringView dentro = QStringView(html).mid(i + 1, fin - i - 1).trimmed();
        i = fin + 1;
        const bool cierre = dentro.startsWith(QLatin1Char('/'));
        qsizetype k = cierre ? 1 : 0;
        char letras[12] = {};
        int largo = 0;
        for (; k < dentro.size() && esLetra(dentro[k]); ++k)
            if (largo < 11)
                letras[largo++] = static_cast<char>(dentro[k].toLower().unicode());
        if (largo == 0 || k - (cierre ? 1 : 0) > 11) // no element we know has a longer name
            continue;
        const std::string_view nombre(letras, static_cast<size_t>(largo));
        const int cambio = cierre ? -1 : 1;
        if (nombre == "script" || nombre == "style" || nombre == "head" || nombre == "title") {
            if (!cierre && !dentro.endsWith(QLatin1Char('/'))) {
                // Nothing of it is text: skip to its end.
                const qsizetype final =
                    html.indexOf(QStringLiteral("</") + QLatin1String(nombre.data(), largo), i,
                                 Qt::CaseInsensitive);
                i = final < 0 ? n : final;
            }
        } else if (nombre == "br") {
            salida.salto();
        } else if (nombre == "p" || nombre == "div" || nombre == "tr" || nombre == "li" ||
                   nombre == "table" || nombre == "ul" || nombre == "ol" || nombre == "hr" ||
                   nombre == "center" || nombre == "blockquote" ||
                   (largo == 2 && nombre[0] == 'h' && nombre[1] >= '1' && nombre[1] <= '6')) {
            salida.parrafo();
        } else if (nombre == "b" || nombre == "strong") {
            salida.negrita(cambio);
        } else if (nombre == "i" || nombre == "em") {
            salida.cursiva(cambio);
        } else if (nombre == "td" || nombre == "th") {
            salida.caracter(QLatin1Char(' '));
        } else if (nombre == "a") {
            if (!cierre) {
                enLink = true;
                enlace = atributo(dentro.toString(), QStringLiteral("href")).trimmed().left(500);
                textoLink.clear();
            } else if (enLink) {
                enLink = false;
                if (!enlace.isEmpty() && textoLink.trimmed() != enlace)
                    salida.texto(QStringLiteral(" (") + enlace + QLatin1Char(')'));
                enlace.clear();
            }
        }
        // Any other element (images, frames, forms, fonts...) gives only its text.
    }
    return salida.termina();
}

} // namespace textomensaje
