#pragma once

#include "checking/comprobacion.h"

#include <QImage>

class QPagedPaintDevice;

// The printed results listing, on a printer or in a PDF. It keeps a margin on every side of the
// paper, wider where the printer cannot print so near the edge: the logo in the top-left corner
// of that printable area on the first page, the first line under it, then one line after
// another. The lines' positions are millimetres from the paper's left edge with the usual
// margin; a wider margin moves them in with it.
namespace listado {

constexpr double kMargen = 15;       // mm kept free on every side of the paper
constexpr double kAnchoLogo = 50;    // mm
constexpr double kAltoLogo = 20;     // mm
constexpr double kPrimeraLinea = 26; // mm below the top of the printable area, under the logo
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
