#pragma once

#include <QPdfDocument>
#include <QPdfSelection>
#include <QRectF>
#include <QString>
#include <vector>

// Reads back what a print wrote to PDF: every character with its box in millimetres from the
// top-left of its page, so a test can tell where each mark fell.
struct LetraPdf {
    QChar letra;
    QRectF mm;
};

struct PaginaPdf {
    QString texto;
    std::vector<LetraPdf> letras; // one per character of `texto`, same order

    std::vector<LetraPdf> marcas() const
    {
        std::vector<LetraPdf> r;
        for (const LetraPdf &l : letras)
            if (l.letra == QLatin1Char('X'))
                r.push_back(l);
        return r;
    }
    // Whether an "X" was printed with its top-left corner at (x, y): the glyph starts a hair to
    // the right of the corner and a little below it (the room above a capital letter).
    bool hayMarca(double x, double y) const
    {
        for (const LetraPdf &l : letras)
            if (l.letra == QLatin1Char('X') && std::abs(l.mm.left() - x) < 0.7 &&
                l.mm.top() - y > -0.2 && l.mm.top() - y < 1.6)
                return true;
        return false;
    }
    // Box of the first character of a text on the page; null when the text is not there.
    QRectF donde(const QString &buscado) const
    {
        const int i = texto.indexOf(buscado);
        if (i < 0)
            return {};
        return size_t(i) < letras.size() ? letras[size_t(i)].mm : QRectF();
    }
};

inline std::vector<PaginaPdf> leePdf(const QString &ruta)
{
    std::vector<PaginaPdf> paginas;
    QPdfDocument documento;
    if (documento.load(ruta) != QPdfDocument::Error::None)
        return paginas;
    constexpr double kMm = 25.4 / 72;
    for (int p = 0; p < documento.pageCount(); ++p) {
        PaginaPdf pagina;
        pagina.texto = documento.getAllText(p).text();
        for (int i = 0; i < pagina.texto.size(); ++i) {
            const QPdfSelection s = documento.getSelectionAtIndex(p, i, 1);
            const QRectF r = s.boundingRectangle();
            pagina.letras.push_back(
                {pagina.texto.at(i),
                 QRectF(r.x() * kMm, r.y() * kMm, r.width() * kMm, r.height() * kMm)});
        }
        paginas.push_back(std::move(pagina));
    }
    return paginas;
}
