#include "web/direcciones.h"

namespace direcciones {

namespace {
QString sinBarraFinal(QString sitio)
{
    while (sitio.endsWith(QLatin1Char('/')))
        sitio.chop(1);
    return sitio;
}
QString corta(const QDate &dia)
{
    return dia.toString(QStringLiteral("dd/MM/yyyy"));
}
} // namespace

QUrl busqueda(const QString &sitio, const QDate &desde, const QDate &hasta)
{
    return QUrl(sinBarraFinal(sitio) + QStringLiteral("/es/buscador?startDate=") + corta(desde) +
                QStringLiteral("&gameId=04&type=search&endDate=") + corta(hasta));
}

QUrl servicio(const QString &sitio, const QDate &desde, const QDate &hasta)
{
    const QString formato = QStringLiteral("yyyyMMdd");
    return QUrl(sinBarraFinal(sitio) +
                QStringLiteral("/servicios/buscadorSorteos?game_id=LAPR&celebrados=true"
                               "&fechaInicioInclusiva=") +
                desde.toString(formato) + QStringLiteral("&fechaFinInclusiva=") +
                hasta.toString(formato));
}

QUrl fecha(const QString &sitio, const QDate &dia)
{
    return QUrl(sinBarraFinal(sitio) +
                QStringLiteral("/servicios/fechav3?game_id=LAPR&fecha_sorteo=") +
                dia.toString(QStringLiteral("yyyyMMdd")));
}

QUrl resultados(const QString &sitio)
{
    return QUrl(sinBarraFinal(sitio) + QStringLiteral("/es/resultados/primitiva"));
}

QUrl sorteo(const QString &sitio, const QString &enlacesorteo)
{
    return QUrl(sinBarraFinal(sitio) + QStringLiteral("/es/la-primitiva/sorteos/") + enlacesorteo);
}

QString enSitio(const QString &sitio, const QString &camino)
{
    const QUrl base(sinBarraFinal(sitio.trimmed()));
    if (!base.isValid() || base.host().isEmpty() || !camino.startsWith(QLatin1Char('/')) ||
        camino.startsWith(QStringLiteral("//")) || camino.contains(QLatin1Char('\\')))
        return {};
    QUrl direccion;
    direccion.setScheme(base.scheme());
    direccion.setHost(base.host());
    direccion.setPort(base.port());
    // Everything of the link is path: a "?" or "#" in it is written escaped.
    direccion.setPath(camino, QUrl::TolerantMode);
    if (!direccion.isValid() || direccion.host() != base.host() ||
        direccion.port() != base.port() || !direccion.userInfo().isEmpty())
        return {};
    // Read back as the transfer will read it: still the same authority.
    const QUrl leida(direccion.toString());
    if (leida.host() != base.host() || leida.port() != base.port() || !leida.userInfo().isEmpty())
        return {};
    return direccion.toString();
}

QString pdf(const QString &sitioPdf, const QString &enlacePdf)
{
    return enSitio(sitioPdf, enlacePdf + QStringLiteral(".pdf"));
}

QUrl mensaje(const QString &webAutor)
{
    return QUrl((QStringLiteral("http://") + webAutor.trimmed() + QStringLiteral("/informe.dat"))
                    .toLower());
}

} // namespace direcciones
