// Tab 3 "Estadísticas": number statistics, the draw list and the charts; the report buttons.
#include "app/avisos.h"
#include "app/imagen.h"
#include "app/principal.h"
#include "archive/fechas.h"
#include "reports/informes.h"
#include "reports/motor.h"
#include "reports/vistainforme.h"
#include "stats/modelosorteos.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QTreeView>
#include <QValueAxis>

namespace {
QString u(const char *texto)
{
    return QString::fromUtf8(texto);
}

// Far more than any archive holds; a larger file is not copied, and so not emptied either.
constexpr qint64 kMaximoCopia = qint64(64) << 20;

// Where the statistics pass keeps an archive it could not read: beside it, named after the
// moment it was found, never over an earlier copy.
QString rutaCopia(const QString &archivo, const QDateTime &cuando)
{
    const QFileInfo info(archivo);
    const QString base = info.dir().filePath(
        QStringLiteral("numeros-%1").arg(cuando.toString(QStringLiteral("yyyyMMdd-HHmmss"))));
    QString ruta = base + QStringLiteral(".dat");
    for (int n = 2; QFileInfo::exists(ruta); ++n)
        ruta = base + QStringLiteral("-%1.dat").arg(n);
    return ruta;
}
} // namespace

QWidget *Principal::construyeEstadisticas()
{
    auto *panel = new QWidget;
    auto *rejilla = new QGridLayout(panel);

    auto *filtros = new QHBoxLayout;
    const char *const titulos[9] = {"Jueves", "Sábado", "Comparativa", nullptr, nullptr,
                                    "Todos",  "",       nullptr,       nullptr};
    for (int i : {0, 1, 2, 5, 6}) {
        Check3[i] = new QCheckBox(u(titulos[i]), panel);
        Check3[i]->setObjectName(QStringLiteral("Check3_%1").arg(i));
        connect(Check3[i], &QCheckBox::clicked, this, [this, i] { Check3_Click(i); });
        filtros->addWidget(Check3[i]);
    }
    // The program starts over every draw of both days.
    Check3[0]->setChecked(true);
    Check3[1]->setChecked(true);
    Check3[5]->setChecked(true);
    for (int i = 0; i < 2; ++i) {
        auto *s = new QSlider(Qt::Horizontal, panel);
        s->setObjectName(QStringLiteral("Slider1_%1").arg(i));
        s->setAccessibleName(u("Meses del periodo"));
        // A whole archive goes back about forty years.
        s->setRange(1, 500);
        s->setVisible(false);
        Slider1[i] = s;
        connect(s, &QSlider::valueChanged, this, [this, i](int v) { Slider1_Change(i, v); });
        filtros->addWidget(s, 1);
    }
    Check3[6]->setText(stats::tituloPeriodo(Slider1[0]->value()));
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
    connect(HScroll2, &QScrollBar::valueChanged, this, &Principal::HScroll2_Change);
    rejilla->addWidget(HScroll2, 4, 1);

    Frame5 = new QFrame(panel);
    Frame5->setObjectName(QStringLiteral("Frame5"));
    Frame5->setFrameShape(QFrame::StyledPanel);
    auto *leyenda = new QHBoxLayout(Frame5);
    for (const char *dia : {"Jueves", "Sábado"}) {
        auto *l = new QLabel(u(dia), Frame5);
        leyenda->addWidget(l);
    }
    Frame5->setVisible(false);
    rejilla->addWidget(Frame5, 5, 1);
    // The chart needs the room: twenty-five labelled bars side by side.
    rejilla->setColumnStretch(0, 2);
    rejilla->setColumnStretch(1, 3);
    return panel;
}

double Principal::hoySerial() const
{
    return fechas::serial(hoy());
}

void Principal::estadisticas(double fecha)
{
    if (!ListView3 || recuperando_)
        return;
    const stats::FiltroDias filtro{Check3[0]->isChecked(), Check3[1]->isChecked()};
    stats::Resultado r = stats::estadisticas(sorteos_.sorteos(), filtro, fecha, estadistica_);
    if (r.ilegible != 0) {
        recuperaArchivo();
        return;
    }
    // A report database that cannot be written only leaves the printed report behind; the
    // report start says so when the user asks for it.
    if (r.hayFrase)
        informes::escribeFrase(carpeta_, r.frase);
    modeloSorteos_->pon(std::move(r.filas));
    estadistica_ = std::move(r);
    Label7->setText(QStringLiteral("TOTAL: %1 sorteos.").arg(estadistica_.total));
    pintaGrafico();
}

void Principal::recuperaArchivo()
{
    recuperando_ = true;
    const QString copia = rutaCopia(sorteos_.ruta(), Escritorio::actual().ahora());
    // Copied through our own writer: a copy is only there when all its bytes reached the disk.
    QByteArray contenido;
    if (!archivos::lee(sorteos_.ruta(), kMaximoCopia, contenido) ||
        archivos::escribe(copia, contenido) != Escritura::Hecha) {
        // Without a copy the draws would be lost: leave the archive as it is.
        Escritorio::actual().aviso(
            u("Archivo de números ganadores no válido. No se ha podido guardar una copia, así "
              "que el archivo de sorteos se deja como está."),
            u("Error de lectura"), Escritorio::Icono::Exclamacion);
        recuperando_ = false;
        return;
    }
    if (!escrito(sorteos_.reescribe({}), QStringLiteral("numeros.dat"))) {
        recuperando_ = false;
        return;
    }
    Escritorio::actual().aviso(u("Archivo de números ganadores no válido. Los sorteos grabados "
                                 "se han guardado en ") +
                                   QDir::toNativeSeparators(copia) +
                                   u(" y se empieza un archivo de sorteos vacío."),
                               u("Error de lectura"), Escritorio::Icono::Exclamacion);
    recuperando_ = false;
    recuenta();
    refresca();
}

void Principal::describeestadisticas()
{
    if (!Label21)
        return;
    filtroactivo = 0;
    const stats::FiltroDias filtro{Check3[0]->isChecked(), Check3[1]->isChecked()};
    const stats::Descripcion d =
        stats::describe(estadistica_, filtro, Check3[5]->isChecked(), Slider1[0]->value());
    Label21->setText(d.periodo);
    Label27->setText(d.dias);
    if (!informes::escribeSorteos(carpeta_, d.fila)) {
        Escritorio::actual().aviso(u("Sistema operativo no actualizado. El programa no "
                                     "funcionará correctamente. Error %1")
                                       .arg(informes::kSinBase),
                                   u("¡Error!"), Escritorio::Icono::Informacion);
    }
}

void Principal::Check3_Click(int i)
{
    if (filtroactivo)
        return;
    filtroactivo = 1;
    auto marcado = [this](int k) { return Check3[k] && Check3[k]->isChecked(); };
    auto pon = [this](int k, bool valor) {
        if (Check3[k])
            Check3[k]->setChecked(valor);
    };
    // A click on a copy among the creation tab's filters counts as a click on the original.
    if (i == 3)
        pon(0, marcado(3));
    if (i == 4)
        pon(1, marcado(4));
    if (marcado(2)) {
        pon(0, true);
        pon(1, true);
        Check3[0]->setEnabled(false);
        Check3[1]->setEnabled(false);
        Frame5->setVisible(true);
    } else {
        Check3[0]->setEnabled(true);
        Check3[1]->setEnabled(true);
        Frame5->setVisible(false);
    }
    pon(3, marcado(0));
    pon(4, marcado(1));
    // "Todos" and the period exclude each other.
    if (i == 5 || i == 7) {
        const bool todos = marcado(i);
        pon(i == 5 ? 7 : 5, todos);
        pon(6, !todos);
        pon(8, !todos);
    } else if (i == 6 || i == 8) {
        const bool periodo = marcado(i);
        pon(i == 6 ? 8 : 6, periodo);
        pon(5, !periodo);
        pon(7, !periodo);
    }
    aplicaperiodo(marcado(5) ? 0 : 1);
}

void Principal::aplicaperiodo(int modo)
{
    if (modo == 1) {
        estadisticas(stats::desdePeriodo(hoySerial(), Slider1[0]->value()));
        for (QAbstractSlider *s : Slider1)
            s->setVisible(true);
        if (Check3[8])
            Check3[8]->setChecked(Check3[6]->isChecked());
    } else {
        for (QAbstractSlider *s : Slider1)
            s->setVisible(false);
        estadisticas(0);
        if (Check3[7])
            Check3[7]->setChecked(Check3[5]->isChecked());
    }
    describeestadisticas();
}

void Principal::Slider1_Change(int i, int valor)
{
    const QString titulo = stats::tituloPeriodo(valor);
    for (int k : {6, 8})
        if (Check3[k])
            Check3[k]->setText(titulo);
    // The period counts only while it is the filter in force; with "Todos" the pass keeps
    // every draw, so the list never disagrees with the description.
    estadisticas(Check3[5]->isChecked() ? 0 : stats::desdePeriodo(hoySerial(), valor));
    if (QAbstractSlider *otro = Slider1[1 - i]) {
        const QSignalBlocker bloqueo(otro);
        otro->setValue(valor);
    }
    describeestadisticas();
}

void Principal::HScroll2_Change()
{
    pintaGrafico();
}

void Principal::pintaGrafico()
{
    if (!MSChart1)
        return;
    const bool segunda = HScroll2->value() != 1;
    const bool comparativa = Check3[2]->isChecked();
    const auto tabla = stats::tabla(estadistica_.cuentas, segunda, comparativa);

    QChart *grafico = MSChart1->chart();
    grafico->removeAllSeries();
    for (QAbstractAxis *eje : grafico->axes())
        grafico->removeAxis(eje);

    auto *serie = new QBarSeries;
    auto *primera = new QBarSet(comparativa ? u("Jueves") : u("Veces"));
    QBarSet *otra = comparativa ? new QBarSet(u("Sábado")) : nullptr;
    QStringList etiquetas;
    int maximo = 1;
    for (const stats::FilaTabla &f : tabla) {
        etiquetas.append(f.etiqueta);
        primera->append(f.valor1);
        maximo = std::max(maximo, f.valor1);
        if (otra) {
            otra->append(f.valor2);
            maximo = std::max(maximo, f.valor2);
        }
    }
    serie->append(primera);
    if (otra)
        serie->append(otra);
    grafico->addSeries(serie);
    auto *ejeX = new QBarCategoryAxis;
    ejeX->append(etiquetas);
    // Twenty-five numbers side by side only fit in a smaller type.
    QFont letra = ejeX->labelsFont();
    letra.setPointSizeF(letra.pointSizeF() * 0.75);
    ejeX->setLabelsFont(letra);
    auto *ejeY = new QValueAxis;
    ejeY->setRange(0, maximo);
    ejeY->setLabelFormat(QStringLiteral("%d"));
    grafico->addAxis(ejeX, Qt::AlignBottom);
    grafico->addAxis(ejeY, Qt::AlignLeft);
    serie->attachAxis(ejeX);
    serie->attachAxis(ejeY);
    grafico->legend()->setVisible(comparativa);
}

bool Principal::frecuencias(int k)
{
    const stats::Ranking r = stats::ranking(estadistica_.cuentas);
    masfrecuentes = r.numeros;
    return informes::escribeNumeros(carpeta_, stats::primeros(r, k));
}

void Principal::Image2_Click(int i)
{
    if (i < 0 || i > 1)
        return;
    const informes::Informe informe = informes::prepara(carpeta_, i, QLocale(), hoy());
    if (informe.error != 0) {
        Escritorio::actual().aviso(
            u("Error %1. No es posible mostrar el informe. Si el error persiste, reinstalar el "
              "programa puede ser la solución.")
                .arg(informe.error),
            u("Error"), Escritorio::Icono::Informacion);
        return;
    }
    if (vistaInforme_)
        vistaInforme_->close();
    vistaInforme_ = new VistaInforme(
        informe.html, i == 0 ? u("Informe estadístico") : u("Informe de la peña"), this);
    vistaInforme_->show();
}
