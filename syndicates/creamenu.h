#pragma once

#include "reduced/tablas.h"

#include <QElapsedTimer>
#include <QWidget>

class Imagen;
class Sesion;
class QComboBox;
class QLabel;
class QRadioButton;
class QTimer;

// The small creation wizard "Menú creación": the kind of syndicate (and the multiple size or
// the reduction table) is chosen here, then the editor opens empty.
class Creamenu : public QWidget {
    Q_OBJECT
public:
    explicit Creamenu(Sesion &sesion, QWidget *parent = nullptr);

    void Form_Load();
    void Option1_Click(int indice);
    void Combo1_Click(int posicion);
    void Timer1_Timer();
    void Label3_Click();
    // Shown and not yet activated by the window system (see Crea::abriendose).
    bool abriendose() const;

    QRadioButton *Option1[3] = {};
    QComboBox *Combo1 = nullptr;
    Imagen *Label3 = nullptr;
    QTimer *Timer1 = nullptr;
    QLabel *Label1[18] = {};

signals:
    // The kind chosen (modocrea) and the reduced table: the editor opens on them.
    void elegido(int modocrea, int tablasel);

protected:
    bool event(QEvent *evento) override;
    void showEvent(QShowEvent *evento) override;

private:
    Sesion &sesion_;
    Tablas tablas_;
    int tipo_ = -1; // Option1 element chosen
    int marcas_ = 0;
    bool actualizando_ = false;
    bool activada_ = false;
    QElapsedTimer desdeQueSeMostro_;
};
