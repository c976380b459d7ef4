#pragma once

#include "checking/comprobacion.h"
#include "widgets/pestana.h"

#include <QElapsedTimer>
#include <memory>
#include <vector>

class Imagen;
class ModeloResultados;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPagedPaintDevice;
class QPrinter;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QTableView;
class QTimer;
class QVariantAnimation;

// Tab "General": the results lists of the checking passes, how many draws they look at, their
// two filters, the prize alert and the printed listing.
class PestanaResultados : public Pestana {
    Q_OBJECT
public:
    PestanaResultados(Sesion &sesion, QWidget *parent = nullptr);

    void comprueba(int n);
    void compruebamultiples(int n);
    void Command1_Click(int elemento);
    void HScroll1_Change();
    void HScroll1_Scroll(int valor);
    // The count typed in Text3, applied on Enter or when the box loses the focus.
    void Text3_Validate();
    void Check1_Click();
    void Check2_Click();
    void Image5_Click();
    // "Guardar como PDF": the listing of the print command, in a file.
    void guardaPdf_Click();
    void Timer3_Timer();
    void paraAvisoPremio();

    // One of the views of the "Sencillas" and "Múltiples" menus: the list shown and the state
    // of the two boxes (-1 leaves a box as it is).
    void muestraVista(int lista, int soloPremio, int historico);

    ModeloResultados *modeloSencillas() const { return modeloSencillas_; }
    ModeloResultados *modeloMultiples() const { return modeloMultiples_; }
    bool imprimiendo() const { return imprimiendo_ == 1; }
    // 1 while the pass that follows a pick in the syndicate selector runs; back to 0 after it.
    int cambiocombo() const { return cambiocombo_; }

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void recontado();
    void muestraPasada();
    void progreso(int hechos, int total);
    void sigueCuenta();
    void empiezaImpresion();
    void terminaImpresion();
    bool confirmaLargo(QPagedPaintDevice &hoja, comprobacion::LineasListado &lineas,
                       const QString &pregunta) const;
    void pintaAviso(int boton, bool rojo);
    void desliza(QTableView *lista);

    QPushButton *Command1[2] = {};
    QTableView *ListView2 = nullptr;
    QTableView *ListView4 = nullptr;
    QScrollBar *HScroll1 = nullptr;
    QLineEdit *Text3 = nullptr;
    QCheckBox *Check1 = nullptr;
    QCheckBox *Check2 = nullptr;
    Imagen *Image5 = nullptr;
    Imagen *guardaPdf = nullptr;
    QLabel *Label59 = nullptr;
    QProgressBar *ProgressBar2 = nullptr;
    QTimer *Timer3 = nullptr;

    ModeloResultados *modeloSencillas_ = nullptr;
    ModeloResultados *modeloMultiples_ = nullptr;
    int imprimiendo_ = 0;
    int cambiocombo_ = 0;
    QElapsedTimer relojProgreso_;
    // Where the listing of a print command goes: the printer, or else a PDF file.
    std::shared_ptr<QPrinter> impresora_;
    QString destinoPdf_;
    // The rows of both passes of a print command, which the listing is made from.
    std::shared_ptr<const comprobacion::Listado> impresoSencillas_;
    std::shared_ptr<const comprobacion::Listado> impresoMultiples_;
    bool enRojo_[2] = {};
    QVariantAnimation *deslizamiento_ = nullptr;
};
