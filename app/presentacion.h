#pragma once

#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

class Principal;
class QPushButton;
class QTimer;

// The first window of the program: plays its eight pictures once, shows "Entrar", and opens the
// main window when the user presses it or, failing that, by itself after 58 ticks.
class Presentacion : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFotogramas = 8;
    static constexpr int kTicksEntrada = 60; // the tick counter starts at 2

    // `carpeta` is the program directory handed to the main window; empty means the one the
    // program chooses for itself (the executable's folder for a build run).
    explicit Presentacion(const QString &carpeta = QString(), QWidget *parent = nullptr);
    ~Presentacion() override;

    void Form_Initialize();
    void Form_Load();
    void Timer1_Timer();
    void Command1_Click();

    qint16 fotograma = 1; // next picture to show; 10 once the eight have played
    int ticks = 2;
    int mostrada() const { return mostrada_; } // number of the picture on show, 0 = none yet
    Principal *principal() const;

    QList<QPixmap> ImageList1;
    QPushButton *Command1 = nullptr;
    QTimer *Timer1 = nullptr;

    // Picture i (1..8) of the animation, drawn here rather than shipped as files.
    static QPixmap dibujaFotograma(int i);

protected:
    void paintEvent(QPaintEvent *evento) override;

private:
    QString carpeta_;
    int mostrada_ = 0;
    QPointer<Principal> principal_;
};
