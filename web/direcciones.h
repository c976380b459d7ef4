#pragma once

#include <QDate>
#include <QString>
#include <QUrl>

// Addresses the program asks for. The scheme and host of each site are settings; the paths
// and query keys are what the sites answer to.
namespace direcciones {

// Search page of the operator: every La Primitiva draw from `desde` to `hasta`.
QUrl busqueda(const QString &sitio, const QDate &desde, const QDate &hasta);
// The operator's results service: every La Primitiva draw held from `desde` to `hasta`.
QUrl servicio(const QString &sitio, const QDate &desde, const QDate &hasta);
// The operator's per-date service: the La Primitiva draw held on `dia`.
QUrl fecha(const QString &sitio, const QDate &dia);
// The operator's results page, for the user's browser.
QUrl resultados(const QString &sitio);
// The draw's own page, from the link path found on the search page ("2026/1234567").
QUrl sorteo(const QString &sitio, const QString &enlacesorteo);
// A path on a site: the site's scheme, host and port with `camino` as the path, built with
// QUrl. Empty when `camino` does not start with one "/" or when anything in it would change the
// host, the port or the user information (a link "@otro.host/x.pdf" joined onto the site's
// address would name another host).
QString enSitio(const QString &sitio, const QString &camino);
// Full address of the result PDF from its repaired path (without ".pdf"); empty when refused
// (see enSitio).
QString pdf(const QString &sitioPdf, const QString &enlacePdf);
// The maker's message file, from the maker host of the settings record.
QUrl mensaje(const QString &webAutor);

} // namespace direcciones
