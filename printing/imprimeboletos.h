#pragma once

#include "printing/boletos.h"

#include <vector>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

// Draws the sheets of boletos:: on a printer, a PDF or a preview. Positions stay in millimetres
// up to the last moment, so the printed page and the preview come from the same code.
namespace impresion {

// Paints one sheet with its top-left at the painter's origin. `puntosPorMmX/Y` are device units
// per millimetre. A participation on plain paper always gets its grid of numbered boxes; with
// `conCasillas` an official slip's boxes are drawn faintly under its marks too (for the preview;
// a printed slip never gets them, the paper has its own).
void pintaPagina(QPainter &pintor, const boletos::Pagina &pagina, double puntosPorMmX,
                 double puntosPorMmY, bool conCasillas = false);

// Millimetre units with the origin at the top-left of the printable page.
void preparaImpresora(QPrinter &impresora);

// Paints the sheets on a printer or a PDF, one page each. False when there is nothing to paint
// or the device cannot start.
bool pinta(QPagedPaintDevice &dispositivo, const std::vector<boletos::Pagina> &paginas);

// Asks for the printer through the desktop's print dialog and prints the sheets, one page each.
// False when there is nothing to print, the dialog is cancelled or the printer cannot start.
bool imprime(QPrinter &impresora, const std::vector<boletos::Pagina> &paginas);

} // namespace impresion
