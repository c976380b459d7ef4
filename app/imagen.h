#pragma once

#include <QLabel>

// A picture that works as a button: it is clicked, and it tells when the mouse enters it so
// the window can show its highlighted picture.
class Imagen : public QLabel {
    Q_OBJECT
public:
    explicit Imagen(const QString &nombre, QWidget *parent = nullptr);

signals:
    void clicked();
    void encima();

protected:
    void mouseReleaseEvent(QMouseEvent *evento) override;
    void enterEvent(QEnterEvent *evento) override;
    void keyPressEvent(QKeyEvent *evento) override;
};
