// Tab 4 "Crear Combinación": creation of a syndicate, by hand or from the most frequent numbers.
#include "app/principal.h"

#include <QVBoxLayout>

QWidget *Principal::construyeCrear()
{
    auto *panel = new QWidget;
    new QVBoxLayout(panel);
    return panel;
}
