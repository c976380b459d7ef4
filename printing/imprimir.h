#pragma once

#include "printing/boletos.h"
#include "session/ajustes.h"
#include "syndicates/pena.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class VistaPrevia;

// "Imprimir boletos": prints the bets of one syndicate on official slips (with the user's
// offsets) or on plain paper as participations, with a preview of the sheets and a test sheet
// to adjust the offsets.
class Imprimir : public QDialog {
    Q_OBJECT
public:
    Imprimir(const QString &carpeta, const Pena &pena, QWidget *parent = nullptr);
    ~Imprimir() override;

    void Form_Load();
    void Command1_Click(); // official slips
    void Command2_Click(); // plain paper
    void Text1_Change(int elemento);
    void Text1_LostFocus(int elemento);
    // Prints one sheet with every box marked at the stored offsets.
    void pruebaAjuste();
    // "Guardar como PDF": the sheets of the preview, in a file. False when cancelled or failed.
    bool guardaPdf();

    // 0 official slips, 1 plain paper: what the last print command chose.
    int papelnormal = 0;
    const Ajustes &ajustes() const { return ajustes_; }

    QLabel *Label1 = nullptr; // heading
    QLabel *Label2 = nullptr; // syndicate name
    QLabel *Label4 = nullptr; // bets to print
    QLabel *Label6 = nullptr; // official slips needed
    QLabel *Label8 = nullptr; // draw days
    QLineEdit *Text1[2] = {};
    QCheckBox *Check1 = nullptr;
    QLabel *Image1 = nullptr; // the add-on game's logo
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr; // test sheet
    QPushButton *Command4 = nullptr; // "Guardar como PDF"
    VistaPrevia *vista = nullptr;
    QRadioButton *Option1[2] = {}; // preview of official slips / plain paper
    QPushButton *anterior = nullptr;
    QPushButton *siguiente = nullptr;
    QLabel *hojaVista = nullptr;

signals:
    // The settings record was written with new offsets.
    void ajustesCambiados(const Ajustes &ajustes);

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void imprimeboletos();
    void muestraDesplazamientos();
    void actualizaVista();
    void muestraHoja();
    QString rutaAjustes() const;

    QString carpeta_;
    Pena pena_;
    // What the job or the preview prints, on official slips or on plain paper.
    boletos::Opciones opciones(bool papelNormal) const;
    Ajustes ajustes_;
    double marcaLunes_ = boletos::kMarcaLunes;
    std::unique_ptr<QPrinter> impresora_;
    bool cambiando_ = false; // the boxes are being filled by the window, not typed into
    bool falloAvisado_ = false;
};
