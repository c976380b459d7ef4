// Tab 4 "Crear Combinación", automatic creation: the statistics filters of step 1, the count of
// numbers of step 2 and the creation and report buttons of step 3. The computer's numbers are
// the first ones of masfrecuentes.
#include "app/imagen.h"
#include "app/principal.h"
#include "stats/estadisticas.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace {
QString u(const char *texto)
{
    return QString::fromUtf8(texto);
}

// Code of a multiple of n numbers (modocrea): 7 → 1, 8 → 2, 5 → 3, 9 → 4, 10 → 5, 11 → 6.
int modoMultiple(int n)
{
    switch (n) {
    case 7:
        return 1;
    case 8:
        return 2;
    case 5:
        return 3;
    case 9:
        return 4;
    case 10:
        return 5;
    case 11:
        return 6;
    }
    return 0;
}
} // namespace

void Principal::construyeCreaAuto(QWidget *crear)
{
    auto *panel = new QWidget(crear);
    panel->setObjectName(QStringLiteral("panelCreaAuto"));
    auto *capa = new QVBoxLayout(panel);

    // Step 1: the same filters as the statistics tab, kept equal to them.
    auto *paso1 = new QGroupBox(u("- Paso 1: sorteos de los que salen los números"), panel);
    paso1->setObjectName(QStringLiteral("Frame8"));
    auto *filtros = new QGridLayout(paso1);
    const char *const titulos[4] = {"Jueves", "Sábado", "Todos", ""};
    const int miembros[4] = {3, 4, 7, 8};
    const int originales[4] = {0, 1, 5, 6};
    for (int k = 0; k < 4; ++k) {
        const int i = miembros[k];
        Check3[i] = new QCheckBox(u(titulos[k]), paso1);
        Check3[i]->setObjectName(QStringLiteral("Check3_%1").arg(i));
        Check3[i]->setChecked(Check3[originales[k]]->isChecked());
        connect(Check3[i], &QCheckBox::clicked, this, [this, i] { Check3_Click(i); });
        filtros->addWidget(Check3[i], 0, k);
    }
    Check3[8]->setText(Check3[6]->text());
    // The second period slider belongs here; both always show the same value.
    Slider1[1]->setParent(paso1);
    Slider1[1]->setVisible(!Check3[5]->isChecked());
    filtros->addWidget(Slider1[1], 1, 0, 1, 4);
    capa->addWidget(paso1);

    // Step 2: how many numbers to play.
    auto *paso2 = new QGroupBox(u("- Paso 2"), panel);
    auto *cantidad = new QVBoxLayout(paso2);
    cantidad->addWidget(new QLabel(u("- Indique la cantidad de números a seleccionar:"), paso2));
    auto *deslizador = new QSlider(Qt::Horizontal, paso2);
    deslizador->setObjectName(QStringLiteral("Slider2"));
    deslizador->setAccessibleName(u("Cantidad de números"));
    // No kind of syndicate takes more than the 20 numbers of the largest reduced table.
    deslizador->setRange(0, 20);
    deslizador->setPageStep(1);
    deslizador->setTickPosition(QSlider::TicksBelow);
    Slider2 = deslizador;
    cantidad->addWidget(Slider2);
    Label23 = new QLabel(u("Ha seleccionado 0 números."), paso2);
    Label23->setObjectName(QStringLiteral("Label23"));
    cantidad->addWidget(Label23);
    capa->addWidget(paso2);
    connect(Slider2, &QSlider::valueChanged, this, &Principal::Slider2_Change);

    // Step 3: the kind of syndicate, or the report of the chosen numbers.
    auto *paso3 = new QGroupBox(u("- Paso 3"), panel);
    auto *botones = new QGridLayout(paso3);
    const char *const textos[3] = {
        "-Crear Peña Reducida:", "-Crear Peña Sencilla:", "-Crear Peña Múltiple"};
    for (int e = 0; e < 3; ++e) {
        Image3[e] = new Imagen(QStringLiteral("Image3_%1").arg(e), paso3);
        Image3[e]->setText(u(textos[e]));
        Image3[e]->setAccessibleName(u(textos[e]));
        connect(Image3[e], &Imagen::clicked, this, [this, e] { Image3_Click(e); });
        botones->addWidget(Image3[e], e, 0);
    }
    Image2[0] = new Imagen(QStringLiteral("Image2_0"), paso3);
    Image2[0]->setText(u("-Ver informe o imprimir:"));
    Image2[0]->setAccessibleName(u("-Ver informe o imprimir:"));
    connect(Image2[0], &Imagen::clicked, this, [this] { Image2_Click(0); });
    botones->addWidget(Image2[0], 3, 0);
    Image4 = new Imagen(QStringLiteral("Image4"), paso3);
    Image4->setText(u("-Volver al Paso 1:"));
    Image4->setAccessibleName(u("-Volver al Paso 1:"));
    connect(Image4, &Imagen::clicked, this, &Principal::Image4_Click);
    botones->addWidget(Image4, 4, 0);

    Frame9 = new QFrame(paso3);
    Frame9->setObjectName(QStringLiteral("Frame9"));
    Frame9->setFrameShape(QFrame::StyledPanel);
    auto *ayuda = new QVBoxLayout(Frame9);
    for (const char *linea : {"Reducida:", "Seleccione una de las tablas disponibles de reducción.",
                              "Sencilla:", "Sólo cuando se seleccionan 6 números.",
                              "Múltiple:", "De 5, 7, 8, 9, 10 u 11 números."}) {
        auto *l = new QLabel(u(linea), Frame9);
        l->setWordWrap(true);
        ayuda->addWidget(l);
    }
    botones->addWidget(Frame9, 0, 1, 5, 1);
    capa->addWidget(paso3);
    capa->addStretch(1);

    if (auto *g = qobject_cast<QGridLayout *>(crear->layout()))
        g->addWidget(panel, g->rowCount(), 0, 1, -1);
    else if (crear->layout())
        crear->layout()->addWidget(panel);
    else
        (new QVBoxLayout(crear))->addWidget(panel);
    Image4_Click();
    // The tab opens on the choice between manual and automatic creation.
    panel->setVisible(false);
}

void Principal::muestraPasosAutomaticos(bool mostrar)
{
    if (auto *panel = findChild<QWidget *>(QStringLiteral("panelCreaAuto")))
        panel->setVisible(mostrar);
}

void Principal::ponActivo(Imagen *boton, bool activo)
{
    if (!boton)
        return;
    boton->setEnabled(activo);
    // The report button's pictures are 4 (normal) and 5 (greyed); the creation buttons' 6 and
    // their greyed form.
    if (boton == Image2[0] || boton == Image2[1])
        boton->setProperty("imagen", activo ? 4 : 5);
    else
        boton->setProperty("imagen", activo ? 6 : 0);
}

void Principal::Slider2_Change(int n)
{
    for (Imagen *b : Image3)
        ponActivo(b, false);
    ponActivo(Image2[0], false);
    ponActivo(Image4, true);
    Label23->setText(u("Ha seleccionado %1 números.").arg(n));
    if (n == 0)
        return;
    // The ranking is kept even when the report database cannot be written: only the report
    // of the numbers would be missing, and its button says so when pressed.
    frecuencias(n);
    ponActivo(Image2[0], true);
    if (auto *combo = findChild<QComboBox *>(QStringLiteral("Combo1")))
        combo->setEnabled(true);
    emit tablasPedidas(n);
    if (n == 6)
        ponActivo(Image3[1], true);
    else if (n >= 5 && n <= 11)
        ponActivo(Image3[2], true);
    for (int i : {3, 4, 7, 8})
        Check3[i]->setEnabled(false);
}

void Principal::Image3_Click(int e)
{
    if (e < 0 || e > 2 || !Image3[e]->isEnabled())
        return;
    const int n = Slider2->value();
    if (e == 0) {
        auto *combo = findChild<QComboBox *>(QStringLiteral("Combo1"));
        if (!combo || combo->currentIndex() < 0) {
            Escritorio::actual().aviso(
                u("Elija primero una tabla de reducidas en el menú desplegable."),
                u("No tan deprisa!"), Escritorio::Icono::Informacion);
            return;
        }
        // modocrea, tablasel and numordenador were set when the table was picked.
    } else {
        numordenador = 1;
        tablasel = 0;
        modocrea = e == 1 ? 0 : modoMultiple(n);
    }
    Image4_Click();
    emit editorPedido();
}

void Principal::Image4_Click()
{
    for (Imagen *b : Image3)
        ponActivo(b, false);
    ponActivo(Image2[0], false);
    ponActivo(Image4, false);
    Slider2->setEnabled(true);
    {
        const QSignalBlocker bloqueo(Slider2);
        Slider2->setValue(0);
    }
    Label23->setText(u("Ha seleccionado 0 números."));
    if (auto *combo = findChild<QComboBox *>(QStringLiteral("Combo1")))
        combo->setEnabled(false);
    Frame9->setVisible(true);
    if (auto *figuras = findChild<QWidget *>(QStringLiteral("Frame10")))
        figuras->setVisible(false);
    for (int i : {3, 4, 7, 8})
        Check3[i]->setEnabled(true);
}
