#include "syndicates/creamenu.h"
#include "archive/texto.h"
#include "session/sesion.h"
#include "widgets/imagen.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// A twip is 1/1440 inch: 15 of them to a pixel at the usual 96 dots per inch.
constexpr int kTwipsPorPixel = 15;

const char *const kMultiples[6] = {"7 números (7 apuestas)",    "8 números (28 apuestas)",
                                   "5 números (44 apuestas)",   "9 números (84 apuestas)",
                                   "10 números (210 apuestas)", "11 números (462 apuestas)"};

} // namespace

Creamenu::Creamenu(Sesion &sesion, QWidget *parent) : QWidget(parent, Qt::Window), sesion_(sesion)
{
    setObjectName(QStringLiteral("Creamenu"));
    setWindowTitle(u("Menú creación"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *capa = new QVBoxLayout(this);
    auto *arriba = new QHBoxLayout;
    auto *titulo = new QLabel(u("SELECCIONE UN MODO DE APUESTA:"), this);
    QFont negrita = titulo->font();
    negrita.setBold(true);
    titulo->setFont(negrita);
    Label3 = new Imagen(QStringLiteral("Label3"), this);
    Label3->setText(QStringLiteral("X"));
    Label3->setFont(negrita);
    Label3->setToolTip(u("Cerrar"));
    Label3->setAccessibleName(u("Cerrar"));
    arriba->addWidget(titulo, 1);
    arriba->addWidget(Label3);
    capa->addLayout(arriba);

    auto *grupo = new QButtonGroup(this);
    const char *const textos[3] = {"Múltiple", "Sencilla", "Reducida"};
    auto *opciones = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        Option1[i] = new QRadioButton(u(textos[i]), this);
        Option1[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        grupo->addButton(Option1[i], i);
        opciones->addWidget(Option1[i]);
        connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool activo) {
            if (activo)
                Option1_Click(i);
        });
    }
    capa->addLayout(opciones);

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->lineEdit()->setReadOnly(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setEditText(u("Tablas de reducciones"));
    Combo1->setMinimumContentsLength(28);
    Combo1->setVisible(false);
    capa->addWidget(Combo1);
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0 && !actualizando_)
            Combo1_Click(i);
    });

    // The decorative marks: lottery balls that light up one after another.
    auto *bolas = new QGridLayout;
    for (int i = 0; i < 18; ++i) {
        Label1[i] = new QLabel(QString(QChar(0x25CF)), this);
        Label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        const int tono = (i * 47) % 360;
        Label1[i]->setStyleSheet(
            QStringLiteral("color: hsv(%1, 200, 220); font-size: 18px;").arg(tono));
        Label1[i]->setVisible(false);
        bolas->addWidget(Label1[i], i / 9, i % 9);
    }
    capa->addLayout(bolas);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &Creamenu::Timer1_Timer);
    connect(Label3, &Imagen::clicked, this, &Creamenu::Label3_Click);

    Form_Load();
}

void Creamenu::Form_Load()
{
    if (parentWidget())
        move(parentWidget()->pos() + QPoint(3200 / kTwipsPorPixel, 2800 / kTwipsPorPixel));
    tablas_ = sesion_.cargaTablas();
    Timer1->start();
}

void Creamenu::Timer1_Timer()
{
    if (marcas_ < 18)
        Label1[marcas_++]->setVisible(true);
    if (marcas_ >= 18)
        Timer1->stop();
}

void Creamenu::Option1_Click(int indice)
{
    tipo_ = indice;
    if (indice == 1) {
        emit elegido(0, sesion_.tablasel());
        close();
        return;
    }
    actualizando_ = true;
    Combo1->clear();
    if (indice == 0) {
        for (const char *texto : kMultiples)
            Combo1->addItem(u(texto));
    } else {
        for (const TablaReducida &t : tablas_.tablas)
            Combo1->addItem(reducidas::entrada(t));
    }
    Combo1->setCurrentIndex(-1);
    Combo1->setEditText(indice == 0 ? u("Seleccione Múltiple") : u("Seleccione Reducción"));
    actualizando_ = false;
    Combo1->setVisible(true);
}

void Creamenu::Combo1_Click(int posicion)
{
    if (tipo_ == 0) {
        if (posicion >= 0 && posicion <= 5)
            emit elegido(posicion + 1, sesion_.tablasel());
    } else if (tipo_ == 2) {
        if (posicion >= 0 && static_cast<size_t>(posicion) < tablas_.tablas.size())
            emit elegido(7, posicion);
    }
}

void Creamenu::Label3_Click()
{
    close();
}

bool Creamenu::abriendose() const
{
    return !activada_ && desdeQueSeMostro_.isValid() && desdeQueSeMostro_.elapsed() < 2000;
}

bool Creamenu::event(QEvent *evento)
{
    if (evento->type() == QEvent::WindowActivate)
        activada_ = true;
    return QWidget::event(evento);
}

void Creamenu::showEvent(QShowEvent *evento)
{
    QWidget::showEvent(evento);
    if (!desdeQueSeMostro_.isValid())
        desdeQueSeMostro_.start();
}
