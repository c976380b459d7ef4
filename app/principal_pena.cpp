// Syndicate manager: the details of the syndicate shown (its bets, counters, played draws and
// kind), the money report and the syndicate report button.
#include "app/imagen.h"
#include "app/principal.h"
#include "reports/dinero.h"
#include "reports/informes.h"
#include "reports/listado.h"
#include "reports/modeloapuestas.h"
#include "reports/motor.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeView>
#include <QValueAxis>

namespace {
QString u(const char *texto)
{
    return QString::fromUtf8(texto);
}

QLabel *etiqueta(QWidget *padre, const QString &nombre, const QString &texto = {})
{
    auto *l = new QLabel(texto, padre);
    l->setObjectName(nombre);
    return l;
}
} // namespace

void Principal::construyePena(QWidget *gestor)
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
    MSChart3->setMinimumSize(220, 180);
    rejilla->addWidget(MSChart3, 0, 3, 6, 1);

    // The report button and the counter labels are the manager's own (principal_gestor.cpp).
    if (Image2[1])
        connect(Image2[1], &Imagen::clicked, this, [this] { Image2_Click(1); });

    if (auto *g = qobject_cast<QGridLayout *>(gestor->layout()))
        g->addWidget(panel, g->rowCount(), 0, 1, -1);
    else if (gestor->layout())
        gestor->layout()->addWidget(panel);

    pintaGraficoPena(0, 0);
}

void Principal::pintaGraficoPena(int sinPremio, int premios)
{
    QChart *grafico = MSChart3->chart();
    grafico->removeAllSeries();
    for (QAbstractAxis *eje : grafico->axes())
        grafico->removeAxis(eje);
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
    auto *ejeY = new QValueAxis;
    ejeY->setRange(0, std::max({1, sinPremio, premios}));
    ejeY->setLabelFormat(QStringLiteral("%d"));
    grafico->addAxis(ejeX, Qt::AlignBottom);
    grafico->addAxis(ejeY, Qt::AlignLeft);
    serie->attachAxis(ejeX);
    serie->attachAxis(ejeY);
}

void Principal::muestrapena(int registro)
{
    const int r = registro;
    if (!ListView5)
        return;
    const listado::Ficha f = listado::ficha(penas_.penas(), r, sorteos_.sorteos(), QLocale());
    if (f.error != 0) {
        Escritorio::actual().aviso(
            u("Posiblemente el fichero de apuestas está corrupto. Error %1").arg(f.error),
            u("¡Vaya hombre!"), Escritorio::Icono::Exclamacion);
        return;
    }
    ErrorBase error;
    const bool escrita = informes::escribePenanums(carpeta_, f.apuestas, &error);

    if (f.vacia) {
        penaMostrada_ = Pena{};
        modeloApuestas_->pon({});
        for (QLabel *l : Label3)
            if (l)
                l->setText(QStringLiteral("0"));
        Label28->clear();
        Label29->clear();
    } else {
        penaMostrada_ = penas_.lee(r);
        modeloApuestas_->pon(f.apuestas);
        ListView5->setFixedHeight(qRound(f.altoTwips / 15.0)); // 15 twips a pixel
        ListView5->setProperty("altoTwips", f.altoTwips);
        for (int i = 0; i < 5; ++i)
            if (Label3[i])
                Label3[i]->setText(QString::number(f.contadores[static_cast<size_t>(i)]));
        Label28->setText(f.tipo);
        Label29->setText(f.elegidos);
    }
    Label17->setText(f.jugados);
    Label16->setText(f.efectividad);
    pintaGraficoPena(f.sinPremio, f.premios);

    // The figures above come from the record files; a report database that cannot be written
    // even after being made again only costs the printed report, never the program.
    if (!escrita || !informedinero()) {
        Escritorio::actual().aviso(u("Un archivo necesario para el funcionamiento del programa ha "
                                     "sido modificado o eliminado. Reinstale el programa. Error %1")
                                       .arg(informes::kSinBase),
                                   u("¡Vaya hombre!"), Escritorio::Icono::Exclamacion);
    }
}

bool Principal::informedinero()
{
    const informes::FilaPena fila =
        dinero::filaPena(penaMostrada_, ajustes_.precio, Label16->text(), Label17->text());
    float leido = fila.dinero;
    const bool escrita = informes::escribePena(carpeta_, fila, &leido);
    Label37->setText(dinero::textoEuros(leido, QLocale()));
    if (Image2[0])
        Image2[0]->setProperty("imagen", 5); // its greyed picture
    return escrita;
}
