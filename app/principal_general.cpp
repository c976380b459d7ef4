// Tab 0 "General": the results lists of the checking passes and their filters.
#include "app/avisos.h"
#include "app/imagen.h"
#include "app/principal.h"
#include "archive/fechas.h"
#include "checking/impresionlistado.h"
#include "checking/modeloresultados.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QVariantAnimation>

namespace {
const char *const kTitulosLista[2] = {"S E N C I L L A", "M Ú L T I P L E"};

QTableView *listaResultados(const char *nombre, QAbstractItemModel *modelo, QWidget *padre)
{
    auto *v = new QTableView(padre);
    v->setObjectName(QString::fromLatin1(nombre));
    v->setModel(modelo);
    v->setShowGrid(false);
    v->setWordWrap(false);
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Fixed row heights keep a list of millions of rows as fast as a short one.
    v->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    v->verticalHeader()->setDefaultSectionSize(v->fontMetrics().height() + 4);
    v->verticalHeader()->hide();
    v->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    v->horizontalHeader()->setDefaultSectionSize(34);
    v->horizontalHeader()->setStretchLastSection(true);
    v->setColumnWidth(0, 8);
    return v;
}
} // namespace

QWidget *Principal::construyeGeneral()
{
    auto *panel = new QWidget;
    auto *rejilla = new QGridLayout(panel);
    for (int i = 0; i < 2; ++i) {
        Command1[i] = new QPushButton(QString::fromUtf8(kTitulosLista[i]), panel);
        Command1[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        rejilla->addWidget(Command1[i], 0, i);
    }
    modeloSencillas_ = new ModeloResultados(false, this);
    modeloMultiples_ = new ModeloResultados(true, this);
    ListView2 = listaResultados("ListView2", modeloSencillas_, panel);
    ListView4 = listaResultados("ListView4", modeloMultiples_, panel);
    ListView4->setVisible(false);
    rejilla->addWidget(ListView2, 1, 0, 1, 4);
    rejilla->addWidget(ListView4, 1, 0, 1, 4);
    ProgressBar1 = new QProgressBar(panel);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar2 = new QProgressBar(panel);
    ProgressBar2->setObjectName(QStringLiteral("ProgressBar2"));
    ProgressBar2->setValue(0);
    rejilla->addWidget(ProgressBar2, 2, 0, 1, 4);

    HScroll1 = new QScrollBar(Qt::Horizontal, panel);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setAccessibleName(QString::fromUtf8("Número de sorteos a comprobar"));
    HScroll1->setRange(1, 1);
    HScroll1->setEnabled(false);
    // While dragging only the value box follows; the checking runs once, on release.
    HScroll1->setTracking(false);
    Text3 = new QLineEdit(QStringLiteral("1"), panel);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setReadOnly(true);
    Text3->setMaximumWidth(60);
    Check1 = new QCheckBox(QString::fromUtf8("Histórico"), panel);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check2 = new QCheckBox(QString::fromUtf8("Ver sólo si hay premio"), panel);
    Check2->setObjectName(QStringLiteral("Check2"));
    Image5 = new Imagen(QStringLiteral("Image5"), panel);
    Image5->setText(QString::fromUtf8("Imprimir"));
    Image5->setToolTip(QString::fromUtf8("Imprimir el listado de resultados"));
    Label59 = new QLabel(panel);
    Label59->setObjectName(QStringLiteral("Label59"));
    rejilla->addWidget(HScroll1, 3, 0);
    rejilla->addWidget(Text3, 3, 1);
    rejilla->addWidget(Check1, 3, 2);
    rejilla->addWidget(Check2, 3, 3);
    rejilla->addWidget(Image5, 4, 3);
    rejilla->addWidget(Label59, 4, 0, 1, 2);
    rejilla->addWidget(ProgressBar1, 5, 0, 1, 4);
    ProgressBar1->setVisible(false);

    connect(HScroll1, &QScrollBar::valueChanged, this, &Principal::HScroll1_Change);
    connect(HScroll1, &QScrollBar::sliderMoved, this, &Principal::HScroll1_Scroll);
    connect(Check1, &QCheckBox::toggled, this, &Principal::Check1_Click);
    connect(Check2, &QCheckBox::toggled, this, &Principal::Check2_Click);
    connect(Image5, &Imagen::clicked, this, &Principal::Image5_Click);
    connect(Timer3, &QTimer::timeout, this, &Principal::Timer3_Timer);
    return panel;
}

comprobacion::Opciones Principal::opcionesPasada(int n) const
{
    comprobacion::Opciones o;
    o.n = n;
    o.historico = Check1->isChecked();
    o.soloPremios = Check2->isChecked();
    if (Combo2 && Combo2->currentIndex() >= 1)
        o.seleccion = Combo2->itemText(Combo2->currentIndex());
    o.imprimiendo = imprimiendo == 1;
    o.impreso = impreso_;
    o.tamanoImpresion = tamanoImpresion_;
    o.avisoDescarga = !Label59->text().isEmpty();
    o.avisoActivo = Timer3->isActive();
    o.avisopremio = avisopremio;
    o.hoy = fechas::serial(hoy());
    return o;
}

// What both passes do with their result: store the counters, show the rows, switch to the
// list of the selected syndicate, raise the alert, keep the printed lines.
void Principal::aplicaPasada(const comprobacion::Pasada &pasada, int lista)
{
    // Counters that could not be stored are told about; their draws stay uncounted in the
    // file, so the next pass counts them again.
    if (pasada.penasCambiadas &&
        escrito(comprobacion::guarda(penas_, pasada), QStringLiteral("apuestas.dat")))
        actualizaTotales();
    (lista == 0 ? modeloSencillas_ : modeloMultiples_)->pon(pasada.listado);
    QTableView *vista = lista == 0 ? ListView2 : ListView4;
    if (cambiocombo == 1 && pasada.seleccionEncontrada && vista->isHidden())
        Command1_Click(lista);
    avisopremio = pasada.avisopremio;
    if (pasada.arrancaAviso && !Timer3->isActive())
        Timer3->start();
    if (imprimiendo == 1) {
        listado_.insert(listado_.end(), pasada.impresion.begin(), pasada.impresion.end());
        impreso_ = pasada.impreso;
        tamanoImpresion_ = pasada.tamanoImpresion;
    }
}

void Principal::comprueba(int n)
{
    ProgressBar2->setMaximum(std::max(n, 1));
    ProgressBar2->setValue(0);
    modeloSencillas_->limpia();
    if (sorteos_.vacio()) {
        modeloMultiples_->limpia();
        terminaImpresion();
        cambiocombo = 0;
        return;
    }
    // Repainting after every draw would cost more than the checking itself.
    const int paso = std::max(1, n / 100);
    const auto progreso = [this, paso](int hechos) {
        if (hechos % paso == 0) {
            ProgressBar2->setValue(hechos);
            ProgressBar2->repaint();
        }
    };
    const comprobacion::Pasada pasada =
        comprobacion::comprueba(sorteos_.sorteos(), penas_.penas(), opcionesPasada(n), progreso);
    aplicaPasada(pasada, 0);
    if (pasada.hayMultiples)
        compruebamultiples(n);
    else
        modeloMultiples_->limpia(); // no multiple syndicate: nothing to show there
    terminaImpresion();
    cambiocombo = 0;
    ProgressBar2->setValue(0);
}

void Principal::compruebamultiples(int n)
{
    modeloMultiples_->limpia();
    if (sorteos_.vacio()) {
        cambiocombo = 0;
        return;
    }
    aplicaPasada(
        comprobacion::compruebamultiples(sorteos_.sorteos(), penas_.penas(), opcionesPasada(n)), 1);
    cambiocombo = 0;
}

// Sends the listing of a print command to the printer, or says there was nothing to print.
void Principal::terminaImpresion()
{
    if (imprimiendo != 1)
        return;
    imprimiendo = 0;
    if (!impreso_) {
        Escritorio::actual().aviso(QString::fromUtf8("Listado vacío. No hay datos para imprimir,"),
                                   QStringLiteral("No hay datos"), Escritorio::Icono::Informacion);
    } else if (impresora_) {
        listado::imprime(*impresora_, listado_);
    }
    impreso_ = false;
    tamanoImpresion_ = 0;
    listado_.clear();
    impresora_.reset();
}

void Principal::Image5_Click()
{
    auto impresora = std::make_shared<QPrinter>(QPrinter::HighResolution);
    if (!Escritorio::actual().eligeImpresora(*impresora)) {
        imprimiendo = 0;
        return;
    }
    // The page is only opened once the pass has something to print, so an empty listing or a
    // failure leaves no half-made job behind.
    impresora_ = std::move(impresora);
    listado_.clear();
    impreso_ = false;
    tamanoImpresion_ = 0;
    imprimiendo = 1;
    comprueba(HScroll1->value());
}

void Principal::HScroll1_Change()
{
    Text3->setText(QString::number(HScroll1->value()));
    // A download step shows 3 while it rechecks the new draws itself.
    if (ProgressBar1->value() != 3)
        refresca();
}

void Principal::HScroll1_Scroll(int valor)
{
    Text3->setText(QString::number(valor));
}

void Principal::Check1_Click()
{
    Label59->clear();
    refresca();
}

void Principal::Check2_Click()
{
    refresca();
}

void Principal::Command1_Click(int elemento)
{
    paraAvisoPremio();
    QTableView *mostrar = elemento == 1 ? ListView4 : ListView2;
    QTableView *ocultar = elemento == 1 ? ListView2 : ListView4;
    if (!mostrar->isHidden())
        return;
    ocultar->setVisible(false);
    mostrar->setVisible(true);
    desliza(mostrar);
}

// The list opens from the left, a strip at a time.
void Principal::desliza(QTableView *lista)
{
    if (deslizamiento_)
        deslizamiento_->stop();
    const int ancho = lista->width();
    if (!isVisible() || ancho <= 1)
        return;
    if (!deslizamiento_) {
        deslizamiento_ = new QVariantAnimation(this);
        deslizamiento_->setDuration(250);
    }
    deslizamiento_->disconnect(this);
    deslizamiento_->setStartValue(1);
    deslizamiento_->setEndValue(ancho);
    connect(deslizamiento_, &QVariantAnimation::valueChanged, lista,
            [lista](const QVariant &v) { lista->setMaximumWidth(v.toInt()); });
    connect(deslizamiento_, &QVariantAnimation::finished, lista,
            [lista] { lista->setMaximumWidth(QWIDGETSIZE_MAX); });
    deslizamiento_->start();
}

void Principal::pintaAviso(int boton, bool rojo)
{
    enRojo_[boton] = rojo;
    Command1[boton]->setText(rojo ? QStringLiteral("P R E M I O")
                                  : QString::fromUtf8(kTitulosLista[boton]));
    Command1[boton]->setStyleSheet(rojo ? QStringLiteral("background-color: rgb(255, 0, 0);")
                                        : QString());
}

void Principal::Timer3_Timer()
{
    if (avisopremio == 3) {
        const bool rojo = !enRojo_[0];
        pintaAviso(0, rojo);
        pintaAviso(1, rojo);
    } else if (avisopremio == 1 || avisopremio == 2) {
        const int boton = avisopremio - 1;
        pintaAviso(boton, !enRojo_[boton]);
    }
}

void Principal::paraAvisoPremio()
{
    if (!Timer3->isActive())
        return;
    Timer3->stop();
    Label59->clear();
    pintaAviso(0, false);
    pintaAviso(1, false);
    // The alert is over: the next prize starts it again from the beginning.
    avisopremio = 0;
}
