#pragma once

#include "syndicates/edicion.h"

#include <QElapsedTimer>
#include <QWidget>
#include <memory>
#include <vector>

class QButtonGroup;
class QDateEdit;
class QKeyEvent;
class Casilla;
class Imagen;
class Sesion;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTreeView;
class ModeloEditor;

// The syndicate editor "Crear peña nueva...": a new syndicate of the kind chosen before it
// opened (new mode), or the syndicate selected in the main window changed in place (edit mode).
// The rules live in Edicion; this window shows its state and passes the clicks on, and tells
// the main window through its signals what became of the syndicate.
class Crea : public QWidget {
    Q_OBJECT
public:
    // Works on the session's syndicate file as `opciones` say.
    Crea(Sesion &sesion, OpcionesEdicion opciones, QWidget *parent = nullptr);
    ~Crea() override;

    Edicion &edicion() { return *edicion_; }
    // Closes without the incomplete-bet check (the main window became active again).
    void cierra();
    // Shown and not yet activated by the window system: the main window's own activation then
    // is not the user coming back to it.
    bool abriendose() const;

    void Image1_Click(int indice);
    void Command1_Click(); // Grabar
    void Command2_Click(); // Borrar
    void Command3_Click(); // Aleatorio
    void Command4_Click(); // Añadir apuesta
    void Command5_Click(); // Eliminar apuesta
    void HScroll1_Change(int valor);
    void Text1_Change(const QString &texto);
    void Option_Click(int opcion); // 1..3
    void JuegaDesde_Change(const QDate &dia);
    void Label5_Click();

    QLineEdit *Text1 = nullptr;
    QDateEdit *juegaDesde = nullptr; // the day the syndicate started to play
    Casilla *Image1[49] = {};
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command5 = nullptr;
    QScrollBar *HScroll1 = nullptr;
    QLineEdit *Text2 = nullptr;
    QRadioButton *Option1 = nullptr;
    QRadioButton *Option2 = nullptr;
    QRadioButton *Option3 = nullptr;
    QRadioButton *Option4 = nullptr;
    QRadioButton *Option5 = nullptr;
    QRadioButton *Option6 = nullptr;
    QRadioButton *Option7 = nullptr;
    Imagen *Label5 = nullptr;
    QTreeView *ListView5 = nullptr;
    QLabel *instruccion = nullptr;
    QLabel *cuentaApuestas = nullptr;
    QLabel *guardada = nullptr; // says which syndicate the last "Grabar" saved
    QLabel *etiquetaEdicion = nullptr;
    QLabel *etiquetaApuesta = nullptr;
    QLabel *numeroTecleado = nullptr; // the digits typed on the grid, or how to type them

signals:
    void apuestasCambiadas(int numapuestas); // bets in the editor (0 once a new one closes)
    void grabada();                          // the syndicate file was written
    void mostrada();                         // shown for the first time

protected:
    bool event(QEvent *evento) override;
    bool eventFilter(QObject *objeto, QEvent *evento) override;
    void keyPressEvent(QKeyEvent *evento) override;
    void showEvent(QShowEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;

private:
    void construye();
    void muestra();
    void atiende(const RespuestaEdicion &r);
    bool teclaRejilla(const QKeyEvent &tecla);
    void marcaTecleado();
    void muestraTecleado(const QString &aviso = QString());

    Sesion &sesion_;
    std::unique_ptr<Edicion> edicion_;
    ModeloEditor *modelo_ = nullptr;
    bool actualizando_ = false;
    QButtonGroup *grupoDias_ = nullptr; // the day options by their number 1..7
    QString tecleado_;                  // digits of a number typed on the grid, not yet marked
    bool forzado_ = false;
    bool mostrada_ = false;
    bool activada_ = false;
    QElapsedTimer desdeQueSeMostro_;
};
