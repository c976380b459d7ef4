// Tab 3 "Estadísticas": number statistics, the draw list and the charts.
#include "app/principal.h"

#include <QGridLayout>
#include <QScrollBar>
#include <QSlider>
#include <QTreeView>

QWidget *Principal::construyeEstadisticas()
{
    auto *panel = new QWidget;
    auto *rejilla = new QGridLayout(panel);
    for (int i = 0; i < 2; ++i) {
        auto *s = new QSlider(Qt::Horizontal, panel);
        s->setObjectName(QStringLiteral("Slider1_%1").arg(i));
        s->setRange(0, 1000);
        Slider1[i] = s;
        rejilla->addWidget(s, 0, i);
    }
    ListView3 = new QTreeView(panel);
    ListView3->setObjectName(QStringLiteral("ListView3"));
    ListView3->setRootIsDecorated(false);
    rejilla->addWidget(ListView3, 1, 0, 1, 2);
    HScroll2 = new QScrollBar(Qt::Horizontal, panel);
    HScroll2->setObjectName(QStringLiteral("HScroll2"));
    HScroll2->setRange(1, 2);
    rejilla->addWidget(HScroll2, 2, 0, 1, 2);
    return panel;
}

void Principal::estadisticas(double) {}

void Principal::describeestadisticas() {}
