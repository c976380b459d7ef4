// Tab "Estadísticas": number statistics, the draw list and the chart.
#include "stats/pestanaestadisticas.h"
#include "archive/fechas.h"
#include "archive/texto.h"
#include "reports/informes.h"
#include "reports/motor.h"
#include "session/sesion.h"
#include "stats/modelosorteos.h"
#include "widgets/avisos.h"
#include "widgets/ejes.h"
#include "widgets/escritorio.h"
#include "widgets/letra.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QTreeView>
#include <QValueAxis>
#include <climits>
#include <cmath>

PestanaEstadisticas::PestanaEstadisticas(Sesion &sesion, QWidget *parent) : Pestana(sesion, parent)
{
    QWidget *panel = this;
    auto *rejilla = new QGridLayout(panel);

    auto *filtros = new QHBoxLayout;
    const char *const titulos[10] = {"Jueves", "Sábado", "Comparativa", nullptr, nullptr,
                                     "Todos",  "",       nullptr,       nullptr, "Lunes"};
    // The days in the order of the week.
    for (int i : {9, 0, 1, 2, 5, 6}) {
        Check3[i] = new QCheckBox(u(titulos[i]), panel);
        Check3[i]->setObjectName(QStringLiteral("Check3_%1").arg(i));
        connect(Check3[i], &QCheckBox::clicked, this, [this, i] { Check3_Click(i); });
        filtros->addWidget(Check3[i]);
    }
    // The program starts over every draw of every day.
    Check3[9]->setChecked(true);
    Check3[0]->setChecked(true);
    Check3[1]->setChecked(true);
    Check3[5]->setChecked(true);
    auto *deslizador = new QSlider(Qt::Horizontal, panel);
    deslizador->setObjectName(QStringLiteral("Slider1_0"));
    deslizador->setAccessibleName(u("Meses del periodo"));
    deslizador->setRange(stats::mesesValidos(0), stats::mesesValidos(INT_MAX));
    deslizador->setVisible(false);
    Slider1_0 = deslizador;
    connect(Slider1_0, &QSlider::valueChanged, this, &PestanaEstadisticas::Slider1_Change);
    filtros->addWidget(Slider1_0, 1);
    Check3[6]->setText(stats::tituloPeriodo(Slider1_0->value()));
    rejilla->addLayout(filtros, 0, 0, 1, 2);

    Label21 = new QLabel(panel);
    Label21->setObjectName(QStringLiteral("Label21"));
    Label21->setWordWrap(true);
    Label27 = new QLabel(panel);
    Label27->setObjectName(QStringLiteral("Label27"));
    Label27->setWordWrap(true);
    Label7 = new QLabel(panel);
    Label7->setObjectName(QStringLiteral("Label7"));
    rejilla->addWidget(Label21, 1, 0, 1, 2);
    rejilla->addWidget(Label27, 2, 0);
    rejilla->addWidget(Label7, 2, 1);

    ListView3 = new QTreeView(panel);
    ListView3->setObjectName(QStringLiteral("ListView3"));
    ListView3->setRootIsDecorated(false);
    ListView3->setUniformRowHeights(true);
    ListView3->setAccessibleName(u("Sorteos seleccionados"));
    modeloSorteos_ = new ModeloSorteos(this);
    ListView3->setModel(modeloSorteos_);
    ListView3->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    {
        // Wide enough for the longest row, so that the weekday of "Fecha" is never cut.
        const QFontMetrics numeros(letraFija(true));
        const QFontMetrics resto(ListView3->font());
        const int margenes = 3 * 2 * ListView3->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) +
                             3 * 12 + ListView3->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                             2 * ListView3->frameWidth();
        ListView3->setMinimumWidth(
            numeros.horizontalAdvance(QStringLiteral("22-28-30-35-38-43  C: 33  R: 8")) +
            resto.horizontalAdvance(QStringLiteral("0000000")) +
            resto.horizontalAdvance(u("00/00/0000  Miércoles")) + margenes);
    }
    rejilla->addWidget(ListView3, 3, 0, 3, 1);

    MSChart1 = new QChartView(panel);
    MSChart1->setObjectName(QStringLiteral("MSChart1"));
    MSChart1->setMinimumSize(420, 300);
    MSChart1->chart()->legend()->setVisible(false);
    MSChart1->chart()->setMargins(QMargins(2, 2, 2, 2));
    rejilla->addWidget(MSChart1, 3, 1);

    HScroll2 = new QScrollBar(Qt::Horizontal, panel);
    HScroll2->setObjectName(QStringLiteral("HScroll2"));
    HScroll2->setAccessibleName(u("Números del gráfico"));
    HScroll2->setRange(1, 2);
    HScroll2->setPageStep(1);
    connect(HScroll2, &QScrollBar::valueChanged, this, &PestanaEstadisticas::HScroll2_Change);
    rejilla->addWidget(HScroll2, 4, 1);

    Frame5 = new QFrame(panel);
    Frame5->setObjectName(QStringLiteral("Frame5"));
    Frame5->setFrameShape(QFrame::StyledPanel);
    auto *leyenda = new QHBoxLayout(Frame5);
    for (const char *dia : {"Lunes", "Jueves", "Sábado"}) {
        auto *l = new QLabel(u(dia), Frame5);
        leyenda->addWidget(l);
    }
    Frame5->setVisible(false);
    rejilla->addWidget(Frame5, 5, 1);
    // The chart needs the room: twenty-five labelled bars side by side.
    rejilla->setColumnStretch(0, 2);
    rejilla->setColumnStretch(1, 3);

    connect(ListView3, &QTreeView::clicked, this,
            [this](const QModelIndex &i) { ListView3_ItemClick(i.row() + 1); });
    // A refresh counts over the filter in force, as a click on it does: a ticked period must
    // not give way to every draw while the description still names the period.
    connect(&sesion_, &Sesion::refresco, this, [this] { estadisticas(desdeFiltro()); });
    connect(&sesion_, &Sesion::filtroCambiado, this, &PestanaEstadisticas::aplicaFiltro);
    connect(&sesion_, &Sesion::sorteosCambiados, this, [this](const CambioSorteos &c) {
        // A draw deleted from this list is shown again by the deletion itself.
        if (c.tipo == CambioSorteos::Tipo::BorradoUno)
            return;
        estadisticas(desdeFiltro());
        describeestadisticas();
    });
    connect(&sesion_, &Sesion::resultadosAlPrincipio, this, &PestanaEstadisticas::primerGrafico);
}

void PestanaEstadisticas::estadisticas(double fecha)
{
    if (recuperando_)
        return;
    const std::vector<Sorteo> &sorteos = sesion_.sorteos().sorteos();
    const stats::FiltroDias dias = sesion_.filtro().dias();
    // The same draws, days and first date give the same list, counts and report row: a
    // refresh of the results or a second signal of one change costs nothing here.
    if (entradas_ && entradas_->iguales(sorteos, dias, fecha)) {
        pintaGrafico();
        return;
    }
    entradas_.reset();
    stats::Resultado r = stats::estadisticas(sorteos, dias, fecha, &textosFecha_);
    if (r.ilegible != 0) {
        recuperaArchivo();
        return;
    }
    entradas_ = stats::Entradas{sorteos, dias, fecha};
    ++pasadas_;
    // A report database that cannot be written only leaves the printed report behind; the
    // report start says so when the user asks for it.
    if (r.hayFrase)
        informes::escribeFrase(sesion_.carpeta(), r.frase);
    modeloSorteos_->pon(std::move(r.filas));
    const int total = r.total;
    sesion_.ponEstadistica(std::move(r));
    Label7->setText(QStringLiteral("TOTAL: %1 sorteos.").arg(total));
    pintaGrafico();
}

void PestanaEstadisticas::recuperaArchivo()
{
    recuperando_ = true;
    const Sesion::Apartado a = sesion_.apartaArchivo();
    recuperando_ = false;
    if (!a.copiado) {
        Escritorio::actual().aviso(
            u("Archivo de números ganadores no válido. No se ha podido guardar una copia, así "
              "que el archivo de sorteos se deja como está."),
            u("Error de lectura"), Escritorio::Icono::Exclamacion);
        return;
    }
    if (!escrito(a.vaciado, QStringLiteral("numeros.dat")))
        return;
    Escritorio::actual().aviso(u("Archivo de números ganadores no válido. Los sorteos grabados "
                                 "se han guardado en ") +
                                   QDir::toNativeSeparators(a.copia) +
                                   u(" y se empieza un archivo de sorteos vacío."),
                               u("Error de lectura"), Escritorio::Icono::Exclamacion);
    // The session's refresh came while this pass was still on the unreadable archive.
    estadisticas(desdeFiltro());
}

void PestanaEstadisticas::describeestadisticas()
{
    const stats::Filtro &f = sesion_.filtro();
    const stats::Descripcion d = stats::describe(sesion_.estadistica(), f.dias(), f.todos, f.meses);
    Label21->setText(d.periodo);
    Label27->setText(d.dias);
    // Only this pass's row of the printed report is lost: the message says which file
    // refused it and why, once until it can be written again.
    ErrorBase error;
    if (!informes::escribeSorteos(sesion_.carpeta(), d.fila, &error)) {
        if (!baseAvisada_)
            Escritorio::actual().aviso(informes::textoFallo(sesion_.carpeta(), error), u("¡Error!"),
                                       Escritorio::Icono::Informacion);
        baseAvisada_ = true;
    } else {
        baseAvisada_ = false;
    }
}

void PestanaEstadisticas::Check3_Click(int i)
{
    sesion_.ponFiltro(stats::pulsa(sesion_.filtro(), i, Check3[i]->isChecked()));
}

void PestanaEstadisticas::Slider1_Change(int valor)
{
    sesion_.ponMeses(valor);
}

void PestanaEstadisticas::aplicaFiltro()
{
    const stats::Filtro &f = sesion_.filtro();
    Check3[9]->setChecked(f.lunes);
    Check3[0]->setChecked(f.jueves);
    Check3[1]->setChecked(f.sabado);
    Check3[2]->setChecked(f.comparativa);
    for (int i : {9, 0, 1})
        Check3[i]->setEnabled(!f.comparativa);
    Frame5->setVisible(f.comparativa);
    Check3[5]->setChecked(f.todos);
    Check3[6]->setChecked(!f.todos);
    Check3[6]->setText(stats::tituloPeriodo(f.meses));
    {
        const QSignalBlocker bloqueo(Slider1_0);
        Slider1_0->setValue(f.meses);
    }
    Slider1_0->setVisible(!f.todos);
    // The period counts only while it is the filter in force; with "Todos" the pass keeps
    // every draw, so the list never disagrees with the description.
    estadisticas(desdeFiltro());
    describeestadisticas();
}

double PestanaEstadisticas::desdeFiltro() const
{
    const stats::Filtro &f = sesion_.filtro();
    return f.todos ? 0 : stats::desdePeriodo(fechas::serial(sesion_.hoy()), f.meses);
}

void PestanaEstadisticas::HScroll2_Change()
{
    pintaGrafico();
}

void PestanaEstadisticas::pintaGrafico()
{
    const bool segunda = HScroll2->value() != 1;
    const bool comparativa = Check3[2]->isChecked();
    // Drawn again only when something it shows changed: a chart is costly to build.
    const Grafico dibujo{pasadas_, segunda, comparativa};
    if (dibujo == grafico_)
        return;
    grafico_ = dibujo;
    const auto tabla = stats::tabla(sesion_.estadistica().cuentas, segunda, comparativa);

    QChart *grafico = MSChart1->chart();
    vaciaGrafico(*grafico);

    // One set of bars per day with "Comparativa", in the order of the table's values. Each
    // day has had its own number of draws (Mondays only since 2022): the bars are the share of
    // that day's draws the number came out in, so the days compare.
    auto *serie = new QBarSeries;
    QList<QBarSet *> conjuntos;
    if (comparativa) {
        for (const char *dia : {"Lunes", "Jueves", "Sábado"})
            conjuntos.append(new QBarSet(u(dia)));
    } else {
        conjuntos.append(new QBarSet(u("Veces")));
    }
    QStringList etiquetas;
    int maximo = 1;
    double maximoPorcentaje = 0;
    for (const stats::FilaTabla &f : tabla) {
        etiquetas.append(f.etiqueta.trimmed());
        if (comparativa) {
            for (qsizetype k = 0; k < conjuntos.size(); ++k) {
                conjuntos[k]->append(f.porcentaje[size_t(k)]);
                maximoPorcentaje = std::max(maximoPorcentaje, f.porcentaje[size_t(k)]);
            }
        } else {
            conjuntos[0]->append(f.valor1);
            maximo = std::max(maximo, f.valor1);
        }
    }
    serie->append(conjuntos);
    grafico->addSeries(serie);
    auto *ejeX = new QBarCategoryAxis;
    ejeX->append(etiquetas);
    // Twenty-five numbers side by side only fit in a smaller type, and without the blank the
    // table puts before them; ponEtiquetasEnteras makes it smaller still where bars are narrow.
    QFont letra = ejeX->labelsFont();
    letra.setPointSizeF(letra.pointSizeF() * 0.65);
    ejeX->setLabelsFont(letra);
    auto *ejeY = new QValueAxis;
    if (comparativa) {
        // Whole percents up to the tallest bar, rounded up to the next 5.
        ejeY->setRange(0, std::max(5.0, std::ceil(maximoPorcentaje / 5.0) * 5.0));
        ejeY->setLabelFormat(QStringLiteral("%.0f %%"));
        ejeY->setTitleText(u("% de los sorteos de cada día"));
    } else {
        ponEjeEntero(*ejeY, maximo);
    }
    grafico->addAxis(ejeX, Qt::AlignBottom);
    grafico->addAxis(ejeY, Qt::AlignLeft);
    serie->attachAxis(ejeX);
    serie->attachAxis(ejeY);
    ponEtiquetasEnteras(*grafico, *ejeX);
    grafico->legend()->setVisible(comparativa);
}

void PestanaEstadisticas::ListView3_ItemClick(int fila)
{
    if (sesion_.borradoactivo() != 1 || !ListView3->model())
        return;
    // The list keeps each row's record number; with every draw shown, row i is the i-th newest.
    const QVariant registro = ListView3->model()->index(fila - 1, 0).data(Qt::UserRole);
    const int d = registro.isValid() ? registro.toInt() : sesion_.proximosorteo() - fila;
    const std::vector<Sorteo> &sorteos = sesion_.sorteos().sorteos();
    if (d < 1 || d > static_cast<int>(sorteos.size()))
        return;
    // The question names the draw, so that a click on the wrong row is caught before it counts.
    if (!Escritorio::actual().preguntaPeligrosa(
            u("¿Seguro que quieres eliminar el sorteo del ") +
                fechas::textoLargo(sorteos[size_t(d - 1)].fecha) + u("?"),
            u("Borrar...")))
        return;
    if (!escrito(sesion_.borraSorteo(d), QStringLiteral("numeros.dat")))
        return;
    // One pass gives the list, "TOTAL" and the description again, so they cannot disagree; the
    // list stays where the user was.
    const int posicion = ListView3->verticalScrollBar()->value();
    aplicaFiltro();
    ListView3->verticalScrollBar()->setValue(posicion);
}

void PestanaEstadisticas::primerGrafico()
{
    HScroll2->setValue(1);
}
