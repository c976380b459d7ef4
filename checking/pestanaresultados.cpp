// Tab "General": the results lists of the checking passes and their filters.
#include "checking/pestanaresultados.h"
#include "archive/fechas.h"
#include "checking/impresionlistado.h"
#include "checking/modeloresultados.h"
#include "checking/resumen.h"
#include "checking/tablaresultados.h"
#include "session/sesion.h"
#include "widgets/avisos.h"
#include "widgets/escritorio.h"
#include "widgets/imagen.h"
#include "widgets/pdf.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
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
#include <algorithm>

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
    // Without a mouse: the bar takes the focus (arrows, PageUp, PageDown, Home, End move it) and
    // the count can be typed in the box beside it.
    HScroll1->setFocusPolicy(Qt::StrongFocus);
    HScroll1->installEventFilter(this);
    Text3 = new QLineEdit(QStringLiteral("1"), panel);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setAccessibleName(QString::fromUtf8("Sorteos a comprobar"));
    Text3->setToolTip(QString::fromUtf8("Escriba cuántos sorteos comprobar y pulse Intro"));
    Text3->setMaxLength(7);
    Text3->setReadOnly(true); // until the archive has draws
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
    connect(Text3, &QLineEdit::editingFinished, this, &PestanaResultados::Text3_Validate);
    connect(Check1, &QCheckBox::toggled, this, &PestanaResultados::Check1_Click);
    connect(Check2, &QCheckBox::toggled, this, &PestanaResultados::Check2_Click);
    connect(Image5, &Imagen::clicked, this, &PestanaResultados::Image5_Click);
    connect(guardaPdf, &Imagen::clicked, this, &PestanaResultados::guardaPdf_Click);
    connect(Timer3, &QTimer::timeout, this, &PestanaResultados::Timer3_Timer);

    connect(&sesion_, &Sesion::recontado, this, &PestanaResultados::recontado);
    connect(&sesion_, &Sesion::comprobado, this, &PestanaResultados::muestraPasada);
    connect(&sesion_, &Sesion::progresoComprobacion, this, &PestanaResultados::progreso);
    connect(&sesion_, &Sesion::sorteosNuevos, this, &PestanaResultados::sigueCuenta);
    connect(&sesion_, &Sesion::seleccionElegida, this, [this] { cambiocombo_ = 1; });
    connect(&sesion_, &Sesion::avisoParado, this, &PestanaResultados::paraAvisoPremio);
    connect(&sesion_, &Sesion::avisoNuevosCambiado, this, [this](const QString &texto) {
        Label59->setText(texto);
        Label59->repaint();
    });
    connect(&sesion_, &Sesion::penasCambiadas, this, [this](const CambioPenas &c) {
        if (c.tipo == CambioPenas::Tipo::ContadoresBorrados && ListView4->model())
            ListView4->model()->removeRows(0, ListView4->model()->rowCount());
    });
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
    Text3->setReadOnly(!HScroll1->isEnabled());
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

// Both passes are one request to the session: it runs the multiple one after the simple one
// when there are multiple syndicates.
void PestanaResultados::comprueba(int n)
{
    sesion_.comprueba(n);
}

void PestanaResultados::compruebamultiples(int n)
{
    sesion_.comprueba(n);
}

// The count follows the session's, which a download, an activation or a reset may move: a
// value set here runs nothing.
void PestanaResultados::sigueCuenta()
{
    const QSignalBlocker bloqueo(HScroll1);
    HScroll1->setValue(sesion_.sorteosAComprobar());
    Text3->setText(QString::number(HScroll1->value()));
}

void PestanaResultados::progreso(int hechos, int total)
{
    // Painting the bar costs far more than checking a draw (a whole history is checked in a
    // tenth of a second): it moves a few times a second, enough to be seen moving.
    if (hechos == 0 || !ProgressBar2->isVisible()) {
        ProgressBar2->setMaximum(total);
        ProgressBar2->setValue(0);
        ProgressBar2->setVisible(true);
        relojProgreso_.start();
        return;
    }
    if (relojProgreso_.elapsed() < 50)
        return;
    relojProgreso_.restart();
    ProgressBar2->setValue(hechos);
    ProgressBar2->repaint();
}

// What a checking pass of the session leaves to show: the rows of both lists, the list of the
// syndicate just picked, the alert, the rows a print command prints.
void PestanaResultados::muestraPasada()
{
    for (int lista = 0; lista < 2; ++lista) {
        escrito(sesion_.escrituraContadores(lista), QStringLiteral("apuestas.dat"));
        const comprobacion::Pasada &pasada = sesion_.pasada(lista);
        ModeloResultados *modelo = lista == 0 ? modeloSencillas_ : modeloMultiples_;
        const QStringList avisos =
            comprobacion::sinSorteosAun(sesion_.penas().penas(), sesion_.sorteos().sorteos(),
                                        lista == 1, sesion_.seleccion(), sesion_.historico());
        if (pasada.listado || !avisos.isEmpty())
            modelo->pon(pasada.listado, avisos);
        else
            modelo->limpia();
        QTableView *vista = lista == 0 ? ListView2 : ListView4;
        if (cambiocombo_ == 1 && pasada.seleccionEncontrada && vista->isHidden())
            Command1_Click(lista);
        if (imprimiendo_ == 1)
            (lista == 0 ? impresoSencillas_ : impresoMultiples_) = pasada.listado;
    }
    if (sesion_.avisoActivo() && !Timer3->isActive())
        Timer3->start();
    sigueCuenta();
    terminaImpresion();
    cambiocombo_ = 0;
    ProgressBar2->setValue(0);
    ProgressBar2->setVisible(false);
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
    sesion_.comprueba();
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
    sesion_.ponSorteosAComprobar(HScroll1->value());
}

void PestanaResultados::HScroll1_Scroll(int valor)
{
    Text3->setText(QString::number(valor));
}

// A scroll bar leaves the keys to the view it scrolls; this one stands alone, so it moves with
// them as a slider does, and a move runs the checking as a click on it does.
bool PestanaResultados::eventFilter(QObject *objeto, QEvent *evento)
{
    if (objeto != HScroll1 || evento->type() != QEvent::KeyPress || !HScroll1->isEnabled())
        return Pestana::eventFilter(objeto, evento);
    const auto *tecla = static_cast<QKeyEvent *>(evento);
    if (tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    QAbstractSlider::SliderAction accion = QAbstractSlider::SliderNoAction;
    switch (tecla->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        accion = QAbstractSlider::SliderSingleStepSub;
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        accion = QAbstractSlider::SliderSingleStepAdd;
        break;
    case Qt::Key_PageDown:
        accion = QAbstractSlider::SliderPageStepSub;
        break;
    case Qt::Key_PageUp:
        accion = QAbstractSlider::SliderPageStepAdd;
        break;
    case Qt::Key_Home:
        accion = QAbstractSlider::SliderToMinimum;
        break;
    case Qt::Key_End:
        accion = QAbstractSlider::SliderToMaximum;
        break;
    default:
        return false;
    }
    HScroll1->triggerAction(accion);
    return true;
}

// A typed count moves the bar, which runs the checking as a move of the bar does. The box shows
// the count in force before the user is told anything: the message box takes the focus, and
// the box losing it must find nothing left to apply.
void PestanaResultados::Text3_Validate()
{
    if (Text3->isReadOnly())
        return;
    const QString escrito = Text3->text().trimmed();
    const int actual = HScroll1->value();
    const int maximo = HScroll1->maximum();
    const QLocale local;
    bool numero = false;
    qlonglong pedido = local.toLongLong(escrito, &numero);
    if (!numero)
        pedido = escrito.toLongLong(&numero);
    if (!numero) {
        Text3->setText(QString::number(actual));
        if (!escrito.isEmpty())
            Escritorio::actual().aviso(
                QString::fromUtf8("«%1» no es un número. Escriba cuántos sorteos quiere "
                                  "comprobar, de 1 a %2.")
                    .arg(escrito, local.toString(maximo)),
                QString::fromUtf8("Sorteos a comprobar"), Escritorio::Icono::Exclamacion);
        return;
    }
    const int valor = static_cast<int>(std::clamp<qlonglong>(pedido, HScroll1->minimum(), maximo));
    Text3->setText(QString::number(valor));
    HScroll1->setValue(valor);
    if (valor == pedido)
        return;
    const QString cuantos = valor == 1 ? QString::fromUtf8("Se comprobará el último sorteo.")
                                       : QString::fromUtf8("Se comprobarán los últimos %1 sorteos.")
                                             .arg(local.toString(valor));
    const QString causa =
        pedido < 1 ? QString::fromUtf8("hay que comprobar al menos 1 sorteo.")
        : maximo == 1
            ? QString::fromUtf8("el archivo sólo tiene 1 sorteo.")
            : QString::fromUtf8("el archivo tiene %1 sorteos.").arg(local.toString(maximo));
    Escritorio::actual().aviso(
        QString::fromUtf8("«%1» no vale: ").arg(escrito) + causa + QLatin1Char(' ') + cuantos,
        QString::fromUtf8("Sorteos a comprobar"), Escritorio::Icono::Exclamacion);
}

void PestanaResultados::Check1_Click()
{
    sesion_.ponHistorico(Check1->isChecked());
}

void PestanaResultados::Check2_Click()
{
    sesion_.ponSoloPremios(Check2->isChecked());
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
    // The alert is over: the next prize starts it again from the beginning.
    sesion_.avisoApagado();
    pintaAviso(0, false);
    pintaAviso(1, false);
}
