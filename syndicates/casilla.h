#pragma once

#include "widgets/imagen.h"

// One number of the editor's grid. Both pictures, the empty cell and the marked one, are drawn
// with vectors at paint time, so they stay sharp at any screen scale.
class Casilla : public Imagen {
    Q_OBJECT
    Q_PROPERTY(bool marcada READ marcada WRITE ponMarcada)
public:
    Casilla(int numero, const QString &nombre, QWidget *parent = nullptr);

    int numero() const { return numero_; }
    bool marcada() const { return marcada_; }
    void ponMarcada(bool marcada);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The two pictures at a given size and device pixel ratio (also used to check them).
    static QImage dibujo(int numero, bool marcada, QSize tamano, qreal escala);

protected:
    void paintEvent(QPaintEvent *evento) override;

private:
    int numero_;
    bool marcada_ = false;
};
