// Tab 0 "General": the results lists of the checking passes and their filters.
#include "app/imagen.h"
#include "app/principal.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>

QWidget *Principal::construyeGeneral()
{
    auto *panel = new QWidget;
    auto *rejilla = new QGridLayout(panel);
    const char *const titulos[2] = {"S E N C I L L A", "M Ú L T I P L E"};
    for (int i = 0; i < 2; ++i) {
        Command1[i] = new QPushButton(QString::fromUtf8(titulos[i]), panel);
        Command1[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        rejilla->addWidget(Command1[i], 0, i);
    }
    ListView2 = new QTreeView(panel);
    ListView2->setObjectName(QStringLiteral("ListView2"));
    ListView4 = new QTreeView(panel);
    ListView4->setObjectName(QStringLiteral("ListView4"));
    ListView4->setVisible(false);
    for (QTreeView *v : {ListView2, ListView4}) {
        v->setRootIsDecorated(false);
        v->setUniformRowHeights(true);
        rejilla->addWidget(v, 1, 0, 1, 4);
    }
    ProgressBar1 = new QProgressBar(panel);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar2 = new QProgressBar(panel);
    ProgressBar2->setObjectName(QStringLiteral("ProgressBar2"));
    rejilla->addWidget(ProgressBar2, 2, 0, 1, 4);

    HScroll1 = new QScrollBar(Qt::Horizontal, panel);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setAccessibleName(QString::fromUtf8("Número de sorteos a comprobar"));
    HScroll1->setRange(1, 1);
    HScroll1->setEnabled(false);
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

    connect(HScroll1, &QScrollBar::valueChanged, this,
            [this](int v) { Text3->setText(QString::number(v)); });
    return panel;
}

void Principal::comprueba(int) {}

void Principal::compruebamultiples(int) {}

void Principal::Command1_Click(int elemento)
{
    paraAvisoPremio();
    QTreeView *mostrar = elemento == 1 ? ListView4 : ListView2;
    QTreeView *ocultar = elemento == 1 ? ListView2 : ListView4;
    if (mostrar->isVisible() && !ocultar->isVisible())
        return;
    ocultar->setVisible(false);
    mostrar->setVisible(true);
}

void Principal::paraAvisoPremio()
{
    if (!Timer3->isActive())
        return;
    Timer3->stop();
    Label59->clear();
}
