// Tab 2 "Gestor de peñas": the syndicate list, the selector and the syndicate commands.
#include "app/imagen.h"
#include "app/principal.h"
#include "checking/modeloresultados.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>
#include <QValueAxis>

QWidget *Principal::construyeGestor()
{
    auto *panel = new QWidget;
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
    // Names keep their blanks: room for all twenty characters.
    ListView1->setColumnWidth(0, ListView1->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 17);
    rejilla->addWidget(Combo2, 0, 0, 1, 3);
    rejilla->addWidget(ListView1, 1, 0, 1, 5);

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
    int columna = 0;
    for (QPushButton *b : {Command3, Command7, Command2, Command5, Command8})
        rejilla->addWidget(b, 2, columna++);
    connect(Command3, &QPushButton::clicked, this, &Principal::Command3_Click);

    const char *const imagenes[5] = {"Eliminar peña", "Editar Peña", "Borrar todos los sorteos",
                                     "Imprimir boletos", "Añadir todos los sorteos"};
    for (int i = 0; i < 5; ++i) {
        Image1[i] = new Imagen(QStringLiteral("Image1_%1").arg(i), panel);
        Image1[i]->setAccessibleName(QString::fromUtf8(imagenes[i]));
        Image1[i]->setToolTip(QString::fromUtf8(imagenes[i]));
        Image1[i]->setText(QString::fromUtf8(imagenes[i]));
        rejilla->addWidget(Image1[i], 3, i);
    }
    connect(Image1[0], &Imagen::clicked, this, &Principal::Command3_Click);
    connect(Command2, &QPushButton::clicked, this, &Principal::Command2_Click);
    connect(Image1[3], &Imagen::clicked, this, &Principal::Command2_Click);
    connect(Command7, &QPushButton::clicked, this, &Principal::Command7_Click);
    connect(Image1[1], &Imagen::clicked, this, &Principal::Command7_Click);
    connect(ListView1, &QTreeView::clicked, this,
            [this](const QModelIndex &i) { ListView1_ItemClick(i.row() + 1); });
    connect(Combo2, &QComboBox::currentIndexChanged, this, &Principal::Combo2_Click);

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
    Image2[1] = new Imagen(QStringLiteral("Image2_1"), panel);
    Image2[1]->setText(QString::fromUtf8("-Ver informe o imprimir:"));
    Image2[1]->setToolTip(QString::fromUtf8("Informe de la peña"));
    totales->addWidget(Image2[1], 8, 0, 1, 2);
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
    grafico->addAxis(ejeX, Qt::AlignBottom);
    serie->attachAxis(ejeX);
    auto *ejeY = new QValueAxis;
    ejeY->setLabelFormat(QStringLiteral("%d"));
    grafico->addAxis(ejeY, Qt::AlignLeft);
    serie->attachAxis(ejeY);
    grafico->legend()->setAlignment(Qt::AlignBottom);
    MSChart2 = new QChartView(grafico, panel);
    MSChart2->setObjectName(QStringLiteral("MSChart2"));
    MSChart2->setMinimumHeight(160);
    rejilla->addWidget(MSChart2, 4, 2, 1, 3);
    return panel;
}

void Principal::resumen()
{
    resumen_ = comprobacion::calculaResumen(penas_.penas(), recuento_.sorteosjugados, QLocale());
    const comprobacion::Resumen &r = resumen_;

    // Refilling the selector is not the user picking a syndicate.
    {
        const QSignalBlocker bloqueo(Combo2);
        Combo2->clear();
        Combo2->addItems(r.combo);
        Combo2->setCurrentIndex(r.vacio ? -1 : 0);
        Combo2->setEditText(r.textoCombo);
    }
    modeloGestor_->pon(r.filas);

    Image2[1]->setEnabled(!r.vacio);
    Image2[1]->setProperty("imagen", r.vacio ? 5 : 4);
    for (QPushButton *b : {Command3, Command2, Command7})
        b->setEnabled(!r.vacio);
    Label9[2]->setText(QString::number(r.penas));
    if (r.vacio)
        for (QLabel *l : Label3)
            l->setText(QStringLiteral("0"));
    muestraTotales();
    ListView1->setCurrentIndex(modeloGestor_->index(0, 0));
    muestrapena(1);
}

void Principal::muestraTotales()
{
    const comprobacion::Resumen &r = resumen_;
    Label13->setText(QString::number(r.total));
    Text4->setText(r.efectividad);
    Text5->setText(r.jugados);
    graficoSinPremio_->replace(0, qreal(r.sinPremio));
    graficoPremios_->replace(0, qreal(r.premiosEnGrafico ? r.total : 0));
    if (auto *eje = qobject_cast<QValueAxis *>(MSChart2->chart()->axes(Qt::Vertical).value(0)))
        eje->setRange(0, qreal(std::max<qint64>({r.sinPremio, r.total, 1})));
}

// A checking pass that raised counters makes the totals out of date; the selector and the
// list stay as they are (the user may have just picked a syndicate in it).
void Principal::actualizaTotales()
{
    resumen_ = comprobacion::calculaResumen(penas_.penas(), recuento_.sorteosjugados, QLocale());
    muestraTotales();
}

void Principal::ListView1_ItemClick(int fila)
{
    muestrapena(fila);
    // The "VACÍO" row of an empty file selects nothing.
    if (fila >= 1 && fila <= penas_.cuenta())
        penasel = fila;
}

void Principal::Combo2_Click(int indice)
{
    // Only a real entry runs the checking; the window clears the selection on its own at times.
    if (indice < 0)
        return;
    cambiocombo = 1;
    comprueba(HScroll1->value());
}
