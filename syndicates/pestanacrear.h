#pragma once

#include "widgets/pestana.h"

#include <vector>

class Imagen;
class QAbstractSlider;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

// Tab "Crear Combinación": a new syndicate by hand (the wizard) or made by the computer from the
// most frequent numbers: the draws they come from (the statistics filters, shared with that
// tab), how many numbers, and the kind of syndicate with its reduction table.
class PestanaCrear : public Pestana {
    Q_OBJECT
public:
    PestanaCrear(Sesion &sesion, QWidget *parent = nullptr);

    void entra() override;
    void sale() override;

    void Command4_Click(); // "Manual"
    void Command9_Click(); // "Automática"
    void Check3_Click(int i);
    void Slider2_Change(int n);
    void listatablas(int n);
    void Combo1_Click(int posicion);
    void Image3_Click(int elemento);
    void Image4_Click();
    // The report database's syndicate row was written: the report button shows greyed.
    void apagaInforme();

    // The computer's numbers for the editor: the whole ranking, most frequent first.
    std::vector<int> numerosOrdenador() const;
    const std::vector<int> &indicetablas() const { return indicetablas_; }
    int numerosCrear() const { return numerosCrear_; }

signals:
    void menuCreacionPedido();                                // the wizard
    void editorPedido(const std::vector<int> &masfrecuentes); // the editor, new syndicate
    void informePedido(int i);                                // the report of the chosen numbers

private:
    void construyePasos(QWidget *pasos);
    // The copies of the statistics filters follow the session's filter.
    void muestraFiltro();
    // The part of the tab's reset that belongs to steps 1 and 2: count 0, filters usable.
    void reiniciaCreaAuto();
    void ponActivo(Imagen *boton, bool activo);

    QWidget *modoCreacion = nullptr;
    QWidget *pasosAutomatica = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command9 = nullptr;
    QCheckBox *Check3[11] = {}; // only 3, 4, 7, 8 and 10: the copies of the statistics boxes
    QAbstractSlider *Slider1_1 = nullptr;
    QAbstractSlider *Slider2 = nullptr;
    QLabel *Label23 = nullptr;
    QComboBox *Combo1 = nullptr;
    QLabel *Label51 = nullptr;
    Imagen *Image3[3] = {};
    Imagen *Image2_0 = nullptr;
    Imagen *Image4 = nullptr;
    QGroupBox *Frame9 = nullptr;
    QGroupBox *Frame10 = nullptr;
    QLabel *Label43 = nullptr;
    QLabel *Label47 = nullptr;
    QLabel *Label48 = nullptr;
    QLabel *Label49 = nullptr;
    QLabel *Label50 = nullptr;

    std::vector<int> indicetablas_;
    int numerosCrear_ = 0; // count of numbers the tables were last listed for
};
