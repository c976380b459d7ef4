#pragma once

#include <QString>

#include <functional>

class QPagedPaintDevice;

// "Guardar como PDF" for every print command: the same pages a printer would get, in a file.
namespace pdf {

// Asks through the desktop seam where to save, suggesting `nombre` in the user's home. Adds
// ".pdf" when the name has no such ending. "" when the dialog is cancelled.
QString eligeDestino(const QString &titulo, const QString &nombre);

// Paints the pages on an A4 PDF of 1200 dpi made in memory, then writes the file in one piece,
// so a full disk leaves a chosen file as it was. `pinta` returns false when it had nothing to
// paint; nothing is written then. A failed write has been told to the user.
bool guarda(const QString &destino, const std::function<bool(QPagedPaintDevice &)> &pinta);

} // namespace pdf
