#include "checking/impresionlistado.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <algorithm>
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
        QFont gruesa;       // the numbers of a bet that hit the draw
        double alto = 0;    // mm
        double ascenso = 0; // device units
    };

    const Medida &de(double tamano, bool negrita)
    {
        for (const auto &[clave, medida] : hechas_)
            if (clave.first == tamano && clave.second == negrita)
                return medida;
        Medida m;
        m.fuente.setPointSizeF(tamano > 0 ? tamano : comprobacion::kLetraListado);
        m.fuente.setBold(negrita);
        m.gruesa = m.fuente;
        m.gruesa.setBold(true);
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

// The listing's margins, or the printer's own where they are wider; the painter's origin is
// then the top-left corner of the printable area. Both the count of pages and the painting
// lay the listing out on this same area.
QRectF preparaPagina(QPagedPaintDevice &hoja)
{
    if (auto *impresora = dynamic_cast<QPrinter *>(&hoja))
        impresora->setFullPage(false);
    QPageLayout pagina = hoja.pageLayout();
    pagina.setUnits(QPageLayout::Millimeter);
    const QMarginsF minimo = pagina.minimumMargins();
    hoja.setPageMargins(QMarginsF(std::max(kMargen, minimo.left()), std::max(kMargen, minimo.top()),
                                  std::max(kMargen, minimo.right()),
                                  std::max(kMargen, minimo.bottom())),
                        QPageLayout::Millimeter);
    return hoja.pageLayout().paintRect(QPageLayout::Millimeter);
}

// Writes one line with its baseline at `en`. The numbers of a bet that hit the draw are bold,
// each where the plain letter would put it, so the columns of numbers stay aligned.
void escribe(QPainter &pintor, QPagedPaintDevice &hoja, QPointF en, const LineaImpresion &l,
             const Medidas::Medida &m)
{
    pintor.setFont(m.fuente);
    if (l.numeros == 0 || l.acertados == 0) {
        pintor.drawText(en, l.texto);
        return;
    }
    const QFontMetricsF metricas(m.fuente, &hoja);
    const QString &t = l.texto;
    qsizetype desde = 0;
    const auto tramo = [&](qsizetype hasta, bool gruesa) {
        const QString parte = t.mid(desde, hasta - desde);
        if (!parte.trimmed().isEmpty()) {
            pintor.setFont(gruesa ? m.gruesa : m.fuente);
            pintor.drawText(en + QPointF(metricas.horizontalAdvance(t.left(desde)), 0), parte);
        }
        desde = hasta;
    };
    qsizetype i = 0; // where the next number is looked for
    for (int q = 0; q < l.numeros && i < t.size(); ++q) {
        while (i < t.size() && t.at(i) == QLatin1Char(' '))
            ++i;
        qsizetype j = i;
        while (j < t.size() && t.at(j) != QLatin1Char(' '))
            ++j;
        // A plain number goes out with the plain text around it.
        if (l.acertados & (1u << q)) {
            tramo(i, false);
            tramo(j, true);
        }
        i = j;
    }
    tramo(t.size(), false);
}

// Lays the listing out page after page: with a painter it paints each line as it is read,
// without one it only counts the pages.
int recorre(QPagedPaintDevice &hoja, comprobacion::LineasListado &lineas, QPainter *pintor,
            const QRectF &area)
{
    lineas.reinicia(pintor != nullptr);
    Medidas medidas(hoja);
    const double ppmm = medidas.porMilimetro();
    const double altoPagina = area.height();
    const QImage imagen = pintor ? logo() : QImage();
    // Nothing reaches the margins, not even a line too long for the paper.
    const auto recorta = [&] {
        if (pintor)
            pintor->setClipRect(QRectF(0, 0, area.width() * ppmm, area.height() * ppmm));
    };
    recorta();
    int paginas = 1;
    double y = 0;
    const auto cabecera = [&] {
        if (pintor)
            pintor->drawImage(QRectF(0, 0, kAnchoLogo * ppmm, kAltoLogo * ppmm), imagen);
        y = kPrimeraLinea;
    };
    const auto nuevaPagina = [&] {
        ++paginas;
        if (pintor) {
            hoja.newPage();
            recorta();
        }
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
        if (y + m.alto > altoPagina) {
            nuevaPagina();
            y = 0;
        }
        if (pintor && l.tipo == LineaImpresion::Tipo::Texto) {
            pintor->setPen(Qt::black);
            escribe(*pintor, hoja,
                    // Placed for the usual margin: a wider one moves the line in with it.
                    QPointF(std::max(0.0, l.x - kMargen) * ppmm, y * ppmm + m.ascenso), l, m);
        }
        y += m.alto;
    }
    return paginas;
}

} // namespace

int paginas(QPagedPaintDevice &hoja, comprobacion::LineasListado &lineas)
{
    const QRectF area = preparaPagina(hoja);
    return recorre(hoja, lineas, nullptr, area);
}

bool pinta(QPagedPaintDevice &hoja, comprobacion::LineasListado &lineas)
{
    const QRectF area = preparaPagina(hoja);
    QPainter pintor;
    if (!pintor.begin(&hoja))
        return false;
    recorre(hoja, lineas, &pintor, area);
    return pintor.end();
}

} // namespace listado
