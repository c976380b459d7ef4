// Tab 2 "Gestor de peñas": the syndicate list, the selector and the syndicate commands.
#include "app/imagen.h"
#include "app/principal.h"

#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>
#include <QTreeView>

QWidget *Principal::construyeGestor()
{
    auto *panel = new QWidget;
    auto *rejilla = new QGridLayout(panel);
    Combo2 = new QComboBox(panel);
    Combo2->setObjectName(QStringLiteral("Combo2"));
    ListView1 = new QTreeView(panel);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
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
    connect(ListView1, &QTreeView::clicked, this,
            [this](const QModelIndex &i) { penasel = i.row() + 1; });
    return panel;
}

void Principal::resumen() {}
