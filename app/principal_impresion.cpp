// The secondary windows of the main window: slip printing, settings and about.
#include "app/acercade.h"
#include "app/principal.h"
#include "printing/configurar.h"
#include "printing/imprimir.h"

#include <QAbstractSlider>
#include <QApplication>

namespace {
// Shows a secondary window in place of an earlier one of the same kind.
template <typename Ventana> Ventana *abre(Ventana *ventana)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != ventana && w->objectName() == ventana->objectName())
            w->close();
    ventana->setAttribute(Qt::WA_DeleteOnClose);
    ventana->show();
    ventana->raise();
    ventana->activateWindow();
    return ventana;
}
} // namespace

void Principal::Command2_Click()
{
    if (penasel <= 0 || penasel > penas_.cuenta()) {
        Escritorio::actual().aviso(QString::fromUtf8("Seleccione una peña primero..."),
                                   QString::fromUtf8("¡Nooooo!"), Escritorio::Icono::Informacion);
        return;
    }
    auto *ventana = new Imprimir(carpeta_, penas_.lee(penasel), this);
    connect(ventana, &Imprimir::ajustesCambiados, this, [this](const Ajustes &a) { ajustes_ = a; });
    abre(ventana);
}

void Principal::confi_Click()
{
    auto *ventana = new Configurar(carpeta_, this);
    connect(ventana, &Configurar::ajustesCambiados, this, [this](const Ajustes &a) {
        ajustes_ = a;
        // The new depth moves both statistics sliders, as reading the settings at start-up does.
        for (QAbstractSlider *s : Slider1)
            if (s)
                s->setValue(a.profundidad);
    });
    abre(ventana);
}

void Principal::acerca_Click()
{
    abre(new Acercade(carpeta_, this));
}

void Principal::cierraSecundarias()
{
    static const QString kVentanas[] = {QStringLiteral("Imprimir"), QStringLiteral("Acercade"),
                                        QStringLiteral("Configurar")};
    for (QWidget *w : QApplication::topLevelWidgets())
        for (const QString &nombre : kVentanas)
            if (w->objectName() == nombre && w->isVisible())
                w->close();
}
