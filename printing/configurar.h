#pragma once

#include "session/ajustes.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// "Configurar": the price of one bet and the statistics depth, each written to nums.ini as soon
// as it changes; and whether new draws come by themselves and prizes are told on the desktop,
// which the program keeps in ajustes.ini (the window only says what the user chose).
class Configurar : public QDialog {
    Q_OBJECT
public:
    explicit Configurar(const QString &carpeta, QWidget *parent = nullptr);

    void Form_Load();
    void Text1_Change();    // bet price
    void Text1_LostFocus(); // the price typed: a 0 is refused
    void Text2_Change();    // statistics depth
    const Ajustes &ajustes() const { return ajustes_; }

    QLineEdit *Text1 = nullptr;
    QLineEdit *Text2 = nullptr;
    QPushButton *Command1 = nullptr; // "X"
    QCheckBox *bajarAlAbrir = nullptr;
    QCheckBox *avisosEscritorio = nullptr;

signals:
    void ajustesCambiados(const Ajustes &ajustes);
    void preferenciasCambiadas(bool bajarAlAbrir, bool avisosEscritorio);

private:
    QString rutaAjustes() const;
    void muestra(QLineEdit *caja, const QString &texto);
    // Reads the record again (the printing window may have changed another field), applies the
    // change and writes it back.
    template <typename Cambio> void guarda(Cambio cambio);
    void confirmaPrecio();

    QString carpeta_;
    Ajustes ajustes_;
    bool cambiando_ = false;
    float precioConfirmado_ = 1; // the price last accepted, brought back on "No"
    bool falloAvisado_ = false;
};
