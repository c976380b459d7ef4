#include "apoyo/carpetaprueba.h"
#include "apoyo/escritorioprueba.h"
#include "apoyo/pestanas.h"
#include "app/principal.h"
#include "session/sesion.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {
const QDate kHoy(2026, 1, 8);

void elige(Principal &p, const char *entrada)
{
    auto *a = p.findChild<QAction *>(QString::fromLatin1(entrada));
    QVERIFY2(a, entrada);
    a->trigger();
}
// A desktop without a browser: its "open" fails.
class SinNavegador : public EscritorioPrueba {
public:
    void abreDireccion(const QUrl &direccion) override { Escritorio::abreDireccion(direccion); }

protected:
    bool abreEnElSistema(const QUrl &) override { return false; }
};
} // namespace

class TstMenus : public QObject {
    Q_OBJECT
private:
    EscritorioPrueba *escritorio = nullptr;

private slots:
    void init() { escritorio = EscritorioPrueba::instala(kHoy); }
    void cleanup() { Escritorio::sustituye(nullptr); }

    void vistasDeResultados()
    {
        CarpetaPrueba c;
        c.escribeSorteos({sorteoDe(kHoy.addDays(-7)), sorteoDe(kHoy)});
        c.escribePenas({penaDe(QStringLiteral("A"), QStringLiteral("Jueves"), kHoy.addDays(-30))});
        Principal p(c.ruta());
        control<QTabWidget>(p, "SSTab1")->setCurrentIndex(3);
        const int antes = p.sesion().refrescos();

        // Only "Ver sólo si hay premio" changes: one checking pass.
        elige(p, "verpremiom");
        QCOMPARE(control<QTabWidget>(p, "SSTab1")->currentIndex(), 0);
        QVERIFY(!control<QTableView>(p, "ListView4")->isHidden());
        QVERIFY(control<QTableView>(p, "ListView2")->isHidden());
        QVERIFY(control<QCheckBox>(p, "Check2")->isChecked());
        QVERIFY(!control<QCheckBox>(p, "Check1")->isChecked());
        QCOMPARE(p.sesion().refrescos(), antes + 1);

        // Both wanted states already hold: nothing runs.
        elige(p, "verpremiom");
        QCOMPARE(p.sesion().refrescos(), antes + 1);

        // Both change: two passes.
        elige(p, "verhisto");
        QVERIFY(!control<QTableView>(p, "ListView2")->isHidden());
        QVERIFY(!control<QCheckBox>(p, "Check2")->isChecked());
        QVERIFY(control<QCheckBox>(p, "Check1")->isChecked());
        QCOMPARE(p.sesion().refrescos(), antes + 3);

        // "Todos los resultados" leaves the boxes alone.
        elige(p, "Multiples");
        QVERIFY(!control<QTableView>(p, "ListView4")->isHidden());
        QVERIFY(control<QCheckBox>(p, "Check1")->isChecked());
        QCOMPARE(p.sesion().refrescos(), antes + 3);
    }

    void botonDeLaListaVisibleSoloParaElAviso()
    {
        CarpetaPrueba c;
        Principal p(c.ruta());
        resultados(p).Command1_Click(0);
        control<QTimer>(p, "Timer3")->start();
        control<QPushButton>(p, "Command1_0")->click();
        QVERIFY(!control<QTimer>(p, "Timer3")->isActive());
        QVERIFY(!control<QTableView>(p, "ListView2")->isHidden());
        QVERIFY(control<QTableView>(p, "ListView4")->isHidden());
    }

    void ultimoSorteoNoSeAbreDuranteUnaDescarga()
    {
        CarpetaPrueba c;
        Principal p(c.ruta());
        control<QTabWidget>(p, "SSTab1")->setCurrentIndex(2);
        p.sesion().ponDescargando(true); // a download under way
        control<QTabWidget>(p, "SSTab1")->setCurrentIndex(1);
        QCOMPARE(control<QTabWidget>(p, "SSTab1")->currentIndex(), 2);
        p.sesion().ponDescargando(false);
        control<QTabWidget>(p, "SSTab1")->setCurrentIndex(1);
        QCOMPARE(control<QTabWidget>(p, "SSTab1")->currentIndex(), 1);
    }

    void menuVerSeleccionaPestana()
    {
        CarpetaPrueba c;
        Principal p(c.ruta());
        const char *const entradas[] = {"gene", "ultimo", "Gestor", "esta", "comb"};
        for (int i = 4; i >= 0; --i) {
            elige(p, entradas[i]);
            QCOMPARE(control<QTabWidget>(p, "SSTab1")->currentIndex(), i);
        }
    }

    // The usual keys: F5 downloads, F1 opens the manual, Ctrl+Q quits, and Ctrl+P prints what
    // the tab in view prints (the results listing, the syndicate's report), nothing elsewhere.
    void atajosDeTeclado()
    {
        const QPair<const char *, QKeySequence> atajos[] = {
            {"Baja", QKeySequence(Qt::Key_F5)},
            {"instrucciones", QKeySequence(Qt::Key_F1)},
            {"salir", QKeySequence(Qt::CTRL | Qt::Key_Q)},
            {"imprimir", QKeySequence(Qt::CTRL | Qt::Key_P)}};
        CarpetaPrueba c;
        c.escribeSorteos({sorteoDe(kHoy.addDays(-7)), sorteoDe(kHoy)});
        c.escribePenas({penaDe(QStringLiteral("A"), QStringLiteral("Jueves"), kHoy.addDays(-30))});
        Principal p(c.ruta());
        for (const auto &[nombre, tecla] : atajos)
            QCOMPARE(p.findChild<QAction *>(QString::fromLatin1(nombre))->shortcut(), tecla);
        p.show();
        p.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&p));

        QTemporaryDir salida;
        escritorio->pdfSalida = salida.filePath(QStringLiteral("listado.pdf"));
        control<QTabWidget>(p, "SSTab1")->setCurrentIndex(1);
        QTest::keyClick(&p, Qt::Key_P, Qt::ControlModifier);
        QVERIFY(!QFile::exists(escritorio->pdfSalida));
        control<QTabWidget>(p, "SSTab1")->setCurrentIndex(0);
        QTest::keyClick(&p, Qt::Key_P, Qt::ControlModifier);
        QVERIFY(QFileInfo(escritorio->pdfSalida).size() > 0);

        control<QTabWidget>(p, "SSTab1")->setCurrentIndex(2);
        p.sesion().ponPenasel(1);
        QTest::keyClick(&p, Qt::Key_P, Qt::ControlModifier);
        bool informe = false;
        for (QWidget *w : QApplication::topLevelWidgets())
            informe |= w->isVisible() && w->objectName() == QStringLiteral("VistaInforme");
        QVERIFY(informe);
    }

    void ayudaAbreLaWebDelAutor()
    {
        CarpetaPrueba c;
        Principal p(c.ruta());
        elige(p, "web");
        elige(p, "instrucciones");
        QCOMPARE(escritorio->direcciones.size(), 2);
        const QString host = p.sesion().ajustes().webTexto();
        QCOMPARE(escritorio->direcciones[0].toString(), QStringLiteral("http://") + host);
        QCOMPARE(escritorio->direcciones[1].toString(QUrl::FullyEncoded),
                 QStringLiteral("http://") + host +
                     QStringLiteral("/descargas/Instrucciones%20Bolarium%203.2.pdf"));
    }

    void sinNavegadorSeDiceConLaDireccion()
    {
        auto propio = std::make_unique<SinNavegador>();
        SinNavegador *sin = propio.get();
        Escritorio::sustituye(std::move(propio));
        CarpetaPrueba c;
        Principal p(c.ruta());
        sin->mensajes.clear();
        elige(p, "web");
        QCOMPARE(sin->mensajes.size(), 1);
        QVERIFY(sin->mensajes[0].texto.startsWith(
            QString::fromUtf8("No se ha podido abrir el navegador")));
        QVERIFY(sin->mensajes[0].texto.endsWith(QStringLiteral("http://") +
                                                p.sesion().ajustes().webTexto()));
    }
};

QTEST_MAIN(TstMenus)
#include "tst_menus.moc"
