#include "checking/impresionlistado.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>

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

bool imprime(QPrinter &impresora, const std::vector<comprobacion::LineaImpresion> &lineas)
{
    using comprobacion::LineaImpresion;
    impresora.setFullPage(true);
    QPainter pintor;
    if (!pintor.begin(&impresora))
        return false;
    const double ppmm = impresora.resolution() / 25.4;
    const double altoPagina = impresora.pageLayout().fullRect(QPageLayout::Millimeter).height();
    const QImage imagen = logo();
    double y = 0;
    const auto cabecera = [&] {
        pintor.drawImage(QRectF(0, 5 * ppmm, 60 * ppmm, 24 * ppmm), imagen);
        y = kPrimeraLinea;
    };
    cabecera();
    for (const LineaImpresion &l : lineas) {
        if (l.tipo == LineaImpresion::Tipo::NuevaPagina) {
            impresora.newPage();
            cabecera();
            continue;
        }
        QFont fuente;
        fuente.setPointSizeF(l.tamano > 0 ? l.tamano : 8.2);
        fuente.setBold(l.negrita);
        const QFontMetricsF medidas(fuente, &impresora);
        const double alto = medidas.lineSpacing() / ppmm;
        if (y + alto > altoPagina - kMargenPagina) {
            impresora.newPage();
            y = kMargenPagina;
        }
        if (l.tipo == LineaImpresion::Tipo::Texto) {
            pintor.setFont(fuente);
            pintor.setPen(Qt::black);
            pintor.drawText(QPointF(l.x * ppmm, y * ppmm + medidas.ascent()), l.texto);
        }
        y += alto;
    }
    return pintor.end();
}

} // namespace listado
