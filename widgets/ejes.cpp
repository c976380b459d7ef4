#include "widgets/ejes.h"

#include <QBarCategoryAxis>
#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsObject>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>
#include <climits>
#include <vector>

namespace {
// A chart of counts reads best with at most this many steps above 0.
constexpr int kPasos = 5;

// The labels drawn by ponEtiquetasEnteras: one item of the chart that paints them all under the
// plot area, wherever it moves. The chart owns it, as every item in it; the next call replaces it.
class Etiquetas : public QGraphicsObject {
public:
    Etiquetas(QChart &grafico, QStringList textos, const QFont &letra)
        : QGraphicsObject(&grafico), grafico_(grafico), textos_(std::move(textos)), letra_(letra)
    {
        connect(&grafico, &QChart::plotAreaChanged, this, [this] {
            prepareGeometryChange();
            update();
        });
    }
    QRectF boundingRect() const override
    {
        const QRectF area = grafico_.plotArea();
        return {area.left(), area.bottom(), area.width(), 4 + QFontMetricsF(letra_).height()};
    }
    void paint(QPainter *pintor, const QStyleOptionGraphicsItem *, QWidget *) override
    {
        if (textos_.isEmpty())
            return;
        const QRectF area = grafico_.plotArea();
        const double ancho = area.width() / static_cast<double>(textos_.size());
        QFont letra = letra_;
        while (letra.pointSizeF() > 5) {
            const QFontMetricsF medidas(letra);
            double mayor = 0;
            for (const QString &t : textos_)
                mayor = std::max(mayor, medidas.horizontalAdvance(t));
            if (mayor <= ancho - 2)
                break;
            letra.setPointSizeF(letra.pointSizeF() - 0.5);
        }
        pintor->setFont(letra);
        pintor->setPen(Qt::black);
        const double alto = QFontMetricsF(letra).height();
        for (qsizetype i = 0; i < textos_.size(); ++i)
            pintor->drawText(QRectF(area.left() + static_cast<double>(i) * ancho, area.bottom() + 4,
                                    ancho, alto),
                             Qt::AlignHCenter | Qt::AlignTop, textos_[i]);
    }

private:
    QChart &grafico_;
    QStringList textos_;
    QFont letra_;
};
} // namespace

EscalaEntera escalaEntera(int maximo)
{
    maximo = std::max(maximo, 1);
    EscalaEntera e;
    for (long long base = 1;; base *= 10) {
        for (const long long factor : {1, 2, 5}) {
            const long long paso = base * factor;
            const long long pasos = (maximo + paso - 1) / paso;
            if (pasos <= kPasos) {
                e.paso = static_cast<int>(paso);
                e.tope = static_cast<int>(std::min<long long>(pasos * paso, INT_MAX));
                return e;
            }
        }
    }
}

void ponEjeEntero(QValueAxis &eje, int maximo)
{
    const EscalaEntera e = escalaEntera(maximo);
    eje.setRange(0, e.tope);
    eje.setTickType(QValueAxis::TicksDynamic);
    eje.setTickAnchor(0);
    eje.setTickInterval(e.paso);
    eje.setMinorTickCount(0);
    eje.setLabelFormat(QStringLiteral("%d"));
}

void ponEtiquetasEnteras(QChart &grafico, QBarCategoryAxis &eje)
{
    for (QGraphicsItem *hijo : grafico.childItems())
        if (dynamic_cast<Etiquetas *>(hijo))
            delete hijo;
    eje.setLabelsColor(Qt::transparent);
    new Etiquetas(grafico, eje.categories(), eje.labelsFont());
}

void vaciaGrafico(QChart &grafico)
{
    grafico.removeAllSeries();
    for (QAbstractAxis *eje : grafico.axes()) {
        grafico.removeAxis(eje);
        delete eje;
    }
}
