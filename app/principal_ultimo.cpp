// Tab 1 "Último sorteo": prize breakdown of the newest draw and the maker's message notice.
#include "app/principal.h"

#include <QVBoxLayout>

QWidget *Principal::construyeUltimo()
{
    auto *panel = new QWidget;
    new QVBoxLayout(panel);
    return panel;
}

void Principal::premiosorteo(int) {}

void Principal::mensajeautor() {}
