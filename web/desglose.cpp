#include "web/desglose.h"
#include "web/pagina.h"

#include <algorithm>

namespace desglose {

Desglose lee(const QByteArray &datos)
{
    Desglose d;
    Pagina pagina(datos);
    // Every step on its own: a failed search leaves its value as it was and the next goes on.
    try {
        pagina.ponPosicion(1);
        pagina.busca2(QByteArrayLiteral(">Categor"), QByteArrayLiteral("/"));
    } catch (const ErrorEjecucion &) {
    }
    for (std::optional<QString> &premio : d.premios) {
        try {
            pagina.busca2(QByteArrayLiteral("<td>"), QByteArrayLiteral("<"));
        } catch (const ErrorEjecucion &) {
        }
        try {
            premio = QString::fromLatin1(
                raros(pagina.busca2(QByteArrayLiteral("<td>"), QByteArrayLiteral("&"))));
        } catch (const ErrorEjecucion &) {
        }
    }
    QByteArray enlace;
    try {
        pagina.busca2(QByteArrayLiteral("DOCUMENT"), QByteArrayLiteral("S"));
    } catch (const ErrorEjecucion &) {
    }
    try {
        pagina.busca2(QByteArrayLiteral("href"), QByteArrayLiteral("="));
    } catch (const ErrorEjecucion &) {
    }
    try {
        enlace = pagina.busca2(QByteArrayLiteral("\""), QByteArrayLiteral(".pdf"));
    } catch (const ErrorEjecucion &) {
    }
    if (!enlace.isEmpty())
        d.enlacePdf = reparaEnlace(enlace);
    return d;
}

QString reparaEnlace(const QByteArray &enlace)
{
    // Work on single-byte characters: each byte is one character, as the page was read.
    QString t = QString::fromLatin1(enlace);
    t.remove(QLatin1Char('"'));
    t.replace(QChar(195), QChar(0xC1));
    t.replace(QStringLiteral("LOTER") + QChar(0xC1) + QChar(141) + QLatin1Char('A'),
              QString::fromUtf8("LOTERÍA"));
    t.remove(QChar(129));
    return t;
}

QString textoSinDatos()
{
    return QString::fromUtf8(
        "\nATENCIÓN:\nLos datos del sorteo aún no están disponibles. Intente más tarde.");
}

bool esHostPlausible(const QString &host)
{
    if (host.isEmpty() || host.size() > kAnchoHost)
        return false;
    for (QChar c : host) {
        const char16_t u = c.unicode();
        const bool valido = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') ||
                            (u >= '0' && u <= '9') || u == '.' || u == '-' || u == '/';
        if (!valido)
            return false;
    }
    // Only separators would give no address at all.
    return std::any_of(host.cbegin(), host.cend(), [](QChar c) { return c.isLetterOrNumber(); });
}

Mensaje muestramensaje(const QByteArray &viejo, const QByteArray &nuevo, const QString &webActual)
{
    Mensaje m;
    if (nuevo.size() == viejo.size() || nuevo.size() < kMinimoMensaje)
        return m;
    m.mostrar = true;
    Pagina pagina(nuevo);
    QByteArray web;
    try {
        web = pagina.busca3(QByteArrayLiteral("web:"), QByteArrayLiteral(">"));
    } catch (const ErrorEjecucion &) {
        return m;
    }
    // Blanks were stored as "/", so trimming leaves only what a host name may hold.
    const QString host = QString::fromLatin1(web).trimmed();
    if (!host.isEmpty() && host != webActual.trimmed() && esHostPlausible(host))
        m.nuevaWeb = host;
    return m;
}

} // namespace desglose
