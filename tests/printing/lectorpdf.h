#pragma once

#include <QPdfDocument>
#include <QPdfSelection>
#include <QRectF>
#include <QString>
#include <memory>
#include <vector>

// Reads back what a print wrote to PDF: the text of each page and the box of its marks and of
// any text asked for, in millimetres from the top-left of its page, so a test can tell where
// each mark fell.
struct LetraPdf {
    QChar letra;
    QRectF mm;
};

// Box of character i of a page, in millimetres. Each one reads the page's text again, so only
// the characters a test asks about are measured.
inline QRectF cajaPdf(QPdfDocument &documento, int pagina, int i)
{
    constexpr double kMm = 25.4 / 72;
    const QRectF r = documento.getSelectionAtIndex(pagina, i, 1).boundingRectangle();
    return QRectF(r.x() * kMm, r.y() * kMm, r.width() * kMm, r.height() * kMm);
}

struct PaginaPdf {
    QString texto;
    // The marks ("X"), each with its box, in the order of `texto`.
    std::vector<LetraPdf> letras;
    std::shared_ptr<QPdfDocument> documento;
    int pagina = 0;

    std::vector<LetraPdf> marcas() const { return letras; }
    // Whether an "X" was printed with its top-left corner at (x, y): the glyph starts a hair to
    // the right of the corner and a little below it (the room above a capital letter).
    bool hayMarca(double x, double y) const
    {
        for (const LetraPdf &l : letras)
            if (std::abs(l.mm.left() - x) < 0.7 && l.mm.top() - y > -0.2 && l.mm.top() - y < 1.6)
                return true;
        return false;
    }
    // Box of the first character of a text on the page; null when the text is not there.
    QRectF donde(const QString &buscado) const
    {
        const int i = texto.indexOf(buscado);
        if (i < 0 || !documento)
            return {};
        return cajaPdf(*documento, pagina, i);
    }
};

inline std::vector<PaginaPdf> leePdf(const QString &ruta)
{
    std::vector<PaginaPdf> paginas;
    auto documento = std::make_shared<QPdfDocument>();
    if (documento->load(ruta) != QPdfDocument::Error::None)
        return paginas;
    for (int p = 0; p < documento->pageCount(); ++p) {
        PaginaPdf pagina;
        pagina.documento = documento;
        pagina.pagina = p;
        pagina.texto = documento->getAllText(p).text();
        for (int i = 0; i < pagina.texto.size(); ++i)
            if (pagina.texto.at(i) == QLatin1Char('X'))
                pagina.letras.push_back({pagina.texto.at(i), cajaPdf(*documento, p, i)});
        paginas.push_back(std::move(pagina));
    }
    return paginas;
}
