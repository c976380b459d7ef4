#include "app/imagen.h"

#include <QKeyEvent>
#include <QMouseEvent>

Imagen::Imagen(const QString &nombre, QWidget *parent) : QLabel(parent)
{
    setObjectName(nombre);
    setAccessibleName(nombre);
    // Reachable from the keyboard like any button: Tab to it, Space or Enter to press it.
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
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
    emit encima();
    QLabel::enterEvent(evento);
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
