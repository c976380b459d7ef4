#include "checking/impresionlistado.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <utility>
#include <vector>

namespace listado {

QImage logo()
{
    QImage imagen(600, 240, QImage::Format_ARGB32_Premultiplied);
    imagen.fill(Qt::transparent);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath marco;
    marco.addRoundedRect(QRectF(4, 4, 592, 232), 40, 40);
    p.fillPath(marco, QColor(0, 102, 51));
    p.setPen(QPen(QColor(255, 204, 0), 8));
    p.drawPath(marco);
    for (int i = 0; i < 6; ++i) {
        const QRectF bola(40 + i * 90, 150, 70, 70);
        p.setBrush(Qt::white);
        p.setPen(Qt::NoPen);
        p.drawEllipse(bola);
    }
    QFont f;
    f.setPixelSize(96);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 20, 600, 120), Qt::AlignCenter, QStringLiteral("Bolarium"));
    return imagen;
}

namespace {

using comprobacion::LineaImpresion;

// The height and baseline of a line of each size on the paper, measured once a size.
class Medidas {
public:
    explicit Medidas(QPagedPaintDevice &hoja) : hoja_(hoja) {}

    struct Medida {
        QFont fuente;
        double alto = 0;    // mm
        double ascenso = 0; // device units
    };

    const Medida &de(double tamano, bool negrita)
    {
        for (const auto &[clave, medida] : hechas_)
            if (clave.first == tamano && clave.second == negrita)
                return medida;
        Medida m;
        m.fuente.setPointSizeF(tamano > 0 ? tamano : 8.2);
        m.fuente.setBold(negrita);
        const QFontMetricsF metricas(m.fuente, &hoja_);
        m.alto = metricas.lineSpacing() / porMilimetro();
        m.ascenso = metricas.ascent();
        hechas_.push_back({{tamano, negrita}, m});
        return hechas_.back().second;
    }

    double porMilimetro() const { return hoja_.logicalDpiY() / 25.4; }

private:
    QPagedPaintDevice &hoja_;
    std::vector<std::pair<std::pair<double, bool>, Medida>> hechas_;
};

// Lays the listing out page after page: with a painter it paints each line as it is read,
// without one it only counts the pages.
int recorre(QPagedPaintDevice &hoja, comprobacion::LineasListado &lineas, QPainter *pintor)
{
    // A printer measures from the paper's edge like the PDF writer, which has no margins (a
    // printer being painted on has been set so already).
    if (auto *impresora = dynamic_cast<QPrinter *>(&hoja); impresora && !pintor)
        impresora->setFullPage(true);
    lineas.reinicia(pintor != nullptr);
    Medidas medidas(hoja);
    const double ppmm = medidas.porMilimetro();
    const double altoPagina = hoja.pageLayout().fullRect(QPageLayout::Millimeter).height();
    const QImage imagen = pintor ? logo() : QImage();
    int paginas = 1;
    double y = 0;
    const auto cabecera = [&] {
        if (pintor)
            pintor->drawImage(QRectF(0, 5 * ppmm, 60 * ppmm, 24 * ppmm), imagen);
        y = kPrimeraLinea;
    };
    const auto nuevaPagina = [&] {
        ++paginas;
        if (pintor)
            hoja.newPage();
    };
    cabecera();
    LineaImpresion l;
    while (lineas.siguiente(l)) {
        if (l.tipo == LineaImpresion::Tipo::NuevaPagina) {
            nuevaPagina();
            cabecera();
            continue;
        }
        const Medidas::Medida &m = medidas.de(l.tamano, l.negrita);
        if (y + m.alto > altoPagina - kMargenPagina) {
            nuevaPagina();
            y = kMargenPagina;
        }
        if (pintor && l.tipo == LineaImpresion::Tipo::Texto) {
            pintor->setFont(m.fuente);
            pintor->setPen(Qt::black);
            pintor->drawText(QPointF(l.x * ppmm, y * ppmm + m.ascenso), l.texto);
        }
        y += m.alto;
    }
    return paginas;
}

} // namespace

int paginas(QPagedPaintDevice &hoja, comprobacion::LineasListado &lineas)
{
    return recorre(hoja, lineas, nullptr);
}

bool pinta(QPagedPaintDevice &hoja, comprobacion::LineasListado &lineas)
{
    if (auto *impresora = dynamic_cast<QPrinter *>(&hoja))
        impresora->setFullPage(true);
    QPainter pintor;
    if (!pintor.begin(&hoja))
        return false;
    recorre(hoja, lineas, &pintor);
    return pintor.end();
}

} // namespace listado
