// Tab 4 "Crear Combinación": creation of a syndicate, by hand or from the most frequent numbers.
// Also the opening and closing of the editor and the wizard, which the other tabs use too.
#include "app/imagen.h"
#include "app/principal.h"
#include "syndicates/crea.h"
#include "syndicates/creamenu.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QString u(const char *texto)
{
    return QString::fromUtf8(texto);
}

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

constexpr int kPestanaCrear = 4;

} // namespace

QWidget *Principal::construyeCrear()
{
    auto *panel = new QWidget;
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

    // The steps of computer-made creation: the table list and its figures.
    pasosAutomatica = new QWidget(panel);
    pasosAutomatica->setObjectName(QStringLiteral("pasosAutomatica"));
    auto *pasos = new QGridLayout(pasosAutomatica);
    Combo1 = new QComboBox(pasosAutomatica);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    // Editable but read-only: the box shows its own texts ("Tablas disponibles", the no-tables
    // text) while no table is picked, and only the list can change it.
    Combo1->setEditable(true);
    Combo1->lineEdit()->setReadOnly(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setMinimumContentsLength(28);
    Combo1->setEnabled(false);
    Label51 = cifra(pasosAutomatica, "Label51");
    Label51->setText(u("El archivo de tablas reducidas no es válido."));
    pasos->addWidget(Combo1, 0, 0);
    pasos->addWidget(Label51, 1, 0);

    const char *const botones[3] = {
        "-Crear Peña Reducida:", "-Crear Peña Sencilla:", "-Crear Peña Múltiple"};
    auto *filaBotones = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        Image3[i] = new Imagen(QStringLiteral("Image3_%1").arg(i), pasosAutomatica);
        Image3[i]->setText(u(botones[i]));
        Image3[i]->setAccessibleName(u(botones[i]));
        Image3[i]->setFrameShape(QFrame::StyledPanel);
        Image3[i]->setEnabled(false); // the disabled look is the greyed picture
        filaBotones->addWidget(Image3[i]);
        connect(Image3[i], &Imagen::clicked, this, [this, i] { Image3_Click(i); });
    }
    pasos->addLayout(filaBotones, 2, 0);

    Frame9 = new QGroupBox(pasosAutomatica);
    Frame9->setObjectName(QStringLiteral("Frame9"));
    auto *ayuda = new QVBoxLayout(Frame9);
    ayuda->addWidget(etiqueta(Frame9, "Reducida:", true));
    ayuda->addWidget(etiqueta(Frame9, "Seleccione una de las tablas disponibles de reducción."));
    ayuda->addWidget(etiqueta(Frame9, "Sencilla:", true));
    ayuda->addWidget(etiqueta(Frame9, "Sólo cuando se seleccionan 6 números."));
    ayuda->addWidget(etiqueta(Frame9, "Múltiple:", true));
    ayuda->addWidget(etiqueta(Frame9, "Entre 5 y 11 números, excepto 6."));
    pasos->addWidget(Frame9, 3, 0);

    Frame10 = new QGroupBox(u("REDUCIDA"), pasosAutomatica);
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
    pasos->addWidget(Frame10, 4, 0);
    pasos->setRowStretch(5, 1);
    pasosAutomatica->setVisible(false);
    capa->addWidget(pasosAutomatica, 1);

    connect(Command4, &QPushButton::clicked, this, &Principal::Command4_Click);
    connect(Command9, &QPushButton::clicked, this, &Principal::Command9_Click);
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            Combo1_Click(i);
    });
    if (auto *crearp = findChild<QAction *>(QStringLiteral("Crearp")))
        connect(crearp, &QAction::triggered, this, &Principal::Crearp_Click);
    // Entering and leaving the tab (the rest of the tab change belongs to the main window).
    connect(SSTab1, &QTabWidget::currentChanged, this, [this](int pestana) {
        if (pestanaPrevia_ == kPestanaCrear && pestana != kPestanaCrear) {
            modoCreacion->setVisible(true);
            pasosAutomatica->setVisible(false);
            Image4_Click();
        }
        if (pestana == kPestanaCrear && pestanaPrevia_ != kPestanaCrear) {
            pasosAutomatica->setVisible(false);
            listatablas(0);
        }
        pestanaPrevia_ = pestana;
    });
    return panel;
}

// "Editar Peña": the editor opens on the selected syndicate and writes each change at once.
void Principal::Command7_Click()
{
    if (penasel == 0 || penasel > penas_.cuenta()) {
        Escritorio::actual().aviso(QString::fromUtf8("Seleccione una peña primero..."),
                                   QString::fromUtf8("¡Nooooo!"), Escritorio::Icono::Informacion);
        return;
    }
    const Pena pena = penas_.lee(penasel); // a copy: the message box runs the event loop
    if (pena.esReducida())
        Escritorio::actual().aviso(QString::fromUtf8("Si modifica algún número de esta peña, "
                                                     "dejará de ser Reducida y pasará a ser de "
                                                     "apuestas sencillas."),
                                   QStringLiteral("Atención!"), Escritorio::Icono::Informacion);
    // Set only now: the message box closing may already have run the activation.
    editando = 1;
    numordenador = 1;
    numapuestas = 0;
    modocrea = pena.tipo > 500 ? pena.tipo - 500 : 0;
    abreCrea();
}

void Principal::Command4_Click()
{
    numapuestas = 0;
    abreCreamenu();
}

void Principal::Crearp_Click()
{
    Command4_Click();
}

void Principal::Command9_Click()
{
    modoCreacion->setVisible(false);
    pasosAutomatica->setVisible(true);
}

const Tablas &Principal::cargaTablas()
{
    tablas_ = reducidas::lee(ruta(QStringLiteral("tablas.bin")));
    return tablas_;
}

void Principal::listatablas(int n)
{
    numerosCrear = n;
    cargaTablas();
    const reducidas::Listado l = reducidas::listatablas(tablas_, n);
    {
        const QSignalBlocker bloqueo(Combo1);
        Combo1->clear();
        Combo1->addItems(l.entradas);
        Combo1->setCurrentIndex(-1);
        Combo1->setEditText(l.textoCombo);
    }
    indicetablas = l.indicetablas;
    Image3[0]->setEnabled(l.hayTablas);
    Label51->setText(l.rango);
}

void Principal::Combo1_Click(int posicion)
{
    if (posicion < 0 || static_cast<size_t>(posicion) >= indicetablas.size())
        return;
    if (!tablas_.leido)
        cargaTablas(); // closed by an activation since the listing
    const int ordinal = indicetablas[static_cast<size_t>(posicion)];
    if (static_cast<size_t>(ordinal) >= tablas_.tablas.size())
        return;
    tablasel = ordinal;
    modocrea = 7;
    numordenador = 1;
    Frame9->setVisible(false);
    Frame10->setVisible(true);
    const reducidas::Cifras c = reducidas::cifras(tablas_.tablas[static_cast<size_t>(ordinal)]);
    Label43->setText(c.titulo);
    Label48->setText(c.garantia);
    Label47->setText(c.posibilidad);
    Label49->setText(c.sinReducir);
    Label50->setText(c.apuestasTotal);
}

void Principal::Image3_Click(int elemento)
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
        numordenador = 1;
        tablasel = 0;
        modocrea = 0;
    } else {
        const int codigos[] = {0, 0, 0, 0, 0, 3, 0, 1, 2, 4, 5, 6}; // by count of numbers
        if (numerosCrear < 5 || numerosCrear > 11 || codigos[numerosCrear] == 0)
            return;
        numordenador = 1;
        tablasel = 0;
        modocrea = codigos[numerosCrear];
    }
    // The ranking is taken before the reset clears the count it was made for.
    const std::vector<int> numeros = numerosOrdenador();
    Image4_Click();
    abreCrea(numeros);
}

void Principal::Image4_Click()
{
    for (Imagen *b : Image3)
        b->setEnabled(false);
    Combo1->setEnabled(false);
    Frame9->setVisible(true);
    Frame10->setVisible(false);
    reiniciaCreaAuto();
}

void Principal::abreCrea(const std::vector<int> &masfrecuentes)
{
    cierraCrea();
    const TablaReducida *tabla = nullptr;
    if (editando == 1) {
        if (penasel < 1 || penasel > penas_.cuenta())
            return;
    } else if (modocrea == 7) {
        if (!tablas_.leido)
            cargaTablas();
        if (tablasel < 0 || static_cast<size_t>(tablasel) >= tablas_.tablas.size()) {
            Escritorio::actual().aviso(u("El archivo de tablas reducidas no es válido."),
                                       QStringLiteral("Error"), Escritorio::Icono::Exclamacion);
            return;
        }
        tabla = &tablas_.tablas[static_cast<size_t>(tablasel)];
    }
    crea_ = new Crea(*this, tabla, masfrecuentes);
    crea_->show();
    crea_->raise();
    crea_->activateWindow();
}

void Principal::abreCreamenu()
{
    cierraCreamenu();
    creamenu_ = new Creamenu(*this);
    creamenu_->show();
    creamenu_->raise();
    creamenu_->activateWindow();
}

void Principal::cierraCrea()
{
    if (crea_) {
        crea_->cierra();
        crea_ = nullptr;
    }
}

void Principal::cierraCreamenu()
{
    if (creamenu_) {
        creamenu_->close();
        creamenu_ = nullptr;
    }
}

Crea *Principal::crea() const
{
    return crea_;
}

Creamenu *Principal::creamenu() const
{
    return creamenu_;
}

bool Principal::ventanaAbriendose() const
{
    return (crea_ && crea_->abriendose()) || (creamenu_ && creamenu_->abriendose());
}
