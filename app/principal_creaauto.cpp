// Tab 4 "Crear Combinación", automatic creation: the statistics filters of step 1, the count of
// numbers of step 2, and the report and "back" buttons beside the creation buttons of step 3.
// The computer's numbers are the first ones of masfrecuentes. The tables list, the creation
// buttons and the opening of the editor are in principal_crear.cpp.
#include "app/imagen.h"
#include "app/principal.h"
#include "stats/estadisticas.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>
#include <memory>

namespace {
QString u(const char *texto)
{
    return QString::fromUtf8(texto);
}

constexpr int kPestanaCrear = 4;

// Moves every item of a grid `filas` rows down, so that new rows fit above them.
void bajaFilas(QGridLayout *rejilla, int filas)
{
    struct Pieza {
        QLayoutItem *item;
        int fila, columna, alto, ancho;
    };
    std::vector<Pieza> piezas;
    while (rejilla->count() > 0) {
        Pieza p{};
        rejilla->getItemPosition(0, &p.fila, &p.columna, &p.alto, &p.ancho);
        p.item = rejilla->takeAt(0);
        piezas.push_back(p);
    }
    std::vector<int> estiramientos;
    for (int f = 0; f < rejilla->rowCount(); ++f) {
        estiramientos.push_back(rejilla->rowStretch(f));
        rejilla->setRowStretch(f, 0);
    }
    for (const Pieza &p : piezas)
        rejilla->addItem(p.item, p.fila + filas, p.columna, p.alto, p.ancho);
    for (size_t f = 0; f < estiramientos.size(); ++f)
        rejilla->setRowStretch(static_cast<int>(f) + filas, estiramientos[f]);
}

// The layout, at any depth, that holds a widget.
QLayout *capaDe(QLayout *capa, QWidget *w)
{
    if (!capa)
        return nullptr;
    if (capa->indexOf(w) >= 0)
        return capa;
    for (int i = 0; i < capa->count(); ++i)
        if (QLayout *hallada = capaDe(capa->itemAt(i)->layout(), w))
            return hallada;
    return nullptr;
}
} // namespace

void Principal::construyeCreaAuto(QWidget *crear)
{
    QWidget *pasos = pasosAutomatica ? pasosAutomatica : crear;

    // Step 1: the same filters as the statistics tab, kept equal to them.
    auto *paso1 = new QGroupBox(u("- Paso 1: sorteos de los que salen los números"), pasos);
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

    // Step 2: how many numbers to play.
    auto *paso2 = new QGroupBox(u("- Paso 2"), pasos);
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
    connect(Slider2, &QSlider::valueChanged, this, &Principal::Slider2_Change);

    // Step 3: beside the creation buttons, the report of the chosen numbers and the way back.
    Image2[0] = new Imagen(QStringLiteral("Image2_0"), pasos);
    Image2[0]->setText(u("-Ver informe o imprimir:"));
    Image2[0]->setAccessibleName(u("-Ver informe o imprimir:"));
    Image2[0]->setFrameShape(QFrame::StyledPanel);
    connect(Image2[0], &Imagen::clicked, this, [this] { Image2_Click(0); });
    Image4 = new Imagen(QStringLiteral("Image4"), pasos);
    Image4->setText(u("-Volver al Paso 1:"));
    Image4->setAccessibleName(u("-Volver al Paso 1:"));
    Image4->setFrameShape(QFrame::StyledPanel);
    connect(Image4, &Imagen::clicked, this, &Principal::Image4_Click);

    if (auto *rejilla = qobject_cast<QGridLayout *>(pasos->layout())) {
        bajaFilas(rejilla, 2);
        rejilla->addWidget(paso1, 0, 0, 1, -1);
        rejilla->addWidget(paso2, 1, 0, 1, -1);
    } else if (pasos->layout()) {
        pasos->layout()->addWidget(paso1);
        pasos->layout()->addWidget(paso2);
    } else {
        auto *capa = new QVBoxLayout(pasos);
        capa->addWidget(paso1);
        capa->addWidget(paso2);
    }
    if (auto *botones = qobject_cast<QBoxLayout *>(capaDe(pasos->layout(), Image3[0]))) {
        botones->addWidget(Image2[0]);
        botones->addWidget(Image4);
    } else if (pasos->layout()) {
        pasos->layout()->addWidget(Image2[0]);
        pasos->layout()->addWidget(Image4);
    }

    // Leaving the tab resets it; entering it greys the report button.
    auto previa = std::make_shared<int>(SSTab1->currentIndex());
    connect(SSTab1, &QTabWidget::currentChanged, this, [this, previa](int pestana) {
        if (*previa == kPestanaCrear && pestana != kPestanaCrear)
            reiniciaCreaAuto();
        if (pestana == kPestanaCrear && *previa != kPestanaCrear)
            ponActivo(Image2[0], false);
        *previa = pestana;
    });
    reiniciaCreaAuto();
}

void Principal::ponActivo(Imagen *boton, bool activo)
{
    if (!boton)
        return;
    boton->setEnabled(activo);
    // The report buttons show picture 4 when usable and picture 5 greyed.
    if (boton == Image2[0] || boton == Image2[1])
        boton->setProperty("imagen", activo ? 4 : 5);
}

std::vector<int> Principal::numerosOrdenador() const
{
    return std::vector<int>(masfrecuentes.begin(), masfrecuentes.end());
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
    if (Combo1)
        Combo1->setEnabled(true);
    listatablas(n);
    if (n == 6)
        ponActivo(Image3[1], true);
    else if (n >= 5 && n <= 11)
        ponActivo(Image3[2], true);
    for (int i : {3, 4, 7, 8})
        Check3[i]->setEnabled(false);
}

void Principal::reiniciaCreaAuto()
{
    if (!Slider2)
        return;
    ponActivo(Image2[0], false);
    ponActivo(Image4, false);
    Slider2->setEnabled(true);
    {
        const QSignalBlocker bloqueo(Slider2);
        Slider2->setValue(0);
    }
    Label23->setText(u("Ha seleccionado 0 números."));
    for (int i : {3, 4, 7, 8})
        Check3[i]->setEnabled(true);
}
