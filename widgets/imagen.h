#pragma once

#include <QLabel>

// A picture that works as a button: it is clicked, pressed from the keyboard, and shows its
// highlighted picture while the mouse is over it and its greyed picture while disabled. Unless
// a pixmap is given, the picture is drawn from its caption, so it is sharp at any screen scale.
class Imagen : public QLabel {
    Q_OBJECT
    Q_PROPERTY(bool resaltada READ resaltada NOTIFY cambiaResalte)
public:
    explicit Imagen(const QString &nombre, QWidget *parent = nullptr);

    bool resaltada() const { return resaltada_; }
    // Normal picture again (the mouse moved over the frame around the buttons).
    void normal();
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int ancho) const override;

signals:
    void clicked();
    void cambiaResalte(bool resaltada);

protected:
    void mouseReleaseEvent(QMouseEvent *evento) override;
    void enterEvent(QEnterEvent *evento) override;
    void leaveEvent(QEvent *evento) override;
    void keyPressEvent(QKeyEvent *evento) override;
    void changeEvent(QEvent *evento) override;
    void paintEvent(QPaintEvent *evento) override;

private:
    static constexpr int kMargenX = 24; // room around a drawn caption
    static constexpr int kMargenY = 14;
    QFont letraRotulo() const; // captions are drawn bold
    void ponResalte(bool si);
    bool resaltada_ = false;
};
