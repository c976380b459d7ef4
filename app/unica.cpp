#include "app/unica.h"
#include "app/presentacion.h"
#include "app/principal.h"
#include "widgets/escritorio.h"

#include <QWidget>

Frente::Frente(Instancia &instancia, Presentacion &presentacion, QObject *parent)
    : QObject(parent), presentacion_(presentacion)
{
    connect(&instancia, &Instancia::llamada, this, [this] {
        QWidget *ventana = presentacion_.principal();
        if (!ventana)
            ventana = &presentacion_;
        if (!ventana->isVisible() && ventana == &presentacion_)
            return; // the main window is closing: there is nothing to show any more
        alFrente(ventana);
        emit traida(ventana);
    });
}

void Frente::alFrente(QWidget *ventana)
{
    if (ventana->isMinimized())
        ventana->showNormal();
    else
        ventana->show();
    ventana->raise();
    ventana->activateWindow();
}

bool arrancaSolo(Instancia &instancia, int esperaMs)
{
    switch (instancia.arranca(esperaMs)) {
    case Instancia::Resultado::Primera:
    case Instancia::Resultado::SinCerrojo:
        return true;
    case Instancia::Resultado::Avisada:
        return false;
    case Instancia::Resultado::SinRespuesta:
        break;
    }
    Escritorio::actual().aviso(Instancia::mensajeAbierto(instancia.carpeta()),
                               QStringLiteral("Bolarium ya está abierto"),
                               Escritorio::Icono::Exclamacion);
    return false;
}
