#pragma once

#include "checking/comprobacion.h"

#include <QImage>
#include <vector>

class QPrinter;

// The printed results listing. Positions are millimetres from the paper's edges: the logo at
// the top of the first page, the first line 40 mm down, then one line after another.
namespace listado {

constexpr double kPrimeraLinea = 40; // mm from the top, below the logo
constexpr double kMargenPagina = 10; // mm kept free at the top and bottom of later pages

// False when the printer could not be opened (nothing is printed then).
bool imprime(QPrinter &impresora, const std::vector<comprobacion::LineaImpresion> &lineas);

// The logo at the top of a listing.
QImage logo();

} // namespace listado
