#pragma once

#include "session/instancia.h"

#include <QObject>

class Presentacion;
class QWidget;

// The windows' side of one program per data folder: a later start on the same folder brings
// this program's window to the front instead of opening a second program over the same files.
class Frente : public QObject {
    Q_OBJECT
public:
    // Each request `instancia` hears raises the main window `presentacion` opened, or the
    // splash window itself while the main window is not open yet.
    Frente(Instancia &instancia, Presentacion &presentacion, QObject *parent = nullptr);

    // Shows a window as the user left it (unminimized) above the others, and gives it the focus.
    static void alFrente(QWidget *ventana);

signals:
    void traida(QWidget *ventana);

private:
    Presentacion &presentacion_;
};

// The start of the program on its data folder: true when it goes on. False when another
// program holds the folder: it was asked to show itself, or, when it did not answer, the user
// is told that the program is already open on that folder.
bool arrancaSolo(Instancia &instancia, int esperaMs = Instancia::kEspera);
