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

QUrl resultados(const QString &sitio)
{
    return QUrl(sinBarraFinal(sitio) + QStringLiteral("/es/resultados/primitiva"));
}

QUrl sorteo(const QString &sitio, const QString &enlacesorteo)
{
    return QUrl(sinBarraFinal(sitio) + QStringLiteral("/es/la-primitiva/sorteos/") + enlacesorteo);
}

QString pdf(const QString &sitioPdf, const QString &enlacePdf)
{
    return sinBarraFinal(sitioPdf) + enlacePdf + QStringLiteral(".pdf");
}

QUrl mensaje(const QString &webAutor)
{
    return QUrl((QStringLiteral("http://") + webAutor.trimmed() + QStringLiteral("/informe.dat"))
                    .toLower());
}

} // namespace direcciones
