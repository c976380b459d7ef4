#include "widgets/imagen.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

Imagen::Imagen(const QString &nombre, QWidget *parent) : QLabel(parent)
{
    setObjectName(nombre);
    setAccessibleName(nombre);
    // Reachable from the keyboard like any button: Tab to it, Space or Enter to press it.
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignCenter);
}

void Imagen::normal()
{
    ponResalte(false);
}

void Imagen::ponResalte(bool si)
{
    if (resaltada_ == si)
        return;
    resaltada_ = si;
    update();
    emit cambiaResalte(si);
}

QFont Imagen::letraRotulo() const
{
    QFont negrita = font();
    negrita.setBold(true);
    return negrita;
}

QSize Imagen::sizeHint() const
{
    if (!pixmap().isNull())
        return QLabel::sizeHint();
    const QSize texto = QFontMetrics(letraRotulo()).size(Qt::TextShowMnemonic, text());
    return {texto.width() + kMargenX, texto.height() + kMargenY};
}

// A narrow button wraps its caption between words, so it can shrink to its longest word; it
// then grows in height to keep every line (heightForWidth), never cutting a word.
QSize Imagen::minimumSizeHint() const
{
    if (!pixmap().isNull())
        return QLabel::minimumSizeHint();
    const QFontMetrics medidas(letraRotulo());
    int palabra = 0;
    for (const QString &p : text().split(QLatin1Char(' '), Qt::SkipEmptyParts))
        palabra = std::max(palabra, medidas.horizontalAdvance(p));
    return {palabra + kMargenX / 2, medidas.height() + kMargenY};
}

bool Imagen::hasHeightForWidth() const
{
    return pixmap().isNull() && !text().isEmpty();
}

int Imagen::heightForWidth(int ancho) const
{
    if (!hasHeightForWidth())
        return QLabel::heightForWidth(ancho);
    const QRect caja = QFontMetrics(letraRotulo())
                           .boundingRect(QRect(0, 0, std::max(1, ancho - 3), 10000),
                                         Qt::AlignCenter | Qt::TextWordWrap, text());
    return caja.height() + kMargenY;
}

void Imagen::mouseReleaseEvent(QMouseEvent *evento)
{
    if (evento->button() == Qt::LeftButton && rect().contains(evento->position().toPoint()) &&
        isEnabled())
        emit clicked();
    QLabel::mouseReleaseEvent(evento);
}

void Imagen::enterEvent(QEnterEvent *evento)
{
    if (isEnabled())
        ponResalte(true);
    QLabel::enterEvent(evento);
}

void Imagen::leaveEvent(QEvent *evento)
{
    ponResalte(false);
    QLabel::leaveEvent(evento);
}

void Imagen::changeEvent(QEvent *evento)
{
    if (evento->type() == QEvent::EnabledChange && !isEnabled())
        ponResalte(false);
    QLabel::changeEvent(evento);
}

void Imagen::keyPressEvent(QKeyEvent *evento)
{
    if (evento->key() == Qt::Key_Space || evento->key() == Qt::Key_Return ||
        evento->key() == Qt::Key_Enter) {
        if (isEnabled())
            emit clicked();
        return;
    }
    QLabel::keyPressEvent(evento);
}

void Imagen::paintEvent(QPaintEvent *evento)
{
    if (!pixmap().isNull() || text().isEmpty()) {
        QLabel::paintEvent(evento);
        return;
    }
    // Normal: blue; highlighted: warm orange; greyed: flat grey with dimmed text.
    QColor arriba(120, 170, 230), abajo(40, 90, 170), letra(Qt::white);
    if (!isEnabled()) {
        arriba = QColor(215, 215, 215);
        abajo = QColor(175, 175, 175);
        letra = QColor(120, 120, 120);
    } else if (resaltada_) {
        arriba = QColor(255, 200, 120);
        abajo = QColor(240, 130, 20);
    }
    QPainter pintor(this);
    pintor.setRenderHint(QPainter::Antialiasing);
    const QRectF caja = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    QLinearGradient degradado(caja.topLeft(), caja.bottomLeft());
    degradado.setColorAt(0, arriba);
    degradado.setColorAt(1, abajo);
    QPainterPath forma;
    forma.addRoundedRect(caja, 7, 7);
    pintor.fillPath(forma, degradado);
    pintor.setPen(QPen(hasFocus() ? palette().highlight().color() : abajo.darker(130),
                       hasFocus() ? 2.5 : 1.0));
    pintor.drawPath(forma);
    pintor.setPen(letra);
    pintor.setFont(letraRotulo());
    pintor.drawText(caja, Qt::AlignCenter | Qt::TextWordWrap, text());
}
