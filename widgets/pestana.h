#pragma once

#include <QWidget>

class Sesion;

// One tab of the main window: built from the session, it reads and changes the shared values
// there and reacts to the session's signals. The main window tells it when the user enters or
// leaves it.
class Pestana : public QWidget {
public:
    Pestana(Sesion &sesion, QWidget *parent) : QWidget(parent), sesion_(sesion) {}

    virtual void entra() {}
    virtual void sale() {}

protected:
    Sesion &sesion_;
};
