#include "apoyo/carpetaprueba.h"
#include "apoyo/escritorioprueba.h"
#include "apoyo/leebase.h"
#include "apoyo/pestanas.h"
#include "app/principal.h"
#include "archive/fechas.h"
#include "reports/basedatos.h"
#include "reports/informes.h"

#include <QAbstractItemModel>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTreeView>
#include <QValueAxis>

namespace {
const QDate kHoy(2026, 4, 2); // a Thursday

// Every Monday, Thursday and Saturday from 5 June 2025 to today, numbers n..n+5 moving along.
std::vector<Sorteo> sorteosDePrueba()
{
    std::vector<Sorteo> s;
    int k = 0;
    for (QDate d(2025, 6, 5); d <= kHoy; d = d.addDays(1))
        if (d.dayOfWeek() == 1 || d.dayOfWeek() == 4 || d.dayOfWeek() == 6)
            s.push_back(sorteoDe(d, (k++ * 7) % 43 + 1));
    return s;
}

// The draws of the ticked days on or after `desde` (the archive holds no other weekday).
int cuantosDesde(const std::vector<Sorteo> &s, double desde, bool lunes, bool jueves, bool sabado)
{
    int n = 0;
    for (const Sorteo &x : s) {
        const QString dia = diasemana(x.fecha);
        const bool entra = (lunes && dia == QStringLiteral("Lunes")) ||
                           (jueves && dia == QStringLiteral("Jueves")) ||
                           (sabado && dia == QString::fromUtf8("Sábado"));
        if (entra && !(x.fecha < desde))
            ++n;
    }
    return n;
}

// Where a widget stands in the layouts of its parent, nested ones included: the order in which
// a row of boxes is shown, whether or not the tab was ever laid out on screen.
int posicion(QLayout *capa, QWidget *w)
{
    if (const int i = capa->indexOf(w); i >= 0)
        return i;
    for (int i = 0; i < capa->count(); ++i)
        if (QLayout *hija = capa->itemAt(i)->layout())
            if (const int j = posicion(hija, w); j >= 0)
                return j;
    return -1;
}

QBarSeries *barras(QChartView *v)
{
    return qobject_cast<QBarSeries *>(v->chart()->series().value(0));
}

QList<qreal> valores(QChartView *v, int conjunto)
{
    const auto series = v->chart()->series();
    auto *barras = qobject_cast<QBarSeries *>(series.value(0));
    QList<qreal> r;
    if (!barras || conjunto >= barras->count())
        return r;
    QBarSet *set = barras->barSets().at(conjunto);
    for (int i = 0; i < set->count(); ++i)
        r.append(set->at(i));
    return r;
}
} // namespace

class TstPestana : public QObject {
    Q_OBJECT

    EscritorioPrueba *escritorio = nullptr;
    std::unique_ptr<CarpetaPrueba> carpeta;
    std::vector<Sorteo> sorteos;

    std::unique_ptr<Principal> abre()
    {
        auto w = std::make_unique<Principal>(carpeta->ruta());
        return w;
    }
    static QCheckBox *caja(Principal &w, int i)
    {
        return w.findChild<QCheckBox *>(QStringLiteral("Check3_%1").arg(i));
    }
    static int filas(Principal &w)
    {
        return w.findChild<QTreeView *>(QStringLiteral("ListView3"))->model()->rowCount();
    }
    static QChartView *grafico(Principal &w) { return control<QChartView>(w, "MSChart1"); }
    static QString texto(Principal &w, const char *nombre)
    {
        return w.findChild<QLabel *>(QString::fromLatin1(nombre))->text();
    }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        escritorio = EscritorioPrueba::instala(kHoy);
        carpeta = std::make_unique<CarpetaPrueba>();
        sorteos = sorteosDePrueba();
        carpeta->escribeSorteos(sorteos);
    }
    void cleanup()
    {
        carpeta.reset();
        Escritorio::sustituye(nullptr);
    }

    void alArrancarCuentaTodosLosSorteos()
    {
        auto w = abre();
        const int n = static_cast<int>(sorteos.size());
        QCOMPARE(filas(*w), n);
        QCOMPARE(texto(*w, "Label7"), QStringLiteral("TOTAL: %1 sorteos.").arg(n));
        QVERIFY(
            texto(*w, "Label21")
                .startsWith(QStringLiteral(
                    "-Tiene seleccionados todos los sorteos. Desde el 05/06/2025 al 02/04/2026")));
        QVERIFY(w->findChild<QSlider *>(QStringLiteral("Slider1_0"))->isHidden());
        // The newest draw in bold, the record number behind each row.
        QAbstractItemModel *m = w->findChild<QTreeView *>(QStringLiteral("ListView3"))->model();
        QCOMPARE(m->headerData(0, Qt::Horizontal).toString(),
                 QString::fromUtf8("Números ganadores"));
        QCOMPARE(m->data(m->index(0, 0)).toString(), stats::textoSorteo(sorteos.back()));
        QVERIFY(m->data(m->index(0, 0), Qt::FontRole).value<QFont>().bold());
        QCOMPARE(m->data(m->index(0, 2)).toString(), QStringLiteral("02/04/2026  Jueves"));
        QCOMPARE(m->data(m->index(0, 0), Qt::UserRole).toInt(), n);
        // What the statistics report prints.
        const QString base = QDir(carpeta->ruta()).filePath(QStringLiteral("Bolarium.mdb"));
        auto r = leeBase(base, QStringLiteral("SELECT \"Frase\" FROM \"Informe\""));
        QCOMPARE(r.filas.value(0).value(0).toString(), stats::textoSorteo(sorteos.back()));
        r = leeBase(base,
                    QStringLiteral(
                        "SELECT \"Dia1\", \"Dia2\", \"Total\", \"Diasajugar\" FROM \"Sorteos\""));
        QCOMPARE(r.filas.value(0),
                 (QVariantList{QStringLiteral("2025-06-05"), QStringLiteral("2026-04-02"),
                               qint64(n), QString::fromUtf8("Lunes, jueves y sábado.")}));
    }

    void alArrancarLosTresDiasEstanMarcados()
    {
        auto w = abre();
        // Monday first, the days in the order of the week.
        QCOMPARE(caja(*w, 9)->text(), QStringLiteral("Lunes"));
        for (int i : {9, 0, 1})
            QVERIFY(caja(*w, i)->isChecked() && caja(*w, i)->isEnabled());
        QLayout *fila = caja(*w, 9)->parentWidget()->layout();
        QVERIFY(posicion(fila, caja(*w, 9)) >= 0);
        QVERIFY(posicion(fila, caja(*w, 9)) < posicion(fila, caja(*w, 0)));
        QVERIFY(posicion(fila, caja(*w, 0)) < posicion(fila, caja(*w, 1)));
        QCOMPARE(texto(*w, "Label27"),
                 QString::fromUtf8("-Ha seleccionado tanto los números de los sorteos del LUNES, "
                                   "del JUEVES como los del SÁBADO."));
    }

    void cadaCasillaDeDiaQuitaSusSorteos()
    {
        auto w = abre();
        caja(*w, 9)->click();
        QCOMPARE(filas(*w), cuantosDesde(sorteos, 0, false, true, true));
        QVERIFY(filas(*w) < static_cast<int>(sorteos.size()));
        QCOMPARE(texto(*w, "Label27"),
                 QString::fromUtf8("-Ha seleccionado tanto los números de los sorteos del JUEVES, "
                                   "como los del SÁBADO."));
        QAbstractItemModel *m = w->findChild<QTreeView *>(QStringLiteral("ListView3"))->model();
        for (int fila = 0; fila < m->rowCount(); ++fila)
            QVERIFY(!m->index(fila, 2).data().toString().endsWith(QStringLiteral("Lunes")));
        caja(*w, 9)->click();
        caja(*w, 1)->click();
        QCOMPARE(filas(*w), cuantosDesde(sorteos, 0, true, true, false));
        QCOMPARE(texto(*w, "Label27"),
                 QString::fromUtf8("-Ha seleccionado tanto los números de los sorteos del LUNES, "
                                   "como los del JUEVES."));
        caja(*w, 0)->click();
        QCOMPARE(filas(*w), cuantosDesde(sorteos, 0, true, false, false));
        QCOMPARE(texto(*w, "Label27"),
                 QString::fromUtf8("-Ha seleccionado sólo los números de los sorteos del LUNES."));
        const QString base = QDir(carpeta->ruta()).filePath(QStringLiteral("Bolarium.mdb"));
        const auto r = leeBase(base, QStringLiteral("SELECT \"Diasajugar\" FROM \"Sorteos\""));
        QCOMPARE(r.filas.value(0).value(0).toString(), QStringLiteral("Lunes."));
        caja(*w, 1)->click();
        QCOMPARE(filas(*w), cuantosDesde(sorteos, 0, true, false, true));
        QCOMPARE(texto(*w, "Label27"),
                 QString::fromUtf8("-Ha seleccionado tanto los números de los sorteos del LUNES, "
                                   "como los del SÁBADO."));
    }

    void sinNingunDiaNoEntraNada()
    {
        auto w = abre();
        caja(*w, 0)->click();
        QCOMPARE(filas(*w), cuantosDesde(sorteos, 0, true, false, true));
        caja(*w, 1)->click();
        QCOMPARE(filas(*w), cuantosDesde(sorteos, 0, true, false, false));
        caja(*w, 9)->click();
        QCOMPARE(filas(*w), 0);
        QCOMPARE(texto(*w, "Label7"), QStringLiteral("TOTAL: 0 sorteos."));
        QCOMPARE(texto(*w, "Label27"),
                 QString::fromUtf8("-Ha seleccionado sólo los números de los sorteos del JUEVES."));
        for (qreal v : valores(grafico(*w), 0))
            QCOMPARE(v, 0.0);
        // The filter holds what the boxes show, and the pass is not left blocked: the next
        // click still selects draws.
        QVERIFY(!w->sesion().filtro().lunes && !w->sesion().filtro().jueves &&
                !w->sesion().filtro().sabado);
        caja(*w, 0)->click();
        QCOMPARE(filas(*w), cuantosDesde(sorteos, 0, false, true, false));
    }

    void laComparativaMarcaYBloqueaLosDias()
    {
        auto w = abre();
        caja(*w, 1)->click(); // Thursdays only
        caja(*w, 9)->click();
        caja(*w, 2)->click();
        for (int i : {9, 0, 1})
            QVERIFY(caja(*w, i)->isChecked() && !caja(*w, i)->isEnabled());
        QVERIFY(!w->findChild<QFrame *>(QStringLiteral("Frame5"))->isHidden());
        QCOMPARE(filas(*w), static_cast<int>(sorteos.size()));
        QVERIFY(barras(grafico(*w)));
        QCOMPARE(barras(grafico(*w))->count(), 3);
        QCOMPARE(barras(grafico(*w))->barSets().at(0)->label(), QStringLiteral("Lunes"));
        QCOMPARE(barras(grafico(*w))->barSets().at(1)->label(), QStringLiteral("Jueves"));
        QCOMPARE(barras(grafico(*w))->barSets().at(2)->label(), QString::fromUtf8("Sábado"));
        caja(*w, 2)->click();
        for (int i : {9, 0, 1})
            QVERIFY(caja(*w, i)->isChecked() && caja(*w, i)->isEnabled());
        QVERIFY(w->findChild<QFrame *>(QStringLiteral("Frame5"))->isHidden());
        QCOMPARE(barras(grafico(*w))->count(), 1);
        QCOMPARE(barras(grafico(*w))->barSets().at(0)->label(), QStringLiteral("Veces"));
    }

    void laComparativaSeparaLosTresDias()
    {
        // Numbers 1..6 on each Monday, 10..15 on each Thursday, 20..25 on each Saturday: five
        // Saturdays against four Mondays and four Thursdays.
        std::vector<Sorteo> marzo;
        for (QDate d(2026, 2, 28); d <= QDate(2026, 3, 29); d = d.addDays(1)) {
            if (d.dayOfWeek() == 1)
                marzo.push_back(sorteoDe(d, 1));
            else if (d.dayOfWeek() == 4)
                marzo.push_back(sorteoDe(d, 10));
            else if (d.dayOfWeek() == 6)
                marzo.push_back(sorteoDe(d, 20));
        }
        carpeta->escribeSorteos(marzo);
        auto w = abre();
        caja(*w, 2)->click();
        const QList<qreal> lunes = valores(grafico(*w), 0);
        const QList<qreal> jueves = valores(grafico(*w), 1);
        const QList<qreal> sabado = valores(grafico(*w), 2);
        QCOMPARE(lunes.size(), 25);
        QCOMPARE(jueves.size(), 25);
        QCOMPARE(sabado.size(), 25);
        const int nLunes = cuantosDesde(marzo, 0, true, false, false);
        const int nJueves = cuantosDesde(marzo, 0, false, true, false);
        const int nSabado = cuantosDesde(marzo, 0, false, false, true);
        QVERIFY(nSabado > nLunes && nSabado > nJueves);
        // Each bar is the share of its day's draws: number 1 came out in every Monday, 20 in
        // every Saturday, however many more Saturdays there were.
        QCOMPARE(lunes[0], 100.0);
        QCOMPARE(jueves[0], 0.0);
        QCOMPARE(sabado[19], 100.0);
        const auto ejes = grafico(*w)->chart()->axes(Qt::Vertical);
        QCOMPARE(ejes.size(), 1);
        QCOMPARE(ejes[0]->titleText(), QString::fromUtf8("% de los sorteos de cada día"));
        QCOMPARE(jueves[9], 100.0);
        QCOMPARE(sabado[9], 0.0);
        QCOMPARE(lunes[19], 0.0);
        // The value axis reaches the tallest bar: every draw of its day.
        auto *eje = qobject_cast<QValueAxis *>(grafico(*w)->chart()->axes(Qt::Vertical).value(0));
        QVERIFY(eje);
        QCOMPARE(eje->max(), 100.0);
        // Per number each day's share of its draws gives back the count of all the days.
        const auto &cuentas = w->sesion().estadistica().cuentas.todos;
        const auto &porDia = w->sesion().estadistica().cuentas.sorteosDia;
        QCOMPARE(porDia, (std::array{nLunes, nJueves, nSabado}));
        for (int i = 0; i < 25; ++i)
            QCOMPARE(qRound(lunes[i] * nLunes / 100 + jueves[i] * nJueves / 100 +
                            sabado[i] * nSabado / 100),
                     cuentas[static_cast<size_t>(i + 1)]);
    }

    void elPeriodoYSusDeslizadores()
    {
        auto w = abre();
        auto *s0 = w->findChild<QSlider *>(QStringLiteral("Slider1_0"));
        auto *s1 = w->findChild<QSlider *>(QStringLiteral("Slider1_1"));
        caja(*w, 6)->click();
        QVERIFY(!caja(*w, 5)->isChecked());
        QVERIFY(!s0->isHidden() && !s1->isHidden());

        s0->setValue(3);
        QCOMPARE(caja(*w, 6)->text(), QString::fromUtf8("Últimos 3 meses"));
        QCOMPARE(s1->value(), 3);
        const double desde = fechas::serial(kHoy) - 91.5;
        QCOMPARE(filas(*w), cuantosDesde(sorteos, desde, true, true, true));
        QVERIFY(filas(*w) < static_cast<int>(sorteos.size()));
        QVERIFY(texto(*w, "Label21")
                    .startsWith(QString::fromUtf8(
                        "-Tiene seleccionados los últimos 3 meses de sorteos, desde el ")));

        s1->setValue(1);
        QCOMPARE(s0->value(), 1);
        QCOMPARE(caja(*w, 6)->text(), QString::fromUtf8("Último mes"));
        QCOMPARE(filas(*w), cuantosDesde(sorteos, fechas::serial(kHoy) - 30.5, true, true, true));
        QVERIFY(texto(*w, "Label21")
                    .startsWith(QString::fromUtf8(
                        "-Tiene seleccionados sólo el último mes de sorteos, desde el ")));

        // The day boxes still apply inside the period.
        caja(*w, 0)->click();
        QCOMPARE(filas(*w), cuantosDesde(sorteos, fechas::serial(kHoy) - 30.5, true, false, true));

        caja(*w, 5)->click();
        QVERIFY(!caja(*w, 6)->isChecked());
        QVERIFY(s0->isHidden());
        QCOMPARE(filas(*w), cuantosDesde(sorteos, 0, true, false, true));
    }

    // A refresh of the results counts nothing again while the draws and the filter are what
    // they were, and keeps the ticked period; a change of the archive is counted at once.
    void unRefrescoNoRepiteLaPasada()
    {
        auto w = abre();
        caja(*w, 6)->click();
        w->findChild<QSlider *>(QStringLiteral("Slider1_0"))->setValue(3);
        const int enPeriodo = cuantosDesde(sorteos, fechas::serial(kHoy) - 91.5, true, true, true);
        QCOMPARE(filas(*w), enPeriodo);
        QAbstractItemModel *m = w->findChild<QTreeView *>(QStringLiteral("ListView3"))->model();
        QSignalSpy lista(m, &QAbstractItemModel::modelReset);
        // The chart's bars live as long as the chart is not drawn again.
        const QPointer<QBarSeries> barrasAntes = barras(grafico(*w));
        QVERIFY(barrasAntes);

        w->sesion().refresca();
        w->sesion().ponSorteosAComprobar(5);
        QCOMPARE(filas(*w), enPeriodo);
        QCOMPARE(texto(*w, "Label7"), QStringLiteral("TOTAL: %1 sorteos.").arg(enPeriodo));
        QCOMPARE(lista.count(), 0);
        QVERIFY(barrasAntes);

        QCOMPARE(w->sesion().borraSorteos(), Escritura::Hecha);
        QCOMPARE(filas(*w), 0);
        QCOMPARE(texto(*w, "Label7"), QStringLiteral("TOTAL: 0 sorteos."));
        QVERIFY(!barrasAntes);
    }

    void elVeinticincoEnLasDosMitadesDelGrafico()
    {
        auto w = abre();
        auto *mitad = w->findChild<QScrollBar *>(QStringLiteral("HScroll2"));
        mitad->setValue(1);
        const QList<qreal> primera = valores(grafico(*w), 0);
        QCOMPARE(primera.size(), 25);
        mitad->setValue(2);
        const QList<qreal> segunda = valores(grafico(*w), 0);
        QCOMPARE(segunda.size(), 25);
        QVERIFY(primera[24] > 0);
        QCOMPARE(segunda[0], primera[24]);
        const auto ejes = grafico(*w)->chart()->axes(Qt::Horizontal);
        auto *categorias = qobject_cast<QBarCategoryAxis *>(ejes.value(0));
        QVERIFY(categorias);
        QCOMPARE(categorias->at(0), QStringLiteral("25"));
        QCOMPARE(categorias->at(24), QStringLiteral("49"));
        // Counts are whole numbers: the value axis steps by whole numbers and ends on one.
        auto *valores =
            qobject_cast<QValueAxis *>(grafico(*w)->chart()->axes(Qt::Vertical).value(0));
        QVERIFY(valores);
        QCOMPARE(valores->tickType(), QValueAxis::TicksDynamic);
        QCOMPARE(valores->tickInterval(), std::round(valores->tickInterval()));
        QVERIFY(valores->max() >= *std::max_element(segunda.begin(), segunda.end()));
        QCOMPARE(segunda[0], static_cast<qreal>(w->sesion().estadistica().cuentas.todos[25]));
    }

    void frecuenciasConSeisNumeros()
    {
        auto w = abre();
        QVERIFY(w->sesion().frecuencias(6));
        const auto r =
            leeBase(QDir(carpeta->ruta()).filePath(QStringLiteral("Bolarium.mdb")),
                    QStringLiteral("SELECT \"Numero\", \"Veces\" FROM \"Numeros\" ORDER BY rowid"));
        QCOMPARE(r.codigo, SQLITE_OK);
        QCOMPARE(r.filas.size(), 6);
        std::array<bool, 50> visto{};
        for (int n : w->sesion().masfrecuentes()) {
            QVERIFY(n >= 1 && n <= 49 && !visto[static_cast<size_t>(n)]);
            visto[static_cast<size_t>(n)] = true;
        }
        const auto &cuentas = w->sesion().estadistica().cuentas.todos;
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(r.filas[i][0].toInt(), w->sesion().masfrecuentes()[static_cast<size_t>(i)]);
            QCOMPARE(r.filas[i][1].toInt(), cuentas[static_cast<size_t>(r.filas[i][0].toInt())]);
        }
        for (size_t i = 1; i < 49; ++i)
            QVERIFY(cuentas[static_cast<size_t>(w->sesion().masfrecuentes()[i - 1])] >=
                    cuentas[static_cast<size_t>(w->sesion().masfrecuentes()[i])]);
    }

    void borrarUnSorteoDeLaListaFiltradaNoDesplazaLasDemas()
    {
        auto w = abre();
        caja(*w, 0)->click(); // no Thursdays: rows and records no longer go together
        w->sesion().ponBorradoactivo(1);
        QAbstractItemModel *m = w->findChild<QTreeView *>(QStringLiteral("ListView3"))->model();
        const int antes = m->rowCount();
        const QString segunda = m->index(1, 2).data().toString();
        estadisticas(*w).ListView3_ItemClick(1);
        QCOMPARE(m->rowCount(), antes - 1);
        QCOMPARE(m->index(0, 2).data().toString(), segunda);
        // Every row still names the record of the draw it shows.
        for (int fila = 0; fila < m->rowCount(); ++fila) {
            const int registro = m->index(fila, 0).data(Qt::UserRole).toInt();
            QCOMPARE(fechas::textoCorto(w->sesion().sorteos().lee(registro).fecha),
                     m->index(fila, 2).data().toString().left(10));
        }
    }

    void unArchivoIlegibleSeGuardaAparteYSeEmpiezaOtro()
    {
        Sorteo malo = sorteos.back();
        malo.numeros[2] = 99;
        sorteos.push_back(malo);
        carpeta->escribeSorteos(sorteos);
        const QByteArray original = carpeta->lee(QStringLiteral("numeros.dat"));
        auto w = abre();

        int avisos = 0;
        QString texto;
        for (const auto &m : escritorio->mensajes)
            if (m.titulo == QStringLiteral("Error de lectura")) {
                ++avisos;
                texto = m.texto;
                QCOMPARE(m.icono, Escritorio::Icono::Exclamacion);
            }
        QCOMPARE(avisos, 1);
        const QString copia =
            QDir(carpeta->ruta()).filePath(QStringLiteral("numeros-20260402-120000.dat"));
        QVERIFY2(texto.startsWith(QString::fromUtf8("Archivo de números ganadores no válido.")),
                 qPrintable(texto));
        QVERIFY2(texto.contains(QDir::toNativeSeparators(copia)), qPrintable(texto));
        QCOMPARE(carpeta->lee(QStringLiteral("numeros-20260402-120000.dat")), original);
        QCOMPARE(carpeta->lee(QStringLiteral("numeros.dat")), QByteArray());
        QCOMPARE(w->sesion().proximosorteo(), 1);
        QCOMPARE(filas(*w), 0);

        // A second damaged archive the same second never overwrites the first copy.
        carpeta->escribe(QStringLiteral("numeros.dat"), original);
        w->sesion().sorteos().reabre();
        estadisticas(*w).estadisticas(0);
        QCOMPARE(carpeta->lee(QStringLiteral("numeros-20260402-120000-2.dat")), original);
        QCOMPARE(carpeta->lee(QStringLiteral("numeros-20260402-120000.dat")), original);
    }

    void unaBaseDeInformesRotaNoVaciaElArchivo()
    {
        // A directory where the database should be: it can neither be opened nor made again.
        QVERIFY(QDir(carpeta->ruta()).mkdir(QStringLiteral("Bolarium.mdb")));
        const QByteArray original = carpeta->lee(QStringLiteral("numeros.dat"));
        auto w = abre();
        QCOMPARE(carpeta->lee(QStringLiteral("numeros.dat")), original);
        QCOMPARE(filas(*w), static_cast<int>(sorteos.size()));
        // Said once, with its cause and the file, however often the description is written.
        estadisticas(*w).describeestadisticas();
        const QString ruta = QDir::toNativeSeparators(informes::rutaBase(carpeta->ruta()));
        QStringList sobreLaBase;
        for (const auto &m : escritorio->mensajes) {
            QVERIFY(m.titulo != QStringLiteral("Error de lectura"));
            if (m.titulo == QString::fromUtf8("¡Error!") && m.texto.contains(ruta))
                sobreLaBase << m.texto;
        }
        QCOMPARE(sobreLaBase.size(), 1);
        QVERIFY2(sobreLaBase[0].contains(QString::fromUtf8("no es un archivo")),
                 qPrintable(sobreLaBase[0]));
        QVERIFY(!escritorio->textos().join(QString()).contains(
            QString::fromUtf8("Sistema operativo no actualizado")));
    }

    void unaBaseDeInformesBloqueadaSeNombra()
    {
        auto w = abre();
        BaseDatos otro;
        QVERIFY(informes::abre(otro, carpeta->ruta()));
        QVERIFY(otro.ejecuta(QStringLiteral("BEGIN EXCLUSIVE")));
        escritorio->mensajes.clear();
        estadisticas(*w).describeestadisticas();
        estadisticas(*w).describeestadisticas();
        QCOMPARE(escritorio->mensajes.size(), 1);
        QVERIFY2(escritorio->mensajes[0].texto.contains(QString::fromUtf8("está bloqueada")),
                 qPrintable(escritorio->mensajes[0].texto));
        otro.deshace();
    }

    void elArchivoRealEnLaPestana()
    {
        const QString ruta = CarpetaPrueba::historicoReal();
        if (ruta.isEmpty())
            QSKIP("No está el histórico real");
        QFile::remove(carpeta->archivo(QStringLiteral("numeros.dat")));
        QVERIFY(QFile::copy(ruta, carpeta->archivo(QStringLiteral("numeros.dat"))));
        QFile(carpeta->archivo(QStringLiteral("numeros.dat")))
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        auto w = abre();
        QCOMPARE(filas(*w), 4176);
        caja(*w, 9)->click();
        QCOMPARE(filas(*w), 3961);
        QAbstractItemModel *m = w->findChild<QTreeView *>(QStringLiteral("ListView3"))->model();
        for (int fila = 0; fila < m->rowCount(); ++fila)
            QVERIFY(!m->index(fila, 2).data().toString().endsWith(QStringLiteral("Lunes")));
        caja(*w, 1)->click();
        QCOMPARE(filas(*w), 2120);
        QCOMPARE(texto(*w, "Label7"), QStringLiteral("TOTAL: 2120 sorteos."));
        caja(*w, 1)->click();
        caja(*w, 0)->click();
        QCOMPARE(filas(*w), 1841);
        caja(*w, 1)->click();
        caja(*w, 9)->click();
        QCOMPARE(filas(*w), 215);
        QCOMPARE(texto(*w, "Label7"), QStringLiteral("TOTAL: 215 sorteos."));

        // With "Comparativa" every draw counts again, split by day.
        caja(*w, 2)->click();
        QCOMPARE(filas(*w), 4176);
        const auto &cuentas = w->sesion().estadistica().cuentas.todos;
        const auto &porDia = w->sesion().estadistica().cuentas.sorteosDia;
        QCOMPARE(porDia[0] + porDia[1] + porDia[2], 4176);
        auto *mitad = w->findChild<QScrollBar *>(QStringLiteral("HScroll2"));
        for (int valor : {1, 2}) {
            mitad->setValue(valor);
            const int primero = valor == 1 ? 1 : 25;
            const QList<qreal> lunes = valores(grafico(*w), 0);
            const QList<qreal> jueves = valores(grafico(*w), 1);
            const QList<qreal> sabado = valores(grafico(*w), 2);
            QCOMPARE(lunes.size(), 25);
            for (int i = 0; i < 25; ++i)
                QCOMPARE(qRound(lunes[i] * porDia[0] / 100 + jueves[i] * porDia[1] / 100 +
                                sabado[i] * porDia[2] / 100),
                         cuentas[static_cast<size_t>(primero + i)]);
        }
    }
};

QTEST_MAIN(TstPestana)
#include "tst_pestana.moc"
