#include "apoyo/carpetaprueba.h"
#include "apoyo/escritorioprueba.h"
#include "apoyo/leebase.h"
#include "apoyo/pestanas.h"
#include "app/principal.h"
#include "widgets/imagen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

namespace {
const QDate kHoy(2026, 4, 2);

// Mondays favour 30..35, Thursdays 1..6, Saturdays 40..45. Each Monday number comes out
// three times in four, so Mondays and Saturdays together still rank Saturday's numbers first.
std::vector<Sorteo> sorteos()
{
    std::vector<Sorteo> s;
    int k = 0;
    int l = 0;
    for (QDate d(2025, 10, 2); d <= kHoy; d = d.addDays(1)) {
        if (d.dayOfWeek() == 1)
            s.push_back(sorteoDe(d, l++ % 4 == 0 ? 10 : 30));
        else if (d.dayOfWeek() == 4)
            s.push_back(sorteoDe(d, k++ % 3 == 0 ? 20 : 1));
        else if (d.dayOfWeek() == 6)
            s.push_back(sorteoDe(d, 40));
    }
    return s;
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
} // namespace

class TstCreacion : public QObject {
    Q_OBJECT

    EscritorioPrueba *escritorio = nullptr;
    std::unique_ptr<CarpetaPrueba> carpeta;

    static Imagen *boton(Principal &w, const QString &nombre)
    {
        return w.findChild<Imagen *>(nombre);
    }
    static bool activo(Principal &w, const char *nombre)
    {
        return boton(w, QString::fromLatin1(nombre))->isEnabled();
    }
    static QCheckBox *caja(Principal &w, int i)
    {
        return control<QCheckBox>(w, QStringLiteral("Check3_%1").arg(i));
    }
    static std::vector<int> seisPrimeros(Principal &w)
    {
        return std::vector<int>(w.sesion().masfrecuentes().begin(),
                                w.sesion().masfrecuentes().begin() + 6);
    }
    static QSlider *cantidad(Principal &w)
    {
        return w.findChild<QSlider *>(QStringLiteral("Slider2"));
    }
    static bool filtrosActivos(Principal &w)
    {
        for (int i : {10, 3, 4, 7, 8})
            if (!w.findChild<QCheckBox *>(QStringLiteral("Check3_%1").arg(i))->isEnabled())
                return false;
        return true;
    }

private slots:
    void init()
    {
        escritorio = EscritorioPrueba::instala(kHoy);
        carpeta = std::make_unique<CarpetaPrueba>();
        carpeta->escribeSorteos(sorteos());
    }
    void cleanup()
    {
        carpeta.reset();
        Escritorio::sustituye(nullptr);
    }

    void alEmpezarTodoEstaApagado()
    {
        Principal w(carpeta->ruta());
        QCOMPARE(cantidad(w)->value(), 0);
        QCOMPARE(w.findChild<QLabel *>(QStringLiteral("Label23"))->text(),
                 QString::fromUtf8("Ha seleccionado 0 números."));
        for (const char *b : {"Image3_0", "Image3_1", "Image3_2", "Image2_0", "Image4"})
            QVERIFY2(!activo(w, b), b);
        QVERIFY(filtrosActivos(w));
    }

    void seisNumerosPermitenLaSencilla()
    {
        Principal w(carpeta->ruta());
        control<QTabWidget>(w, "SSTab1")->setCurrentIndex(4);
        cantidad(w)->setValue(6);
        QCOMPARE(w.findChild<QLabel *>(QStringLiteral("Label23"))->text(),
                 QString::fromUtf8("Ha seleccionado 6 números."));
        QVERIFY(activo(w, "Image3_1"));
        QVERIFY(!activo(w, "Image3_2"));
        QVERIFY(!activo(w, "Image3_0")); // the shipped tables have none for 6 numbers
        QVERIFY(activo(w, "Image2_0"));
        QCOMPARE(boton(w, QStringLiteral("Image2_0"))->property("imagen").toInt(), 4);
        QVERIFY(activo(w, "Image4"));
        QVERIFY(!filtrosActivos(w));
        QCOMPARE(crear(w).numerosCrear(), 6); // the tables were listed for 6
        // Six rows in the report database, the whole ranking for the editor.
        const auto r = leeBase(QDir(carpeta->ruta()).filePath(QStringLiteral("Bolarium.mdb")),
                               QStringLiteral("SELECT \"Numero\" FROM \"Numeros\" ORDER BY rowid"));
        QCOMPARE(r.filas.size(), 6);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(r.filas[i][0].toInt(), w.sesion().masfrecuentes()[static_cast<size_t>(i)]);
        QCOMPARE(crear(w).numerosOrdenador().size(), size_t(49));
        QCOMPARE(crear(w).numerosOrdenador().front(), w.sesion().masfrecuentes()[0]);

        w.sesion().ponModocrea(5);
        boton(w, QStringLiteral("Image3_1"))->clicked();
        QVERIFY(w.crea());
        QCOMPARE(w.sesion().modocrea(), 0);
        QCOMPARE(w.sesion().numordenador(), 1);
        QCOMPARE(w.sesion().tablasel(), 0);
        QVERIFY(!activo(w, "Image3_1"));
        w.cierraCrea();
    }

    void cincoNumerosSonUnaMultipleDeCuarentaYCuatro()
    {
        Principal w(carpeta->ruta());
        cantidad(w)->setValue(5);
        QVERIFY(activo(w, "Image3_2"));
        QVERIFY(!activo(w, "Image3_1"));
        crear(w).Image3_Click(1); // disabled: nothing happens
        QVERIFY(!w.crea());
        crear(w).Image3_Click(2);
        QVERIFY(w.crea());
        QCOMPARE(w.sesion().modocrea(), 3);
        QCOMPARE(w.sesion().numordenador(), 1);
        w.cierraCrea();
    }

    void losTamanosDeLaMultiple_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("modo");
        QTest::newRow("7") << 7 << 1;
        QTest::newRow("8") << 8 << 2;
        QTest::newRow("9") << 9 << 4;
        QTest::newRow("10") << 10 << 5;
        QTest::newRow("11") << 11 << 6;
    }
    void losTamanosDeLaMultiple()
    {
        QFETCH(int, n);
        QFETCH(int, modo);
        Principal w(carpeta->ruta());
        cantidad(w)->setValue(n);
        QVERIFY(!activo(w, "Image3_1"));
        crear(w).Image3_Click(2);
        QCOMPARE(w.sesion().modocrea(), modo);
        w.cierraCrea();
    }

    void doceNumerosNiSencillaNiMultiple()
    {
        Principal w(carpeta->ruta());
        cantidad(w)->setValue(12);
        QVERIFY(!activo(w, "Image3_1"));
        QVERIFY(!activo(w, "Image3_2"));
        QVERIFY(activo(w, "Image3_0")); // the shipped tables cover every count from 7 to 20
        QVERIFY(activo(w, "Image2_0"));
    }

    void laReducidaSinTablaNoTanDeprisa()
    {
        Principal w(carpeta->ruta());
        cantidad(w)->setValue(7); // the shipped tables have one for 7 numbers
        QVERIFY(activo(w, "Image3_0"));
        QVERIFY(activo(w, "Image3_2"));
        boton(w, QStringLiteral("Image3_0"))->clicked();
        QVERIFY(!w.crea());
        QCOMPARE(escritorio->mensajes.size(), 1);
        QCOMPARE(escritorio->mensajes[0].texto,
                 QString::fromUtf8("Elija primero una tabla de reducidas en el menú desplegable."));
        QCOMPARE(escritorio->mensajes[0].titulo, QStringLiteral("No tan deprisa!"));
        QCOMPARE(escritorio->mensajes[0].icono, Escritorio::Icono::Informacion);
        QCOMPARE(cantidad(w)->value(), 7); // the tab stays as it was
        QVERIFY(activo(w, "Image3_0"));
    }

    void volverAlPasoUnoYSalirDeLaPestana()
    {
        Principal w(carpeta->ruta());
        control<QTabWidget>(w, "SSTab1")->setCurrentIndex(4);
        cantidad(w)->setValue(8);
        boton(w, QStringLiteral("Image4"))->clicked();
        QCOMPARE(cantidad(w)->value(), 0);
        QCOMPARE(w.findChild<QLabel *>(QStringLiteral("Label23"))->text(),
                 QString::fromUtf8("Ha seleccionado 0 números."));
        for (const char *b : {"Image3_0", "Image3_1", "Image3_2", "Image2_0", "Image4"})
            QVERIFY2(!activo(w, b), b);
        QVERIFY(filtrosActivos(w));
        QVERIFY(!w.findChild<QComboBox *>(QStringLiteral("Combo1"))->isEnabled());

        cantidad(w)->setValue(6);
        control<QTabWidget>(w, "SSTab1")->setCurrentIndex(3);
        QCOMPARE(cantidad(w)->value(), 0);
        QVERIFY(filtrosActivos(w));
        QVERIFY(!activo(w, "Image2_0"));
    }

    void elInformeDeLosNumerosElegidos()
    {
        Principal w(carpeta->ruta());
        cantidad(w)->setValue(6);
        boton(w, QStringLiteral("Image2_0"))->clicked();
        QVERIFY(w.findChild<QWidget *>(QStringLiteral("VistaInforme")));
        QVERIFY(escritorio->mensajes.isEmpty());
    }

    void losNumerosSiguenLosFiltrosDelPasoUno()
    {
        Principal w(carpeta->ruta());
        // Mondays and Saturdays, from the creation tab's own copies of the filters.
        w.findChild<QCheckBox *>(QStringLiteral("Check3_3"))->click();
        QVERIFY(!w.findChild<QCheckBox *>(QStringLiteral("Check3_0"))->isChecked());
        cantidad(w)->setValue(6);
        QCOMPARE(seisPrimeros(w), (std::vector<int>{40, 41, 42, 43, 44, 45}));
        boton(w, QStringLiteral("Image4"))->clicked();
        // Mondays only: 30..35 come out three times as often as 10..15.
        caja(w, 4)->click();
        cantidad(w)->setValue(6);
        QCOMPARE(seisPrimeros(w), (std::vector<int>{30, 31, 32, 33, 34, 35}));
        boton(w, QStringLiteral("Image4"))->clicked();
        // Thursdays only: 1..6 come out twice as often as 20..25.
        w.findChild<QCheckBox *>(QStringLiteral("Check3_3"))->click();
        caja(w, 10)->click();
        QVERIFY(!w.findChild<QCheckBox *>(QStringLiteral("Check3_1"))->isChecked());
        QVERIFY(!caja(w, 9)->isChecked());
        cantidad(w)->setValue(6);
        QCOMPARE(seisPrimeros(w), (std::vector<int>{1, 2, 3, 4, 5, 6}));
        // The period boxes of both tabs move together.
        boton(w, QStringLiteral("Image4"))->clicked();
        w.findChild<QCheckBox *>(QStringLiteral("Check3_8"))->click();
        QVERIFY(w.findChild<QCheckBox *>(QStringLiteral("Check3_6"))->isChecked());
        QVERIFY(!w.findChild<QCheckBox *>(QStringLiteral("Check3_5"))->isChecked());
        QVERIFY(!w.findChild<QCheckBox *>(QStringLiteral("Check3_7"))->isChecked());
        QVERIFY(!w.findChild<QSlider *>(QStringLiteral("Slider1_1"))->isHidden());
    }

    void elLunesDeLasDosPestanasVaJunto()
    {
        Principal w(carpeta->ruta());
        QCOMPARE(caja(w, 10)->text(), QStringLiteral("Lunes"));
        QVERIFY(caja(w, 9)->isChecked() && caja(w, 10)->isChecked());
        // Step 1 shows Monday first, like the statistics tab.
        QCOMPARE(caja(w, 10)->parentWidget()->objectName(), QStringLiteral("Frame8"));
        QLayout *fila = caja(w, 10)->parentWidget()->layout();
        QVERIFY(posicion(fila, caja(w, 10)) >= 0);
        QVERIFY(posicion(fila, caja(w, 10)) < posicion(fila, caja(w, 3)));
        caja(w, 9)->click();
        QVERIFY(!caja(w, 10)->isChecked());
        QVERIFY(!w.sesion().filtro().lunes);
        caja(w, 10)->click();
        QVERIFY(caja(w, 9)->isChecked());
        QVERIFY(w.sesion().filtro().lunes);
        caja(w, 10)->click();
        QVERIFY(!caja(w, 9)->isChecked());
        QCOMPARE(w.findChild<QLabel *>(QStringLiteral("Label27"))->text(),
                 QString::fromUtf8("-Ha seleccionado tanto los números de los sorteos del JUEVES, "
                                   "como los del SÁBADO."));

        // "Comparativa" takes every day: the Monday box is ticked and locked, its copy ticked.
        caja(w, 2)->click();
        QVERIFY(caja(w, 9)->isChecked() && !caja(w, 9)->isEnabled());
        QVERIFY(caja(w, 10)->isChecked());
        caja(w, 10)->click(); // the copy cannot leave Monday out while comparing
        QVERIFY(caja(w, 10)->isChecked() && caja(w, 9)->isChecked());
        caja(w, 2)->click();
        QVERIFY(caja(w, 9)->isEnabled());
        QVERIFY(caja(w, 9)->isChecked() && caja(w, 10)->isChecked());
    }
};

QTEST_MAIN(TstCreacion)
#include "tst_creacion.moc"
