#pragma once

#include "checking/comprobacion.h"

#include <QImage>

class QPagedPaintDevice;

// The printed results listing, on a printer or in a PDF. Positions are millimetres from the
// paper's edges: the logo at the top of the first page, the first line 40 mm down, then one
// line after another.
namespace listado {

constexpr double kPrimeraLinea = 40; // mm from the top, below the logo
constexpr double kMargenPagina = 10; // mm kept free at the top and bottom of later pages
// A listing longer than this many pages is only printed or saved once the user says so: the
// whole history of a few large syndicates is tens of thousands of pages.
constexpr int kPaginasSinPreguntar = 50;

// How many pages the listing takes on this paper; reads the lines without their texts.
int paginas(QPagedPaintDevice &hoja, comprobacion::LineasListado &lineas);

// Paints the listing from its first line, page after page as the lines are read. False when
// the device could not be opened (nothing is printed then).
bool pinta(QPagedPaintDevice &hoja, comprobacion::LineasListado &lineas);

// The logo at the top of a listing.
QImage logo();

} // namespace listado
