#include "apoyo/carpetaprueba.h"
#include "apoyo/escritorioprueba.h"
#include "app/principal.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
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
        p.SSTab1->setCurrentIndex(3);
        const int antes = p.refrescos;

        // Only "Ver sólo si hay premio" changes: one checking pass.
        elige(p, "verpremiom");
        QCOMPARE(p.SSTab1->currentIndex(), 0);
        QVERIFY(!p.ListView4->isHidden());
        QVERIFY(p.ListView2->isHidden());
        QVERIFY(p.Check2->isChecked());
        QVERIFY(!p.Check1->isChecked());
        QCOMPARE(p.refrescos, antes + 1);

        // Both wanted states already hold: nothing runs.
        elige(p, "verpremiom");
        QCOMPARE(p.refrescos, antes + 1);

        // Both change: two passes.
        elige(p, "verhisto");
        QVERIFY(!p.ListView2->isHidden());
        QVERIFY(!p.Check2->isChecked());
        QVERIFY(p.Check1->isChecked());
        QCOMPARE(p.refrescos, antes + 3);

        // "Todos los resultados" leaves the boxes alone.
        elige(p, "Multiples");
        QVERIFY(!p.ListView4->isHidden());
        QVERIFY(p.Check1->isChecked());
        QCOMPARE(p.refrescos, antes + 3);
    }

    void botonDeLaListaVisibleSoloParaElAviso()
    {
        CarpetaPrueba c;
        Principal p(c.ruta());
        p.Command1_Click(0);
        p.Timer3->start();
        p.Command1[0]->click();
        QVERIFY(!p.Timer3->isActive());
        QVERIFY(!p.ListView2->isHidden());
        QVERIFY(p.ListView4->isHidden());
    }

    void ultimoSorteoNoSeAbreDuranteUnaDescarga()
    {
        CarpetaPrueba c;
        Principal p(c.ruta());
        p.SSTab1->setCurrentIndex(2);
        p.Timer1->start();
        p.SSTab1->setCurrentIndex(1);
        QCOMPARE(p.SSTab1->currentIndex(), 2);
        p.Timer1->stop();
        p.SSTab1->setCurrentIndex(1);
        QCOMPARE(p.SSTab1->currentIndex(), 1);
    }

    void menuVerSeleccionaPestana()
    {
        CarpetaPrueba c;
        Principal p(c.ruta());
        const char *const entradas[] = {"gene", "ultimo", "Gestor", "esta", "comb"};
        for (int i = 4; i >= 0; --i) {
            elige(p, entradas[i]);
            QCOMPARE(p.SSTab1->currentIndex(), i);
        }
    }

    void ayudaAbreLaWebDelAutor()
    {
        CarpetaPrueba c;
        Principal p(c.ruta());
        elige(p, "web");
        elige(p, "instrucciones");
        QCOMPARE(escritorio->direcciones.size(), 2);
        const QString host = p.ajustes().webTexto();
        QCOMPARE(escritorio->direcciones[0].toString(), QStringLiteral("http://") + host);
        QCOMPARE(escritorio->direcciones[1].toString(QUrl::FullyEncoded),
                 QStringLiteral("http://") + host +
                     QStringLiteral("/descargas/Instrucciones%20Bolarium%203.2.pdf"));
    }
};

QTEST_MAIN(TstMenus)
#include "tst_menus.moc"
