// Tab "Crear Combinación": creation of a syndicate, by hand or from the most frequent numbers.
#include "syndicates/pestanacrear.h"
#include "archive/texto.h"
#include "session/sesion.h"
#include "stats/estadisticas.h"
#include "widgets/escritorio.h"
#include "widgets/imagen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <climits>

namespace {
QLabel *etiqueta(QWidget *padre, const char *texto, bool negrita = false)
{
    auto *l = new QLabel(u(texto), padre);
    l->setWordWrap(true);
    if (negrita) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

QLabel *cifra(QWidget *padre, const char *nombre)
{
    auto *l = new QLabel(padre);
    l->setObjectName(QString::fromLatin1(nombre));
    l->setWordWrap(true);
    return l;
}

} // namespace

PestanaCrear::PestanaCrear(Sesion &sesion, QWidget *parent) : Pestana(sesion, parent)
{
    QWidget *panel = this;
    auto *capa = new QVBoxLayout(panel);

    // The choice the tab opens on.
    modoCreacion = new QWidget(panel);
    modoCreacion->setObjectName(QStringLiteral("modoCreacion"));
    auto *eleccion = new QGridLayout(modoCreacion);
    eleccion->addWidget(etiqueta(modoCreacion, "Creación de una Peña nueva", true), 0, 0, 1, 2);
    eleccion->addWidget(etiqueta(modoCreacion, "- Seleccione el modo de creación de la peña:"), 1,
                        0, 1, 2);
    Command9 = new QPushButton(u("Automática"), modoCreacion);
    Command9->setObjectName(QStringLiteral("Command9"));
    Command4 = new QPushButton(u("Manual"), modoCreacion);
    Command4->setObjectName(QStringLiteral("Command4"));
    eleccion->addWidget(Command9, 2, 0);
    eleccion->addWidget(
        etiqueta(modoCreacion,
                 "Deje que el ordenador confeccione las apuestas de su peña, a partir de los "
                 "números que más salen de la base de datos de los sorteos almacenados en el "
                 "programa."),
        2, 1);
    eleccion->addWidget(Command4, 3, 0);
    eleccion->addWidget(etiqueta(modoCreacion,
                                 "Introduzca los números manualmente. Cree la peña Reducida, "
                                 "Múltiple o Sencilla, con los números que usted desee."),
                        3, 1);
    eleccion->addWidget(etiqueta(modoCreacion,
                                 "Puede crear peñas Sencillas, Múltiples y Reducidas, así como "
                                 "ver o imprimir un informe estadístico."),
                        4, 0, 1, 2);
    eleccion->setColumnStretch(1, 1);
    eleccion->setRowStretch(5, 1);
    capa->addWidget(modoCreacion);

    pasosAutomatica = new QWidget(panel);
    pasosAutomatica->setObjectName(QStringLiteral("pasosAutomatica"));
    construyePasos(pasosAutomatica);
    pasosAutomatica->setVisible(false);
    capa->addWidget(pasosAutomatica, 1);

    connect(Command4, &QPushButton::clicked, this, &PestanaCrear::Command4_Click);
    connect(Command9, &QPushButton::clicked, this, &PestanaCrear::Command9_Click);
    connect(&sesion_, &Sesion::filtroCambiado, this, &PestanaCrear::muestraFiltro);
    muestraFiltro();
    reiniciaCreaAuto();
}

void PestanaCrear::Command4_Click()
{
    sesion_.ponNumapuestas(0);
    emit menuCreacionPedido();
}

void PestanaCrear::Command9_Click()
{
    modoCreacion->setVisible(false);
    pasosAutomatica->setVisible(true);
}

void PestanaCrear::listatablas(int n)
{
    numerosCrear_ = n;
    const reducidas::Listado l = reducidas::listatablas(sesion_.cargaTablas(), n);
    {
        const QSignalBlocker bloqueo(Combo1);
        Combo1->clear();
        Combo1->addItems(l.entradas);
        Combo1->setCurrentIndex(-1);
        Combo1->setEditText(l.textoCombo);
    }
    indicetablas_ = l.indicetablas;
    Image3[0]->setEnabled(l.hayTablas);
    Label51->setText(l.rango);
}

void PestanaCrear::Combo1_Click(int posicion)
{
    if (posicion < 0 || static_cast<size_t>(posicion) >= indicetablas_.size())
        return;
    if (!sesion_.tablas().leido)
        sesion_.cargaTablas(); // forgotten by an activation since the listing
    const Tablas &tablas = sesion_.tablas();
    const int ordinal = indicetablas_[static_cast<size_t>(posicion)];
    if (static_cast<size_t>(ordinal) >= tablas.tablas.size())
        return;
    sesion_.ponTablasel(ordinal);
    sesion_.ponModocrea(7);
    sesion_.ponNumordenador(1);
    Frame9->setVisible(false);
    Frame10->setVisible(true);
    const reducidas::Cifras c = reducidas::cifras(tablas.tablas[static_cast<size_t>(ordinal)]);
    Label43->setText(c.titulo);
    Label48->setText(c.garantia);
    Label47->setText(c.posibilidad);
    Label49->setText(c.sinReducir);
    Label50->setText(c.apuestasTotal);
}

void PestanaCrear::Image3_Click(int elemento)
{
    if (elemento < 0 || elemento > 2 || !Image3[elemento]->isEnabled())
        return;
    if (elemento == 0) {
        if (Combo1->currentIndex() < 0) {
            Escritorio::actual().aviso(
                u("Elija primero una tabla de reducidas en el menú desplegable."),
                u("No tan deprisa!"), Escritorio::Icono::Informacion);
            return;
        }
    } else if (elemento == 1) {
        sesion_.ponNumordenador(1);
        sesion_.ponTablasel(0);
        sesion_.ponModocrea(0);
    } else {
        const int codigos[] = {0, 0, 0, 0, 0, 3, 0, 1, 2, 4, 5, 6}; // by count of numbers
        if (numerosCrear_ < 5 || numerosCrear_ > 11 || codigos[numerosCrear_] == 0)
            return;
        sesion_.ponNumordenador(1);
        sesion_.ponTablasel(0);
        sesion_.ponModocrea(codigos[numerosCrear_]);
    }
    // The ranking is taken before the reset clears the count it was made for.
    const std::vector<int> numeros = numerosOrdenador();
    Image4_Click();
    emit editorPedido(numeros);
}

void PestanaCrear::Image4_Click()
{
    for (Imagen *b : Image3)
        b->setEnabled(false);
    Combo1->setEnabled(false);
    Frame9->setVisible(true);
    Frame10->setVisible(false);
    reiniciaCreaAuto();
}

// The steps of computer-made creation: the draws the numbers come from, how many, then the
// kind of syndicate with the tables list and its figures.
void PestanaCrear::construyePasos(QWidget *pasos)
{
    auto *rejilla = new QGridLayout(pasos);

    // Step 1: the same filters as the statistics tab, kept equal to them.
    auto *paso1 = new QGroupBox(u("- Paso 1: sorteos de los que salen los números"), pasos);
    paso1->setObjectName(QStringLiteral("Frame8"));
    auto *filtros = new QGridLayout(paso1);
    // The days in the order of the week, as on the statistics tab.
    const char *const titulos[5] = {"Lunes", "Jueves", "Sábado", "Todos", ""};
    const int miembros[5] = {10, 3, 4, 7, 8};
    for (int k = 0; k < 5; ++k) {
        const int i = miembros[k];
        Check3[i] = new QCheckBox(u(titulos[k]), paso1);
        Check3[i]->setObjectName(QStringLiteral("Check3_%1").arg(i));
        connect(Check3[i], &QCheckBox::clicked, this, [this, i] { Check3_Click(i); });
        filtros->addWidget(Check3[i], 0, k);
    }
    // The second period slider; both always show the same value.
    auto *periodo = new QSlider(Qt::Horizontal, paso1);
    periodo->setObjectName(QStringLiteral("Slider1_1"));
    periodo->setAccessibleName(u("Meses del periodo"));
    periodo->setRange(stats::mesesValidos(0), stats::mesesValidos(INT_MAX));
    Slider1_1 = periodo;
    connect(Slider1_1, &QSlider::valueChanged, this, [this](int v) { sesion_.ponMeses(v); });
    filtros->addWidget(Slider1_1, 1, 0, 1, 5);
    rejilla->addWidget(paso1, 0, 0);

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
    connect(Slider2, &QSlider::valueChanged, this, &PestanaCrear::Slider2_Change);
    rejilla->addWidget(paso2, 1, 0);

    // Step 3: the kind of syndicate.
    Combo1 = new QComboBox(pasos);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    // Editable but read-only: the box shows its own texts ("Tablas disponibles", the no-tables
    // text) while no table is picked, and only the list can change it.
    Combo1->setEditable(true);
    Combo1->lineEdit()->setReadOnly(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setMinimumContentsLength(28);
    Combo1->setEnabled(false);
    Label51 = cifra(pasos, "Label51");
    Label51->setText(u("El archivo de tablas reducidas no es válido."));
    rejilla->addWidget(Combo1, 2, 0);
    rejilla->addWidget(Label51, 3, 0);

    const char *const botones[3] = {
        "-Crear Peña Reducida:", "-Crear Peña Sencilla:", "-Crear Peña Múltiple"};
    auto *filaBotones = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        Image3[i] = new Imagen(QStringLiteral("Image3_%1").arg(i), pasos);
        Image3[i]->setText(u(botones[i]));
        Image3[i]->setAccessibleName(u(botones[i]));
        Image3[i]->setFrameShape(QFrame::StyledPanel);
        Image3[i]->setEnabled(false); // the disabled look is the greyed picture
        filaBotones->addWidget(Image3[i]);
        connect(Image3[i], &Imagen::clicked, this, [this, i] { Image3_Click(i); });
    }
    // Step 3, beside the creation buttons: the report of the chosen numbers and the way back.
    Image2_0 = new Imagen(QStringLiteral("Image2_0"), pasos);
    Image2_0->setText(u("-Ver informe o imprimir:"));
    Image2_0->setAccessibleName(u("-Ver informe o imprimir:"));
    Image2_0->setFrameShape(QFrame::StyledPanel);
    connect(Image2_0, &Imagen::clicked, this, [this] { emit informePedido(0); });
    Image4 = new Imagen(QStringLiteral("Image4"), pasos);
    Image4->setText(u("-Volver al Paso 1:"));
    Image4->setAccessibleName(u("-Volver al Paso 1:"));
    Image4->setFrameShape(QFrame::StyledPanel);
    connect(Image4, &Imagen::clicked, this, &PestanaCrear::Image4_Click);
    filaBotones->addWidget(Image2_0);
    filaBotones->addWidget(Image4);
    rejilla->addLayout(filaBotones, 4, 0);

    Frame9 = new QGroupBox(pasos);
    Frame9->setObjectName(QStringLiteral("Frame9"));
    auto *ayuda = new QVBoxLayout(Frame9);
    ayuda->addWidget(etiqueta(Frame9, "Reducida:", true));
    ayuda->addWidget(etiqueta(Frame9, "Seleccione una de las tablas disponibles de reducción."));
    ayuda->addWidget(etiqueta(Frame9, "Sencilla:", true));
    ayuda->addWidget(etiqueta(Frame9, "Sólo cuando se seleccionan 6 números."));
    ayuda->addWidget(etiqueta(Frame9, "Múltiple:", true));
    ayuda->addWidget(etiqueta(Frame9, "Entre 5 y 11 números, excepto 6."));
    rejilla->addWidget(Frame9, 5, 0);

    Frame10 = new QGroupBox(u("REDUCIDA"), pasos);
    Frame10->setObjectName(QStringLiteral("Frame10"));
    auto *figuras = new QVBoxLayout(Frame10);
    Label43 = cifra(Frame10, "Label43");
    Label48 = cifra(Frame10, "Label48");
    Label47 = cifra(Frame10, "Label47");
    Label49 = cifra(Frame10, "Label49");
    Label50 = cifra(Frame10, "Label50");
    figuras->addWidget(Label43);
    figuras->addWidget(etiqueta(Frame10, "Asegura al 100% un premio de:", true));
    figuras->addWidget(Label48);
    figuras->addWidget(etiqueta(Frame10, "Posibilidad de premio de 6:", true));
    figuras->addWidget(Label47);
    figuras->addWidget(Label49);
    figuras->addWidget(Label50);
    Frame10->setVisible(false);
    rejilla->addWidget(Frame10, 6, 0);
    rejilla->setRowStretch(7, 1);

    connect(Combo1, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            Combo1_Click(i);
    });
}

void PestanaCrear::muestraFiltro()
{
    const stats::Filtro &f = sesion_.filtro();
    Check3[10]->setChecked(f.lunes);
    Check3[3]->setChecked(f.jueves);
    Check3[4]->setChecked(f.sabado);
    Check3[7]->setChecked(f.todos);
    Check3[8]->setChecked(!f.todos);
    Check3[8]->setText(stats::tituloPeriodo(f.meses));
    const QSignalBlocker bloqueo(Slider1_1);
    Slider1_1->setValue(f.meses);
    Slider1_1->setVisible(!f.todos);
}

void PestanaCrear::Check3_Click(int i)
{
    sesion_.ponFiltro(stats::pulsa(sesion_.filtro(), i, Check3[i]->isChecked()));
}

// Entering the tab shows the choice of mode; the report button stays grey until there are
// numbers to report on.
void PestanaCrear::entra()
{
    pasosAutomatica->setVisible(false);
    listatablas(0);
    ponActivo(Image2_0, false);
}

// Leaving the tab resets it.
void PestanaCrear::sale()
{
    modoCreacion->setVisible(true);
    pasosAutomatica->setVisible(false);
    Image4_Click();
}

void PestanaCrear::apagaInforme()
{
    Image2_0->setProperty("imagen", 5); // its greyed picture
}
void PestanaCrear::ponActivo(Imagen *boton, bool activo)
{
    boton->setEnabled(activo);
    // The report button shows picture 4 when usable and picture 5 greyed.
    if (boton == Image2_0)
        boton->setProperty("imagen", activo ? 4 : 5);
}

std::vector<int> PestanaCrear::numerosOrdenador() const
{
    const std::array<int, 49> &numeros = sesion_.masfrecuentes();
    return std::vector<int>(numeros.begin(), numeros.end());
}

void PestanaCrear::Slider2_Change(int n)
{
    for (Imagen *b : Image3)
        ponActivo(b, false);
    ponActivo(Image2_0, false);
    ponActivo(Image4, true);
    Label23->setText(u("Ha seleccionado %1 números.").arg(n));
    if (n == 0)
        return;
    // The ranking is kept even when the report database cannot be written: only the report
    // of the numbers would be missing, and its button says so when pressed.
    sesion_.frecuencias(n);
    ponActivo(Image2_0, true);
    Combo1->setEnabled(true);
    listatablas(n);
    if (n == 6)
        ponActivo(Image3[1], true);
    else if (n >= 5 && n <= 11)
        ponActivo(Image3[2], true);
    for (int i : {10, 3, 4, 7, 8})
        Check3[i]->setEnabled(false);
}

void PestanaCrear::reiniciaCreaAuto()
{
    ponActivo(Image2_0, false);
    ponActivo(Image4, false);
    Slider2->setEnabled(true);
    {
        const QSignalBlocker bloqueo(Slider2);
        Slider2->setValue(0);
    }
    Label23->setText(u("Ha seleccionado 0 números."));
    for (int i : {10, 3, 4, 7, 8})
        Check3[i]->setEnabled(true);
}
