// Tab "Gestor de peñas": the syndicate list, the selector, the totals, the details of the
// syndicate shown, the syndicate commands and the archive maintenance by hand.
#include "syndicates/pestanagestor.h"
#include "archive/fechas.h"
#include "archive/intercambio.h"
#include "archive/texto.h"
#include "reports/cuentas.h"
#include "reports/dinero.h"
#include "reports/informes.h"
#include "reports/listado.h"
#include "reports/modeloapuestas.h"
#include "reports/motor.h"
#include "session/cuentas.h"
#include "session/sesion.h"
#include "syndicates/modelogestor.h"
#include "syndicates/ventanasocios.h"
#include "widgets/avisos.h"
#include "widgets/ejes.h"
#include "widgets/escritorio.h"
#include "widgets/imagen.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QColor>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHash>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPalette>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTreeView>
#include <QValueAxis>
#include <algorithm>
#include <climits>

namespace {
QLabel *etiqueta(QWidget *padre, const QString &nombre, const QString &texto = {})
{
    auto *l = new QLabel(texto, padre);
    l->setObjectName(nombre);
    return l;
}

// Run-time error numbers the users of the program know from its messages.
constexpr int kErrorDispositivo = 57;

const char *const kNoValido = "Fichero de sorteos no válido. Compruebe que el archivo NUMEROS.DAT "
                              "sea para Bolarium.";

// The message of a command that needs a syndicate selected first.
void avisoSinSeleccion()
{
    Escritorio::actual().aviso(u("Seleccione una peña primero..."), u("¡Nooooo!"),
                               Escritorio::Icono::Informacion);
}
} // namespace

PestanaGestor::PestanaGestor(Sesion &sesion, QWidget *parent) : Pestana(sesion, parent)
{
    QWidget *panel = this;
    auto *rejilla = new QGridLayout(panel);
    Combo2 = new QComboBox(panel);
    Combo2->setObjectName(QStringLiteral("Combo2"));
    // Editable only so that it can show "TODAS LAS PEÑAS" above a list without that entry;
    // the user picks, never types.
    Combo2->setEditable(true);
    Combo2->setInsertPolicy(QComboBox::NoInsert);
    Combo2->lineEdit()->setReadOnly(true);
    modeloGestor_ = new ModeloGestor(this);
    ListView1 = new QTreeView(panel);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setModel(modeloGestor_);
    // Names keep their blanks: room for all twenty characters, and for the other columns at
    // their widest without scrolling sideways.
    const QFontMetrics letra = ListView1->fontMetrics();
    const int nombre = letra.horizontalAdvance(QLatin1Char('M')) * 17;
    ListView1->setColumnWidth(0, nombre);
    ListView1->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    ListView1->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    int ancho =
        nombre + ListView1->verticalScrollBar()->sizeHint().width() + 2 * ListView1->frameWidth();
    for (const char *mayor : {"Apuestas", "00/00/0000", "Jueves y Sábado"})
        ancho += letra.horizontalAdvance(u(mayor)) + 3 * letra.averageCharWidth();
    ListView1->setMinimumWidth(ancho);
    // The list of syndicates on the left; the members of the one shown take the right
    // (construyeDinero), wide enough for every column of their accounts.
    rejilla->addWidget(Combo2, 0, 0, 1, 2);
    rejilla->addWidget(ListView1, 1, 0, 1, 2);

    auto boton = [panel](const char *nombre, const char *texto) {
        auto *b = new QPushButton(QString::fromUtf8(texto), panel);
        b->setObjectName(QString::fromLatin1(nombre));
        return b;
    };
    Command3 = boton("Command3", "Eliminar peña");
    Command7 = boton("Command7", "Editar Peña");
    Command2 = boton("Command2", "Imprimir boletos");
    Command5 = boton("Command5", "Borrar todos los sorteos");
    Command8 = boton("Command8", "Añadir todos los sorteos");
    // The blue picture buttons below are the one row the user sees; these stay as the named
    // commands behind them (menus and scripts press them), without a second row on screen.
    for (QPushButton *b : {Command3, Command7, Command2, Command5, Command8})
        b->hide();
    connect(Command3, &QPushButton::clicked, this, &PestanaGestor::Command3_Click);

    const char *const imagenes[5] = {"Eliminar peña", "Editar Peña", "Borrar todos los sorteos",
                                     "Imprimir boletos", "Añadir todos los sorteos"};
    for (int i = 0; i < 5; ++i) {
        Image1[i] = new Imagen(QStringLiteral("Image1_%1").arg(i), panel);
        Image1[i]->setAccessibleName(QString::fromUtf8(imagenes[i]));
        Image1[i]->setToolTip(QString::fromUtf8(imagenes[i]));
        Image1[i]->setText(QString::fromUtf8(imagenes[i]));
        rejilla->addWidget(Image1[i], 3, i);
    }
    connect(Image1[0], &Imagen::clicked, this, &PestanaGestor::Command3_Click);
    connect(Command2, &QPushButton::clicked, this, &PestanaGestor::Command2_Click);
    connect(Image1[3], &Imagen::clicked, this, &PestanaGestor::Command2_Click);
    connect(Command7, &QPushButton::clicked, this, &PestanaGestor::Command7_Click);
    connect(Image1[1], &Imagen::clicked, this, &PestanaGestor::Command7_Click);
    connect(ListView1, &QTreeView::clicked, this,
            [this](const QModelIndex &i) { ListView1_ItemClick(i.row() + 1); });
    // A row reached with the keyboard is picked as a click picks it; the press of a click has
    // already picked the row when its release reports the click.
    connect(ListView1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &i) {
                if (!rellenando_ && i.isValid() && i.row() + 1 != sesion_.penasel())
                    ListView1_ItemClick(i.row() + 1);
            });
    connect(Combo2, &QComboBox::currentIndexChanged, this, &PestanaGestor::Combo2_Click);
    connect(Command8, &QPushButton::clicked, this, &PestanaGestor::Command8_Click);
    connect(Command5, &QPushButton::clicked, this, &PestanaGestor::Command5_Click);
    connect(Image1[4], &Imagen::clicked, this, &PestanaGestor::Command8_Click);
    connect(Image1[2], &Imagen::clicked, this, [this] {
        if (Command5->isEnabled())
            Command5_Click();
    });

    // Totals of every syndicate.
    auto *totales = new QGridLayout;
    Label13 = new QLabel(QStringLiteral("0"), panel);
    Label13->setObjectName(QStringLiteral("Label13"));
    Text4 = new QLineEdit(panel);
    Text4->setObjectName(QStringLiteral("Text4"));
    Text4->setReadOnly(true);
    Text5 = new QLineEdit(panel);
    Text5->setObjectName(QStringLiteral("Text5"));
    Text5->setReadOnly(true);
    totales->addWidget(new QLabel(QString::fromUtf8("Premios totales:"), panel), 0, 0);
    totales->addWidget(Label13, 0, 1);
    totales->addWidget(Text4, 1, 0, 1, 2);
    totales->addWidget(Text5, 2, 0, 1, 2);
    const char *const categorias[5] = {
        "3 aciertos:", "4 aciertos:", "5 aciertos:", "6 aciertos:", "5 + C:"};
    for (int i = 0; i < 5; ++i) {
        Label3[i] = new QLabel(QStringLiteral("0"), panel);
        Label3[i]->setObjectName(QStringLiteral("Label3_%1").arg(i));
        totales->addWidget(new QLabel(QString::fromUtf8(categorias[i]), panel), 3 + i, 0);
        totales->addWidget(Label3[i], 3 + i, 1);
    }
    Image2_1 = new Imagen(QStringLiteral("Image2_1"), panel);
    Image2_1->setText(QString::fromUtf8("-Ver informe o imprimir:"));
    Image2_1->setToolTip(QString::fromUtf8("Informe de la peña"));
    totales->addWidget(Image2_1, 8, 0, 1, 2);
    rejilla->addLayout(totales, 4, 0, 1, 2);

    graficoSinPremio_ = new QBarSet(QString::fromUtf8("Sorteos sin premio"));
    graficoPremios_ = new QBarSet(QString::fromUtf8("Premios"));
    *graficoSinPremio_ << 0;
    *graficoPremios_ << 0;
    auto *serie = new QBarSeries;
    serie->append(graficoSinPremio_);
    serie->append(graficoPremios_);
    auto *grafico = new QChart;
    grafico->addSeries(serie);
    auto *ejeX = new QBarCategoryAxis;
    ejeX->append(QStringLiteral(" "));
    ejeX->setLabelsVisible(false); // one unnamed group of bars: the legend names them
    grafico->addAxis(ejeX, Qt::AlignBottom);
    serie->attachAxis(ejeX);
    auto *ejeY = new QValueAxis;
    ponEjeEntero(*ejeY, 1);
    grafico->addAxis(ejeY, Qt::AlignLeft);
    serie->attachAxis(ejeY);
    grafico->legend()->setAlignment(Qt::AlignBottom);
    MSChart2 = new QChartView(grafico, panel);
    MSChart2->setObjectName(QStringLiteral("MSChart2"));
    MSChart2->setMinimumHeight(130);
    grafico->setMargins(QMargins(2, 2, 2, 2));
    grafico->layout()->setContentsMargins(0, 0, 0, 0);
    rejilla->addWidget(MSChart2, 4, 2, 1, 3);
    construyePena(panel);
    construyeDinero(panel);

    connect(&sesion_, &Sesion::recontado, this, &PestanaGestor::resumen);
    // The bet price is part of every figure, and the amounts of a download may come after the
    // archive scan (the results page's breakdown is read last).
    // Before the first archive scan nothing is shown yet: the scan shows the money once.
    connect(&sesion_, &Sesion::ajustesCambiados, this, [this] {
        if (precioMostrado_ && *precioMostrado_ != ganancias::centimosDe(sesion_.ajustes().precio))
            muestraDinero();
    });
    connect(&sesion_, &Sesion::importesCambiados, this, [this] {
        if (precioMostrado_)
            muestraDinero();
    });
    connect(&sesion_, &Sesion::sociosCambiados, this, [this] {
        if (precioMostrado_)
            muestraDinero();
        informedinero();
    });
    // Payments, members' times and the prize destination change only the accounts.
    connect(&sesion_, &Sesion::cuentasCambiadas, this, &PestanaGestor::muestraSaldos);
    connect(&sesion_, &Sesion::penasCambiadas, this, [this](const CambioPenas &c) {
        if (c.tipo != CambioPenas::Tipo::Contadores)
            return;
        actualizaTotales();
        // The syndicate whose details are shown was counted too: its prizes and effectiveness
        // would read as they were before the pass.
        if (registroMostrado_ >= 1 && registroMostrado_ <= sesion_.penas().cuenta())
            muestrapena(registroMostrado_);
    });
    connect(&sesion_, &Sesion::seleccionOlvidada, this, [this] { Combo2->setCurrentIndex(-1); });
}

void PestanaGestor::resumen()
{
    // Every change of the archive or of the syndicate file ends here.
    cierraSociosHuerfanos();
    ambito_ = 0;
    resumen_ =
        comprobacion::calculaResumen(sesion_.penas().penas(), sesion_.sorteosjugados(), QLocale());
    const comprobacion::Resumen &r = resumen_;

    // Refilling the selector is not the user picking a syndicate.
    {
        const QSignalBlocker bloqueo(Combo2);
        Combo2->clear();
        Combo2->addItems(r.combo);
        Combo2->setCurrentIndex(r.vacio ? -1 : 0);
        Combo2->setEditText(r.textoCombo);
    }
    sesion_.ponSeleccion(QString());
    modeloGestor_->pon(r.filas);

    Image2_1->setEnabled(!r.vacio);
    Image2_1->setProperty("imagen", r.vacio ? 5 : 4);
    for (QPushButton *b : {Command3, Command2, Command7})
        b->setEnabled(!r.vacio);
    for (Imagen *b : {Image1[0], Image1[1], Image1[3]})
        b->setEnabled(!r.vacio);
    if (r.vacio)
        for (QLabel *l : Label3)
            l->setText(QStringLiteral("0"));
    muestraTotales();
    // The row that looks selected is the syndicate the commands act on: the one picked, or none
    // (at start and after a deletion), while the details show the first one as they always did.
    const int elegida = sesion_.penasel();
    rellenando_ = true;
    if (elegida >= 1 && elegida <= sesion_.penas().cuenta()) {
        ListView1->setCurrentIndex(modeloGestor_->index(elegida - 1, 0));
        muestrapena(elegida);
    } else {
        ListView1->selectionModel()->clear();
        muestrapena(1);
    }
    rellenando_ = false;
    // The selector reads "TODAS LAS PEÑAS": the money figures are those of every syndicate.
    muestraDinero();
}

void PestanaGestor::entra()
{
    muestraDinero();
}

void PestanaGestor::muestraTotales()
{
    const comprobacion::Resumen &r = resumen_;
    Label13->setText(QString::number(r.total));
    Text4->setText(r.efectividad);
    Text5->setText(r.jugados);
    graficoSinPremio_->replace(0, qreal(r.sinPremio));
    graficoPremios_->replace(0, qreal(r.premiosEnGrafico ? r.total : 0));
    if (auto *eje = qobject_cast<QValueAxis *>(MSChart2->chart()->axes(Qt::Vertical).value(0)))
        ponEjeEntero(*eje, int(std::min<qint64>(std::max(r.sinPremio, r.total), INT_MAX)));
}

// A checking pass that raised counters makes the totals out of date; the selector and the
// list stay as they are (the user may have just picked a syndicate in it).
void PestanaGestor::actualizaTotales()
{
    resumen_ =
        comprobacion::calculaResumen(sesion_.penas().penas(), sesion_.sorteosjugados(), QLocale());
    muestraTotales();
}

void PestanaGestor::ListView1_ItemClick(int fila)
{
    muestrapena(fila);
    // The "VACÍO" row of an empty file selects nothing.
    if (fila >= 1 && fila <= sesion_.penas().cuenta()) {
        sesion_.ponPenasel(fila);
        ambito_ = fila;
        muestraDinero();
    }
}

void PestanaGestor::Combo2_Click(int indice)
{
    // Only a real entry runs the checking; the window clears the selection on its own at times.
    if (indice < 0)
        return;
    // Entry k is syndicate k; entry 0 all of them.
    ambito_ = indice <= sesion_.penas().cuenta() ? indice : 0;
    muestraDinero();
    sesion_.eligeSeleccion(indice >= 1 ? Combo2->itemText(indice) : QString());
}

// The details of the syndicate shown, below the list and the totals.
void PestanaGestor::construyePena(QWidget *gestor)
{
    auto *panel = new QWidget(gestor);
    panel->setObjectName(QStringLiteral("panelPena"));
    auto *rejilla = new QGridLayout(panel);

    ListView5 = new QTreeView(panel);
    ListView5->setObjectName(QStringLiteral("ListView5"));
    ListView5->setAccessibleName(u("Apuestas de la peña"));
    ListView5->setRootIsDecorated(false);
    ListView5->setUniformRowHeights(true);
    ListView5->setHeaderHidden(true); // its height is counted in rows
    modeloApuestas_ = new ModeloApuestas(this);
    ListView5->setModel(modeloApuestas_);
    ListView5->header()->setStretchLastSection(true);
    rejilla->addWidget(ListView5, 0, 0, 4, 1, Qt::AlignTop);

    rejilla->addWidget(new QLabel(u("Sorteos jugados:"), panel), 0, 1);
    Label17 = etiqueta(panel, QStringLiteral("Label17"), QStringLiteral("0"));
    rejilla->addWidget(Label17, 0, 2);
    rejilla->addWidget(new QLabel(u("Efectividad:"), panel), 1, 1);
    Label16 = etiqueta(panel, QStringLiteral("Label16"), QStringLiteral("0 %"));
    rejilla->addWidget(Label16, 1, 2);
    rejilla->addWidget(new QLabel(u("Precio semanal:"), panel), 2, 1);
    Label37 = etiqueta(panel, QStringLiteral("Label37"), u("0 euros."));
    rejilla->addWidget(Label37, 2, 2);

    Label28 = etiqueta(panel, QStringLiteral("Label28"));
    Label29 = etiqueta(panel, QStringLiteral("Label29"));
    Label29->setWordWrap(true);
    rejilla->addWidget(Label28, 4, 0);
    rejilla->addWidget(Label29, 5, 0);

    MSChart3 = new QChartView(panel);
    MSChart3->setObjectName(QStringLiteral("MSChart3"));
    MSChart3->setMinimumSize(220, 150);
    // A small chart needs its whole box for the bars and their scale.
    MSChart3->chart()->setMargins(QMargins(2, 2, 2, 2));
    MSChart3->chart()->layout()->setContentsMargins(0, 0, 0, 0);
    rejilla->addWidget(MSChart3, 0, 3, 6, 1);

    connect(Image2_1, &Imagen::clicked, this, [this] { emit informePedido(1); });

    auto *g = static_cast<QGridLayout *>(gestor->layout());
    g->addWidget(panel, g->rowCount(), 0, 1, -1);

    pintaGraficoPena(0, 0);
}

void PestanaGestor::pintaGraficoPena(int sinPremio, int premios)
{
    QChart *grafico = MSChart3->chart();
    vaciaGrafico(*grafico);
    auto *serie = new QBarSeries;
    auto *sin = new QBarSet(u("Sorteos sin premio"));
    auto *con = new QBarSet(u("Premios"));
    sin->append(sinPremio);
    con->append(premios);
    serie->append(sin);
    serie->append(con);
    grafico->addSeries(serie);
    auto *ejeX = new QBarCategoryAxis;
    ejeX->append(QStringLiteral(" "));
    ejeX->setLabelsVisible(false); // one unnamed group of bars: the legend names them
    auto *ejeY = new QValueAxis;
    ponEjeEntero(*ejeY, std::max(sinPremio, premios));
    grafico->addAxis(ejeX, Qt::AlignBottom);
    grafico->addAxis(ejeY, Qt::AlignLeft);
    serie->attachAxis(ejeX);
    serie->attachAxis(ejeY);
    grafico->legend()->setAlignment(Qt::AlignBottom);
}

void PestanaGestor::muestrapena(int registro)
{
    const int r = registro;
    const listado::Ficha f =
        listado::ficha(sesion_.penas().penas(), r, sesion_.sorteos().sorteos(), QLocale());
    if (f.error != 0) {
        Escritorio::actual().aviso(
            u("Posiblemente el fichero de apuestas está corrupto. Error %1").arg(f.error),
            u("¡Vaya hombre!"), Escritorio::Icono::Exclamacion);
        return;
    }
    ErrorBase error;
    const bool escrita = informes::escribePenanums(sesion_.carpeta(), f.apuestas, &error);
    registroMostrado_ = f.vacia ? 0 : r;

    if (f.vacia) {
        penaMostrada_ = Pena{};
        modeloApuestas_->pon({});
        for (QLabel *l : Label3)
            l->setText(QStringLiteral("0"));
        Label28->clear();
        Label29->clear();
    } else {
        penaMostrada_ = sesion_.penas().lee(r);
        modeloApuestas_->pon(f.apuestas);
        // The list grows with the bets up to its full height (15 twips a pixel), but never pushes
        // the window taller: with little room it scrolls.
        const int alto = qRound(f.altoTwips / 15.0);
        ListView5->setMaximumHeight(alto);
        ListView5->setMinimumHeight(std::min(alto, 3 * ListView5->fontMetrics().height() + 8));
        ListView5->setProperty("altoTwips", f.altoTwips);
        for (int i = 0; i < 5; ++i)
            Label3[i]->setText(QString::number(f.contadores[static_cast<size_t>(i)]));
        Label28->setText(f.tipo);
        Label29->setText(f.elegidos);
    }
    Label17->setText(f.jugados);
    Label16->setText(f.efectividad);
    pintaGraficoPena(f.sinPremio, f.premios);

    // The figures above come from the record files; a report database that cannot be written
    // even after being made again only costs the printed report, never the program.
    if (!escrita || !informedinero(&error)) {
        Escritorio::actual().aviso(informes::textoFallo(sesion_.carpeta(), error),
                                   u("¡Vaya hombre!"), Escritorio::Icono::Exclamacion);
    }
}

bool PestanaGestor::informedinero(ErrorBase *error)
{
    const informes::FilaPena fila =
        dinero::filaPena(penaMostrada_, sesion_.ajustes().precio, Label16->text(), Label17->text());
    float leido = fila.dinero;
    bool escrita = informes::escribePena(sesion_.carpeta(), fila, &leido, error);
    // The money of the same syndicate, its members' parts and its accounts, for the report.
    informes::FilaGanancias ganado;
    std::vector<informes::FilaPremiado> premiados;
    std::vector<informes::FilaSocio> filas;
    informes::FilaCuentas cuentas;
    std::vector<informes::FilaSaldo> saldosSocios;
    if (penaMostrada_.tipoValido()) {
        const ganancias::Ganancias g = sesion_.cuentas().de(penaMostrada_, true);
        ganado = {g.premios,      g.gasto,     g.balance(), g.desconocidos, g.jugados,
                  g.premiosJoker, g.retencion, g.neto(),    g.pendientes};
        for (const ganancias::Premiada &p : ganancias::premiadas(g))
            premiados.push_back({p.fecha, p.categorias, p.joker, p.pendiente ? -1 : p.premio});
        for (const ganancias::Parte &p : sesion_.cuentas().partes(penaMostrada_, g))
            filas.push_back({p.nombre, p.participaciones, p.premios, p.gasto, p.balance()});
        const SociosPena *socios = sesion_.socios().busca(penaMostrada_);
        const CuentasPena *pagos = sesion_.archivoCuentas().busca(penaMostrada_);
        const saldos::Estado e =
            saldos::calcula(g, socios ? *socios : SociosPena::de(penaMostrada_),
                            pagos ? *pagos : CuentasPena::de(penaMostrada_));
        cuentas = {e.pagado, e.entregado, e.bote(), e.destino == Destino::Reparten};
        for (const saldos::CuentaSocio &c : e.socios)
            saldosSocios.push_back({c.nombre, c.pagado, c.entregado, c.saldo()});
    }
    escrita = informes::escribeGanancias(sesion_.carpeta(), ganado, premiados, filas,
                                         escrita ? error : nullptr) &&
              escrita;
    escrita = informes::escribeCuentas(sesion_.carpeta(), cuentas, saldosSocios,
                                       escrita ? error : nullptr) &&
              escrita;
    Label37->setText(dinero::textoEuros(leido, QLocale()));
    emit informeDineroEscrito();
    return escrita;
}

void PestanaGestor::Command3_Click()
{
    const int penasel = sesion_.penasel();
    if (penasel == 0 || penasel > sesion_.penas().cuenta()) {
        avisoSinSeleccion();
        return;
    }
    const QString nombre = sesion_.penas().lee(penasel).nombreTexto().trimmed();
    if (!Escritorio::actual().preguntaPeligrosa(u("¿Seguro que quieres eliminar la Peña ") +
                                                    nombre + QStringLiteral("?"),
                                                u("Borrar...")))
        return;
    const Sesion::Eliminacion r = sesion_.eliminaPena(penasel);
    if (r.penas == Escritura::Hecha) {
        // The selection does not slide onto the next syndicate: another "Eliminar peña" asks
        // for a syndicate to be picked first instead of offering the one below.
        sesion_.ponPenasel(0);
        ListView1->selectionModel()->clearSelection();
    }
    if (escrito(r.penas, QStringLiteral("apuestas.dat")))
        escrito(r.socios, QStringLiteral("socios.dat"));
}

void PestanaGestor::Command8_Click()
{
    Escritorio &e = Escritorio::actual();
    const QString elegido = e.eligeArchivo(QDir::rootPath(), u("Seleccione el archivo NUMEROS.DAT"),
                                           u("Archivos de sorteos (numeros.dat)"));
    if (elegido.isEmpty()) {
        if (e.pregunta(u("No se ha seleccionado ningún archivo. Recuerde que puede disponer de "
                         "TODOS LOS SORTEOS DESDE LA CREACIÓN DE LA PRIMITIVA, obteniéndolo desde "
                         "nuestra tienda virtual. ¿Quiere ir?"),
                       u("Bolarium"), Escritorio::Icono::Pregunta))
            abreWebAutor(sesion_.ajustes().webTexto(), QStringLiteral("/tienda.html#Sorteos"));
        return;
    }
    const Importacion r = sesion_.sustituyeSorteos(elegido);
    switch (r.estado) {
    case Importacion::Estado::Rechazado:
        e.aviso(u(kNoValido), u("¡Vaya hombre!"), Escritorio::Icono::Exclamacion);
        return;
    case Importacion::Estado::SinPermiso:
        avisopermiso();
        return;
    case Importacion::Estado::NoEscrito:
        avisoescritura(QStringLiteral("numeros.dat"));
        return;
    case Importacion::Estado::Fallo:
        e.aviso(u(kNoValido) + u(" Error %1").arg(kErrorDispositivo), u("¡Vaya hombre!"),
                Escritorio::Icono::Exclamacion);
        return;
    case Importacion::Estado::Importado:
        break;
    }
    QString texto = u("Archivo de sorteos importado con éxito");
    if (r.omitidos > 0)
        texto += u(". Se han omitido %1 registros que no eran sorteos válidos.").arg(r.omitidos);
    e.aviso(texto, u("Todos los sorteos"), Escritorio::Icono::Informacion);
}

void PestanaGestor::Command5_Click()
{
    Escritorio &e = Escritorio::actual();
    sesion_.ponBorradoactivo(1);
    if (e.preguntaPeligrosa(u("¿Seguro que quieres borrar todos los sorteos?"), u("Borrar..."))) {
        if (!escrito(sesion_.borraSorteos(), QStringLiteral("numeros.dat")))
            return;
    }
    if (e.preguntaPeligrosa(u("¿Quiere borrar también los aciertos de las peñas? Si ha borrado "
                              "los sorteos, se aconseja que se resetee también los resultados de "
                              "las peñas y la fecha de creación pasará a ser la de hoy."),
                            u("Borrar..."))) {
        escrito(sesion_.reseteaContadores(), QStringLiteral("apuestas.dat"));
    }
}

// "Editar Peña": the editor opens on the selected syndicate and writes each change at once.
void PestanaGestor::Command7_Click()
{
    const int penasel = sesion_.penasel();
    if (penasel == 0 || penasel > sesion_.penas().cuenta()) {
        avisoSinSeleccion();
        return;
    }
    const Pena pena = sesion_.penas().lee(penasel); // a copy: the message box runs the event loop
    if (pena.esReducida())
        Escritorio::actual().aviso(QString::fromUtf8("Si modifica algún número de esta peña, "
                                                     "dejará de ser Reducida y pasará a ser de "
                                                     "apuestas sencillas."),
                                   QStringLiteral("Atención!"), Escritorio::Icono::Informacion);
    // Set only now: the message box closing may already have run the activation.
    sesion_.ponEditando(1);
    sesion_.ponNumordenador(1);
    sesion_.ponNumapuestas(0);
    sesion_.ponModocrea(pena.tipo > 500 ? pena.tipo - 500 : 0);
    emit editorPedido();
}

void PestanaGestor::Command2_Click()
{
    const int penasel = sesion_.penasel();
    if (penasel <= 0 || penasel > sesion_.penas().cuenta()) {
        avisoSinSeleccion();
        return;
    }
    emit boletosPedidos();
}

// The money of the figures shown: what was won, what was staked, and each member's part.
void PestanaGestor::construyeDinero(QWidget *gestor)
{
    // Beside the syndicate's own details, so that the tab grows no taller.
    auto *detalles = gestor->findChild<QWidget *>(QStringLiteral("panelPena"));
    auto *panel = new QWidget(detalles);
    panel->setObjectName(QStringLiteral("panelDinero"));
    auto *rejilla = new QGridLayout(panel);
    rejilla->setContentsMargins(0, 0, 0, 0);
    premiosEuros = etiqueta(panel, QStringLiteral("premiosEuros"), u("Premios: 0,00 €"));
    premiosEuros->setToolTip(u("Premios y reintegros antes de la retención de Hacienda"));
    jokerEuros = etiqueta(panel, QStringLiteral("jokerEuros"), u("De ellos, Joker: 0,00 €"));
    jokerEuros->setToolTip(u("Lo que han ganado los números de Joker de la peña (en Socios)"));
    retencionEuros = etiqueta(panel, QStringLiteral("retencionEuros"), u("Retención: 0,00 €"));
    retencionEuros->setToolTip(u("Gravamen especial: el 20 % de lo que cada premio pasa de la "
                                 "parte exenta"));
    netoEuros = etiqueta(panel, QStringLiteral("netoEuros"), u("Neto: 0,00 €"));
    gastoEuros = etiqueta(panel, QStringLiteral("gastoEuros"), u("Jugado: 0,00 €"));
    balanceEuros = etiqueta(panel, QStringLiteral("balanceEuros"), u("Balance: 0,00 €"));
    boteEuros = etiqueta(panel, QStringLiteral("boteEuros"), u("Bote: 0,00 €"));
    boteEuros->hide();
    importesDesconocidos = etiqueta(panel, QStringLiteral("importesDesconocidos"));
    importesDesconocidos->setToolTip(
        u("Premios cuyo importe aún no se conoce: las cifras son provisionales hasta que se "
          "descarguen (\"Completar importes de premios\" en el menú General)."));
    importesDesconocidos->setWordWrap(true);
    importesDesconocidos->hide();
    // The figures one under another, as a statement reads, and the prizes draw by draw beside
    // them with the rest of the width: the tab may grow no taller than it was.
    rejilla->setVerticalSpacing(2);
    int filaLabel = 0;
    for (QLabel *l : {premiosEuros, jokerEuros, retencionEuros, netoEuros, gastoEuros, balanceEuros,
                      boteEuros, importesDesconocidos})
        rejilla->addWidget(l, filaLabel++, 0, 1, 2);

    socios = new QPushButton(u("Socios"), panel);
    socios->setObjectName(QStringLiteral("socios"));
    socios->setToolTip(u("Socios y participaciones de la peña seleccionada"));
    exportarCsv = new QPushButton(u("Exportar a CSV"), panel);
    exportarCsv->setObjectName(QStringLiteral("exportarCsv"));
    exportarCsv->setToolTip(u("Los premios de cada sorteo jugado, para una hoja de cálculo"));
    copiarResumen = new QPushButton(u("Copiar resumen"), panel);
    copiarResumen->setObjectName(QStringLiteral("copiarResumen"));
    copiarResumen->setToolTip(u("El saldo de cada socio en texto, para pegarlo en un mensaje"));
    rejilla->setRowStretch(filaLabel, 1);
    rejilla->addWidget(socios, filaLabel + 1, 0);
    rejilla->addWidget(exportarCsv, filaLabel + 1, 1);
    rejilla->addWidget(copiarResumen, filaLabel + 2, 0, 1, 2);
    connect(copiarResumen, &QPushButton::clicked, this, &PestanaGestor::copiarResumen_Click);
    connect(socios, &QPushButton::clicked, this, &PestanaGestor::socios_Click);
    connect(exportarCsv, &QPushButton::clicked, this, &PestanaGestor::exportarCsv_Click);

    // What the members won and staked first, as the columns always were; then what they paid
    // and where their account stands.
    modeloSocios_ = new QStandardItemModel(0, 7, this);
    modeloSocios_->setHorizontalHeaderLabels({u("Socio"), u("Participaciones"), u("Premios"),
                                              u("Jugado"), u("Balance"), u("Pagado"), u("Saldo")});
    ListViewSocios = new QTreeView(panel);
    ListViewSocios->setObjectName(QStringLiteral("ListViewSocios"));
    ListViewSocios->setAccessibleName(u("Socios de la peña"));
    ListViewSocios->setRootIsDecorated(false);
    ListViewSocios->setUniformRowHeights(true);
    ListViewSocios->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListViewSocios->setModel(modeloSocios_);
    ListViewSocios->setMinimumSize(160, 50);
    static_cast<QGridLayout *>(gestor->layout())->addWidget(ListViewSocios, 0, 2, 2, 3);

    modeloPremios_ = new QStandardItemModel(0, 4, this);
    modeloPremios_->setHorizontalHeaderLabels(
        {u("Sorteo"), u("Premios"), u("Joker"), u("Importe")});
    ListViewPremios = new QTreeView(panel);
    ListViewPremios->setObjectName(QStringLiteral("ListViewPremios"));
    ListViewPremios->setAccessibleName(u("Premios de la peña, sorteo a sorteo"));
    ListViewPremios->setRootIsDecorated(false);
    ListViewPremios->setUniformRowHeights(true);
    ListViewPremios->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListViewPremios->setModel(modeloPremios_);
    ListViewPremios->setMinimumSize(160, 50);
    ListViewPremios->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    rejilla->addWidget(ListViewPremios, 0, 2, filaLabel + 2, 1);
    rejilla->setColumnStretch(2, 1);

    // Columns as wide as their figures, so the balance is in sight without scrolling; the name
    // takes what is left, shortened when it must be (the whole name is its tooltip).
    ListViewSocios->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ListViewSocios->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    ListViewSocios->header()->setStretchLastSection(false);

    // The syndicate's chart and the money share the width: the chart keeps room for its legend.
    auto *g = static_cast<QGridLayout *>(detalles->layout());
    g->addWidget(panel, 0, 4, 6, 1);
    g->setColumnStretch(3, 1);
    g->setColumnStretch(4, 3);
}

void PestanaGestor::muestraDinero()
{
    const ArchivoPenas &penas = sesion_.penas();
    if (ambito_ < 0 || ambito_ > penas.cuenta())
        ambito_ = 0;
    Cuentas &cuentas = sesion_.cuentas();
    precioMostrado_ = ganancias::centimosDe(sesion_.ajustes().precio);
    if (ambito_ == 0) {
        mostradas_ = cuentas.todas();
        partes_ = cuentas.partesTodas();
    } else {
        const Pena &p = penas.lee(ambito_);
        mostradas_ = cuentas.de(p, true);
        partes_ = cuentas.partes(p, mostradas_);
    }
    muestraPremios();

    const ganancias::Ganancias &g = mostradas_;
    // With a prize whose amount is not known yet, every figure that includes it says it is
    // provisional, and a negative balance is no final loss: it is not painted red.
    const bool provisional = g.provisional();
    const QString cual = provisional ? u(" provisional: ") : u(": ");
    premiosEuros->setText((provisional ? u("Premios provisionales: ") : u("Premios: ")) +
                          ganancias::textoEuros(g.premios));
    jokerEuros->setText(u("De ellos, Joker: ") + ganancias::textoEuros(g.premiosJoker));
    retencionEuros->setText(u("Retención") + cual + ganancias::textoEuros(g.retencion));
    netoEuros->setText(u("Neto") + cual + ganancias::textoEuros(g.neto()));
    gastoEuros->setText(u("Jugado: ") + ganancias::textoEuros(g.gasto));
    balanceEuros->setText(u("Balance") + cual + ganancias::textoEuros(g.balance()));
    const bool perdida = g.balance() < 0 && !provisional;
    // Red in the palette and in the style, whichever the label is painted with.
    balanceEuros->setStyleSheet(perdida ? QStringLiteral("color: rgb(255, 0, 0);") : QString());
    QPalette paleta = premiosEuros->palette();
    if (perdida)
        paleta.setColor(QPalette::WindowText, QColor(255, 0, 0));
    balanceEuros->setPalette(paleta);
    if (provisional) {
        importesDesconocidos->setText(g.pendientes == 1
                                          ? u("1 premio de importe pendiente")
                                          : u("%1 premios de importe pendiente").arg(g.pendientes));
        importesDesconocidos->show();
    } else {
        importesDesconocidos->clear();
        importesDesconocidos->hide();
    }
    modeloSocios_->setHeaderData(4, Qt::Horizontal,
                                 provisional ? u("Balance provisional") : u("Balance"));
    modeloSocios_->setHeaderData(6, Qt::Horizontal,
                                 provisional ? u("Saldo provisional") : u("Saldo"));
    muestraSaldos();
}

// Each member's account: what they paid, their part of the stakes and of the net prizes while
// they were in, and what is left ("Debe" in red, "A favor"). One syndicate's figures come from
// its draws one by one; every syndicate together adds each member's payments to the parts.
void PestanaGestor::muestraSaldos()
{
    const bool provisional = mostradas_.provisional();
    std::vector<saldos::CuentaSocio> filas;
    if (ambito_ == 0) {
        QHash<QString, qint64> pagado;
        for (const CuentasPena &c : sesion_.archivoCuentas().registros())
            for (const Pago &p : c.pagos)
                pagado[p.socio] += p.centimos;
        for (const ganancias::Parte &parte : partes_)
            filas.push_back({parte.nombre, int(parte.participaciones), pagado.value(parte.nombre),
                             parte.gasto, parte.premios, provisional});
        estado_.reset();
        boteEuros->hide();
    } else {
        const Pena &pena = sesion_.penas().lee(ambito_);
        const SociosPena *socios = sesion_.socios().busca(pena);
        const CuentasPena *cuentas = sesion_.archivoCuentas().busca(pena);
        estado_ = saldos::calcula(mostradas_, socios ? *socios : SociosPena::de(pena),
                                  cuentas ? *cuentas : CuentasPena::de(pena));
        filas = estado_->socios;
        const qint64 bote = estado_->bote();
        boteEuros->setText((provisional ? u("Bote provisional: ") : u("Bote: ")) +
                           ganancias::textoEuros(bote));
        boteEuros->setToolTip(estado_->destino == Destino::Bote
                                  ? u("Pagos y premios, menos lo jugado: los premios quedan en "
                                      "el bote")
                                  : u("Pagos menos lo jugado: los premios se reparten entre los "
                                      "socios"));
        boteEuros->show();
    }
    copiarResumen->setEnabled(estado_.has_value() && !estado_->socios.empty());

    modeloSocios_->removeRows(0, modeloSocios_->rowCount());
    for (const saldos::CuentaSocio &c : filas) {
        QList<QStandardItem *> fila;
        fila << new QStandardItem(c.nombre);
        fila[0]->setToolTip(c.nombre);
        fila << new QStandardItem(c.participaciones > 0 ? QString::number(c.participaciones)
                                                        : QString())
             << new QStandardItem(ganancias::textoEuros(c.premios))
             << new QStandardItem(ganancias::textoEuros(c.jugado))
             << new QStandardItem(ganancias::textoEuros(c.premios - c.jugado))
             << new QStandardItem(ganancias::textoEuros(c.pagado))
             << new QStandardItem(saldos::textoSaldo(c.saldo()));
        for (int col = 1; col < fila.size(); ++col)
            fila[col]->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // An amount still unknown may change a loss or a debt: only a final one is red.
        if (c.premios - c.jugado < 0 && !provisional)
            fila[4]->setForeground(QColor(255, 0, 0));
        if (c.saldo() < 0 && !c.provisional)
            fila.last()->setForeground(QColor(255, 0, 0));
        modeloSocios_->appendRow(fila);
    }
}

void PestanaGestor::copiarResumen_Click()
{
    if (!estado_ || ambito_ < 1 || ambito_ > sesion_.penas().cuenta())
        return;
    const QString nombre = sesion_.penas().lee(ambito_).nombreTexto().trimmed();
    QGuiApplication::clipboard()->setText(saldos::resumenTexto(*estado_, nombre));
}

void PestanaGestor::muestraPremios()
{
    modeloPremios_->removeRows(0, modeloPremios_->rowCount());
    for (const ganancias::Premiada &p : ganancias::premiadas(mostradas_)) {
        QList<QStandardItem *> fila{new QStandardItem(fechas::textoCorto(p.fecha)),
                                    new QStandardItem(p.categorias), new QStandardItem(p.joker),
                                    new QStandardItem(p.textoPremio())};
        fila.last()->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        modeloPremios_->appendRow(fila);
    }
}

void PestanaGestor::cierraSociosHuerfanos()
{
    // A members window of a syndicate that is gone, or now goes by another name, would write
    // under the old one.
    const std::vector<Pena> &penas = sesion_.penas().penas();
    if (ventanaSocios_ && std::none_of(penas.begin(), penas.end(), [this](const Pena &p) {
            return SociosPena::de(ventanaSocios_->pena()).esDe(p);
        }))
        ventanaSocios_->close();
}

void PestanaGestor::socios_Click()
{
    const int penasel = sesion_.penasel();
    if (penasel <= 0 || penasel > sesion_.penas().cuenta()) {
        avisoSinSeleccion();
        return;
    }
    const Pena &pena = sesion_.penas().lee(penasel);
    if (ventanaSocios_ && ventanaSocios_->pena() == pena) {
        ventanaSocios_->raise();
        ventanaSocios_->activateWindow();
        return;
    }
    if (ventanaSocios_)
        ventanaSocios_->close();
    ventanaSocios_ = new Socios(sesion_, pena, window());
    ventanaSocios_->show();
    ventanaSocios_->raise();
    ventanaSocios_->activateWindow();
}

void PestanaGestor::exportarCsv_Click()
{
    Escritorio &e = Escritorio::actual();
    const QString titulo = u("Exportar a CSV");
    const ArchivoPenas &penas = sesion_.penas();
    if (penas.vacio()) {
        e.aviso(u("No hay peñas creadas."), titulo, Escritorio::Icono::Informacion);
        return;
    }
    QString destino = e.eligeDestino(QDir::home().filePath(QStringLiteral("premios.csv")), titulo,
                                     u("Archivos CSV (*.csv)"));
    if (destino.isEmpty())
        return;
    if (QFileInfo(destino).suffix().isEmpty())
        destino += QStringLiteral(".csv");
    const QString nombre = QFileInfo(destino).fileName();
    if (!intercambio::destinoPermitido(sesion_.carpeta(), destino)) {
        e.aviso(u("%1 es un archivo del programa y no se puede sustituir por los premios. "
                  "Elija otro nombre.")
                    .arg(nombre),
                titulo, Escritorio::Icono::Exclamacion);
        return;
    }
    std::vector<ganancias::Hoja> hojas;
    std::vector<saldos::HojaCuentas> cuentas;
    int sorteos = 0;
    for (int j = 1; j <= penas.cuenta(); ++j) {
        if (ambito_ != 0 && j != ambito_)
            continue;
        const Pena &p = penas.lee(j);
        hojas.push_back({p.nombreTexto(), sesion_.cuentas().de(p, true)});
        sorteos += static_cast<int>(hojas.back().ganancias.detalle.size());
        const SociosPena *socios = sesion_.socios().busca(p);
        const CuentasPena *pagos = sesion_.archivoCuentas().busca(p);
        // Only a syndicate whose organiser keeps its accounts here (payments, members' times,
        // a pot) has a line in them.
        if (pagos)
            cuentas.push_back(
                {p.nombreTexto(),
                 saldos::calcula(hojas.back().ganancias, socios ? *socios : SociosPena::de(p),
                                 pagos ? *pagos : CuentasPena::de(p))});
    }
    if (!escritoFuera(archivos::escribe(destino, ganancias::aCsv(hojas)), nombre))
        return;
    QString texto = cantidad(sorteos, "sorteo jugado exportado", "sorteos jugados exportados") +
                    u(" a ") + nombre;
    // The members' accounts go beside the prizes, in a table of their own: one CSV file holds
    // one table for a spreadsheet.
    if (!cuentas.empty()) {
        const QFileInfo info(destino);
        const QString rutaCuentas =
            info.dir().filePath(info.completeBaseName() + u("-cuentas.") + info.suffix());
        const QString nombreCuentas = QFileInfo(rutaCuentas).fileName();
        if (!intercambio::destinoPermitido(sesion_.carpeta(), rutaCuentas) ||
            !escritoFuera(archivos::escribe(rutaCuentas, saldos::aCsv(cuentas)), nombreCuentas))
            return;
        texto += u(", y las cuentas de los socios a ") + nombreCuentas;
    }
    e.aviso(texto, titulo, Escritorio::Icono::Informacion);
}
