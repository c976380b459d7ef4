// Tab "General": the results lists of the checking passes and their filters.
#include "checking/pestanaresultados.h"
#include "app/avisos.h"
#include "app/escritorio.h"
#include "app/imagen.h"
#include "app/pdf.h"
#include "app/sesion.h"
#include "archive/fechas.h"
#include "checking/impresionlistado.h"
#include "checking/modeloresultados.h"
#include "checking/tablaresultados.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
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
    auto *v = new TablaResultados(padre);
    v->setObjectName(QString::fromLatin1(nombre));
    v->setModel(modelo);
    v->setShowGrid(false);
    v->setWordWrap(false);
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // One height for every row: the list places them by arithmetic.
    v->verticalHeader()->setDefaultSectionSize(v->fontMetrics().height() + 4);
    v->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    v->horizontalHeader()->setDefaultSectionSize(34);
    v->horizontalHeader()->setStretchLastSection(true);
    v->setColumnWidth(0, 8);
    return v;
}
} // namespace

PestanaResultados::PestanaResultados(Sesion &sesion, QWidget *parent) : Pestana(sesion, parent)
{
    QWidget *panel = this;
    auto *rejilla = new QGridLayout(panel);
    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer3->setInterval(800);
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
    ProgressBar2 = new QProgressBar(panel);
    ProgressBar2->setObjectName(QStringLiteral("ProgressBar2"));
    ProgressBar2->setValue(0);
    // Shown only while a checking pass runs; its room stays so the lists do not jump.
    QSizePolicy barra = ProgressBar2->sizePolicy();
    barra.setRetainSizeWhenHidden(true);
    ProgressBar2->setSizePolicy(barra);
    ProgressBar2->setVisible(false);
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
    guardaPdf = new Imagen(QStringLiteral("guardaPdf"), panel);
    guardaPdf->setText(QString::fromUtf8("Guardar como PDF"));
    guardaPdf->setToolTip(QString::fromUtf8("Guardar el listado de resultados en un archivo PDF"));
    Label59 = new QLabel(panel);
    Label59->setObjectName(QStringLiteral("Label59"));
    rejilla->addWidget(HScroll1, 3, 0);
    rejilla->addWidget(Text3, 3, 1);
    rejilla->addWidget(Check1, 3, 2);
    rejilla->addWidget(Check2, 3, 3);
    auto *botones = new QHBoxLayout;
    botones->addStretch(1);
    botones->addWidget(guardaPdf);
    botones->addWidget(Image5);
    rejilla->addLayout(botones, 4, 2, 1, 2);
    rejilla->addWidget(Label59, 4, 0, 1, 2);

    connect(HScroll1, &QScrollBar::valueChanged, this, &PestanaResultados::HScroll1_Change);
    connect(HScroll1, &QScrollBar::sliderMoved, this, &PestanaResultados::HScroll1_Scroll);
    connect(Check1, &QCheckBox::toggled, this, &PestanaResultados::Check1_Click);
    connect(Check2, &QCheckBox::toggled, this, &PestanaResultados::Check2_Click);
    connect(Image5, &Imagen::clicked, this, &PestanaResultados::Image5_Click);
    connect(guardaPdf, &Imagen::clicked, this, &PestanaResultados::guardaPdf_Click);
    connect(Timer3, &QTimer::timeout, this, &PestanaResultados::Timer3_Timer);

    connect(&sesion_, &Sesion::recontado, this, &PestanaResultados::recontado);
    connect(&sesion_, &Sesion::refresco, this, [this] { comprueba(HScroll1->value()); });
    connect(&sesion_, &Sesion::seleccionElegida, this, [this] {
        cambiocombo_ = 1;
        comprueba(HScroll1->value());
    });
    connect(&sesion_, &Sesion::avisoParado, this, &PestanaResultados::paraAvisoPremio);
    connect(&sesion_, &Sesion::avisoNuevosCambiado, this, [this](const QString &texto) {
        Label59->setText(texto);
        Label59->repaint();
    });
    connect(&sesion_, &Sesion::sorteosNuevos, this, &PestanaResultados::muestraNuevos);
    connect(&sesion_, &Sesion::contadoresBorrados, this, &PestanaResultados::contadoresBorrados);
}

void PestanaResultados::recontado()
{
    const Recuento &r = sesion_.recuento();
    Check1->setEnabled(r.hayDatos);
    Check2->setEnabled(r.hayDatos);
    if (r.proximosorteo == 1) {
        HScroll1->setEnabled(false);
    } else {
        HScroll1->setEnabled(true);
        HScroll1->setMaximum(r.proximosorteo - 1);
    }
}

// The download checked its new draws itself; the count then shows them without a second pass.
void PestanaResultados::muestraNuevos(int nuevos)
{
    comprueba(nuevos);
    if (nuevos == 0)
        return;
    sinRefresco_ = true;
    HScroll1->setValue(std::min(nuevos, 8));
    sinRefresco_ = false;
}

void PestanaResultados::contadoresBorrados()
{
    HScroll1->setValue(1);
    if (ListView4->model())
        ListView4->model()->removeRows(0, ListView4->model()->rowCount());
}

void PestanaResultados::muestraVista(int lista, int soloPremio, int historico)
{
    Command1_Click(lista);
    // A box that changes runs its own handler (one checking pass each); one already in the
    // wanted state runs nothing.
    if (soloPremio >= 0)
        Check2->setChecked(soloPremio == 1);
    if (historico >= 0)
        Check1->setChecked(historico == 1);
}

bool PestanaResultados::refrescaResultados()
{
    if (HScroll1->value() == 1) {
        comprueba(1);
        compruebamultiples(1);
        return false;
    }
    // Its change handler brings the views up to date.
    HScroll1->setValue(1);
    return true;
}

void PestanaResultados::limitaSorteos(int maximo)
{
    if (HScroll1->value() > maximo)
        HScroll1->setValue(1);
}

comprobacion::Opciones PestanaResultados::opcionesPasada(int n) const
{
    comprobacion::Opciones o;
    o.n = n;
    o.historico = Check1->isChecked();
    o.soloPremios = Check2->isChecked();
    o.seleccion = sesion_.seleccion();
    o.avisoDescarga = !sesion_.avisoNuevos().isEmpty();
    o.avisoActivo = Timer3->isActive();
    o.avisopremio = sesion_.avisopremio();
    o.hoy = fechas::serial(sesion_.hoy());
    return o;
}

// What both passes do with their result: store the counters, show the rows, switch to the
// list of the selected syndicate, raise the alert, keep the rows a print command prints.
void PestanaResultados::aplicaPasada(const comprobacion::Pasada &pasada, int lista)
{
    // Counters that could not be stored are told about; their draws stay uncounted in the
    // file, so the next pass counts them again.
    if (pasada.penasCambiadas &&
        escrito(comprobacion::guarda(sesion_.penas(), pasada), QStringLiteral("apuestas.dat")))
        sesion_.avisaContadores();
    (lista == 0 ? modeloSencillas_ : modeloMultiples_)->pon(pasada.listado);
    QTableView *vista = lista == 0 ? ListView2 : ListView4;
    if (cambiocombo_ == 1 && pasada.seleccionEncontrada && vista->isHidden())
        Command1_Click(lista);
    sesion_.ponAvisopremio(pasada.avisopremio);
    if (pasada.arrancaAviso && !Timer3->isActive())
        Timer3->start();
    if (imprimiendo_ == 1)
        (lista == 0 ? impresoSencillas_ : impresoMultiples_) = pasada.listado;
}

void PestanaResultados::comprueba(int n)
{
    ProgressBar2->setMaximum(std::max(n, 1));
    ProgressBar2->setValue(0);
    modeloSencillas_->limpia();
    if (sesion_.sorteos().vacio()) {
        modeloMultiples_->limpia();
        terminaImpresion();
        cambiocombo_ = 0;
        return;
    }
    ProgressBar2->setVisible(true);
    // Painting the bar costs far more than checking a draw (a whole history is checked in a
    // tenth of a second): it moves a few times a second, enough to be seen moving.
    QElapsedTimer reloj;
    reloj.start();
    const auto progreso = [this, &reloj](int hechos) {
        if (reloj.elapsed() < 50)
            return;
        reloj.restart();
        ProgressBar2->setValue(hechos);
        ProgressBar2->repaint();
    };
    const comprobacion::Pasada pasada = comprobacion::comprueba(
        sesion_.sorteos().sorteos(), sesion_.penas().penas(), opcionesPasada(n), progreso);
    aplicaPasada(pasada, 0);
    if (pasada.hayMultiples)
        compruebamultiples(n);
    else
        modeloMultiples_->limpia(); // no multiple syndicate: nothing to show there
    terminaImpresion();
    cambiocombo_ = 0;
    ProgressBar2->setValue(0);
    ProgressBar2->setVisible(false);
}

void PestanaResultados::compruebamultiples(int n)
{
    modeloMultiples_->limpia();
    if (sesion_.sorteos().vacio()) {
        cambiocombo_ = 0;
        return;
    }
    aplicaPasada(comprobacion::compruebamultiples(sesion_.sorteos().sorteos(),
                                                  sesion_.penas().penas(), opcionesPasada(n)),
                 1);
    cambiocombo_ = 0;
}

// A listing of many pages goes out only when the user wants it.
bool PestanaResultados::confirmaLargo(QPagedPaintDevice &hoja, comprobacion::LineasListado &lineas,
                                      const QString &pregunta) const
{
    const int paginas = listado::paginas(hoja, lineas);
    if (paginas <= listado::kPaginasSinPreguntar)
        return true;
    return Escritorio::actual().pregunta(
        QString::fromUtf8("El listado de resultados ocupa %1 páginas. ")
                .arg(QLocale().toString(paginas)) +
            pregunta,
        QString::fromUtf8("Listado muy largo"), Escritorio::Icono::Pregunta);
}

// Sends the listing of a print command to the printer or to its PDF file, or says there was
// nothing to print.
void PestanaResultados::terminaImpresion()
{
    if (imprimiendo_ != 1)
        return;
    imprimiendo_ = 0;
    comprobacion::LineasListado lineas(std::move(impresoSencillas_), std::move(impresoMultiples_));
    const std::shared_ptr<QPrinter> impresora = std::move(impresora_);
    const QString destino = destinoPdf_;
    destinoPdf_.clear();
    if (lineas.vacio()) {
        Escritorio::actual().aviso(QString::fromUtf8("Listado vacío. No hay datos para imprimir,"),
                                   QStringLiteral("No hay datos"), Escritorio::Icono::Informacion);
    } else if (impresora) {
        if (confirmaLargo(*impresora, lineas, QString::fromUtf8("¿Quiere imprimirlo?")))
            listado::pinta(*impresora, lineas);
    } else if (!destino.isEmpty()) {
        pdf::guarda(destino, [this, &lineas](QPagedPaintDevice &hoja) {
            return confirmaLargo(hoja, lineas, QString::fromUtf8("¿Quiere guardarlo?")) &&
                   listado::pinta(hoja, lineas);
        });
    }
}

// Both print commands run the checking pass anew; its rows become the listing at its end.
void PestanaResultados::empiezaImpresion()
{
    impresoSencillas_.reset();
    impresoMultiples_.reset();
    imprimiendo_ = 1;
    comprueba(HScroll1->value());
}

void PestanaResultados::Image5_Click()
{
    auto impresora = std::make_shared<QPrinter>(QPrinter::HighResolution);
    if (!Escritorio::actual().eligeImpresora(*impresora)) {
        imprimiendo_ = 0;
        return;
    }
    // The page is only opened once the pass has something to print, so an empty listing or a
    // failure leaves no half-made job behind.
    impresora_ = std::move(impresora);
    destinoPdf_.clear();
    empiezaImpresion();
}

void PestanaResultados::guardaPdf_Click()
{
    const QString destino =
        pdf::eligeDestino(QStringLiteral("Guardar como PDF"), QStringLiteral("resultados.pdf"));
    if (destino.isEmpty())
        return;
    impresora_.reset();
    destinoPdf_ = destino;
    empiezaImpresion();
}

void PestanaResultados::HScroll1_Change()
{
    Text3->setText(QString::number(HScroll1->value()));
    if (!sinRefresco_)
        sesion_.refresca();
}

void PestanaResultados::HScroll1_Scroll(int valor)
{
    Text3->setText(QString::number(valor));
}

void PestanaResultados::Check1_Click()
{
    sesion_.ponAvisoNuevos(QString());
    sesion_.refresca();
}

void PestanaResultados::Check2_Click()
{
    sesion_.refresca();
}

void PestanaResultados::Command1_Click(int elemento)
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
void PestanaResultados::desliza(QTableView *lista)
{
    if (deslizamiento_)
        deslizamiento_->stop();
    const int ancho = lista->width();
    if (!window()->isVisible() || ancho <= 1)
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

void PestanaResultados::pintaAviso(int boton, bool rojo)
{
    enRojo_[boton] = rojo;
    Command1[boton]->setText(rojo ? QStringLiteral("P R E M I O")
                                  : QString::fromUtf8(kTitulosLista[boton]));
    Command1[boton]->setStyleSheet(rojo ? QStringLiteral("background-color: rgb(255, 0, 0);")
                                        : QString());
}

void PestanaResultados::Timer3_Timer()
{
    if (sesion_.avisopremio() == 3) {
        const bool rojo = !enRojo_[0];
        pintaAviso(0, rojo);
        pintaAviso(1, rojo);
    } else if (sesion_.avisopremio() == 1 || sesion_.avisopremio() == 2) {
        const int boton = sesion_.avisopremio() - 1;
        pintaAviso(boton, !enRojo_[boton]);
    }
}

void PestanaResultados::paraAvisoPremio()
{
    if (!Timer3->isActive())
        return;
    Timer3->stop();
    sesion_.ponAvisoNuevos(QString());
    pintaAviso(0, false);
    pintaAviso(1, false);
    // The alert is over: the next prize starts it again from the beginning.
    sesion_.ponAvisopremio(0);
}
