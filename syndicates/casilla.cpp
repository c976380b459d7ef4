#include "syndicates/casilla.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {

// The red of the official slip and the dark blue of a ballpoint pen.
const QColor kRojo(200, 30, 45);
const QColor kTinta(20, 40, 140, 190); // translucent: the number stays readable under the cross

void pinta(QPainter &p, int numero, bool marcada, const QRectF &area)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const qreal lado = std::min(area.width(), area.height());
    const QRectF caja = area.adjusted(1.5, 1.5, -1.5, -1.5);
    p.setPen(QPen(kRojo, std::max<qreal>(1.0, lado / 22.0)));
    p.setBrush(marcada ? QColor(255, 236, 236) : QColor(Qt::white));
    p.drawRoundedRect(caja, lado / 8.0, lado / 8.0);

    QFont letra = p.font();
    letra.setPixelSize(std::max(6, static_cast<int>(lado * 0.45)));
    letra.setBold(true);
    p.setFont(letra);
    p.setPen(kRojo);
    p.drawText(caja, Qt::AlignCenter, QString::number(numero));

    if (!marcada)
        return;
    // A pen cross over the number, the way a slip is filled in by hand.
    const qreal margen = lado * 0.2;
    const QRectF cruz = caja.adjusted(margen, margen, -margen, -margen);
    QPen pluma(kTinta, std::max<qreal>(1.5, lado / 12.0), Qt::SolidLine, Qt::RoundCap);
    p.setPen(pluma);
    p.drawLine(cruz.topLeft(), cruz.bottomRight());
    p.drawLine(cruz.topRight(), cruz.bottomLeft());
}

} // namespace

Casilla::Casilla(int numero, const QString &nombre, QWidget *parent)
    : Imagen(nombre, parent), numero_(numero)
{
    setAccessibleName(QString::fromUtf8("Número %1").arg(numero));
    setAccessibleDescription(QString());
    setToolTip(QString::number(numero));
}

void Casilla::ponMarcada(bool marcada)
{
    if (marcada == marcada_)
        return;
    marcada_ = marcada;
    setAccessibleDescription(marcada ? QStringLiteral("marcado") : QString());
    update();
}

QSize Casilla::sizeHint() const
{
    return {38, 30};
}
QSize Casilla::minimumSizeHint() const
{
    return {22, 18};
}

void Casilla::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    pinta(p, numero_, marcada_, QRectF(rect()));
    // The cell reached with Tab shows it, so the grid can be filled from the keyboard.
    if (hasFocus()) {
        p.setPen(QPen(palette().highlight().color(), 2.0, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

QImage Casilla::dibujo(int numero, bool marcada, QSize tamano, qreal escala)
{
    QImage imagen(tamano * escala, QImage::Format_ARGB32_Premultiplied);
    imagen.setDevicePixelRatio(escala);
    imagen.fill(Qt::transparent);
    QPainter p(&imagen);
    pinta(p, numero, marcada, QRectF(QPointF(0, 0), QSizeF(tamano)));
    return imagen;
}
