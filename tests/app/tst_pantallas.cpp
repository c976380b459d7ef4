// The main window and the others on real screen sizes. Each CTest entry gives the offscreen
// platform one screen (tests/app/pantallas/*.json): 1280×720, 1920×1080 at 150 %, 1366×768, and
// the platform's own 800×800 when run bare.
#include "apoyo/carpetaprueba.h"
#include "apoyo/escritorioprueba.h"
#include "app/principal.h"
#include "session/sesion.h"
#include "syndicates/pestanagestor.h"
#include "syndicates/socios.h"
#include "widgets/imagen.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

namespace {
const QDate kJueves(2026, 1, 8);

// Whether the user can reach a control: the window scrolls it into view and none of it is cut
// off by the window or by a neighbour.
bool alcanzable(QScrollArea *desplazable, QWidget *w)
{
    // The whole control, not only a text cursor inside it.
    const QPoint centro = w->mapTo(desplazable->widget(), w->rect().center());
    desplazable->ensureVisible(centro.x(), centro.y(), w->width() / 2 + 1, w->height() / 2 + 1);
    QCoreApplication::processEvents();
    return w->visibleRegion().boundingRect() == w->rect();
}

bool control(QWidget *w)
{
    return qobject_cast<QAbstractButton *>(w) || qobject_cast<Imagen *>(w) ||
           qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w) ||
           qobject_cast<QAbstractSpinBox *>(w);
}

// Inside a list or another scrolled area of its own, a control is that area's business.
bool enOtraArea(QWidget *w, QWidget *pestana)
{
    for (QWidget *p = w->parentWidget(); p && p != pestana; p = p->parentWidget())
        if (qobject_cast<QAbstractScrollArea *>(p))
            return true;
    return false;
}
} // namespace

class TstPantallas : public QObject {
    Q_OBJECT
private slots:
    void init() { EscritorioPrueba::instala(kJueves); }
    void cleanup()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() != QStringLiteral("Principal"))
                w->close();
        Escritorio::sustituye(nullptr);
    }

    void laVentanaCabeYTodoSeAlcanza()
    {
        CarpetaPrueba c;
        c.escribeSorteos({sorteoDe(kJueves.addDays(-7)), sorteoDe(kJueves.addDays(-5), 7)});
        c.escribePenas({penaDe(QStringLiteral("OFICINA DEL BARRIO"), QStringLiteral("JS"),
                               kJueves.addDays(-30))});
        Principal p(c.ruta());
        p.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p));
        const QRect libre = p.screen()->availableGeometry();
        QVERIFY2(libre.contains(p.frameGeometry()), qPrintable(QStringLiteral("%1x%2 en %3x%4")
                                                                   .arg(p.frameGeometry().width())
                                                                   .arg(p.frameGeometry().height())
                                                                   .arg(libre.width())
                                                                   .arg(libre.height())));
        const QPoint desvio = p.frameGeometry().center() - libre.center();
        QVERIFY(qAbs(desvio.x()) <= 1 && qAbs(desvio.y()) <= 1);
        // A large screen is used: the window is not left at a small fixed size.
        if (libre.width() >= 1900)
            QVERIFY(p.width() > 1500 && p.height() > 850);

        auto *desplazable = p.findChild<QScrollArea *>(QStringLiteral("desplazable"));
        auto *pestanas = p.findChild<QTabWidget *>(QStringLiteral("SSTab1"));
        QVERIFY(desplazable && pestanas);
        for (int i = 0; i < pestanas->count(); ++i) {
            pestanas->setCurrentIndex(i);
            QCoreApplication::processEvents();
            QWidget *pestana = pestanas->widget(i);
            int vistos = 0;
            for (QWidget *w : pestana->findChildren<QWidget *>()) {
                if (!w->isVisible() || !control(w) || enOtraArea(w, pestana))
                    continue;
                ++vistos;
                QVERIFY2(alcanzable(desplazable, w),
                         qPrintable(QStringLiteral("%1 en la pestaña %2")
                                        .arg(w->objectName(), pestanas->tabText(i))));
            }
            QVERIFY(vistos > 0);
        }
    }

    void lasVentanasAbrenDentroDeLaPantalla()
    {
        CarpetaPrueba c;
        c.escribeSorteos({sorteoDe(kJueves.addDays(-7))});
        const Pena pena =
            penaDe(QStringLiteral("OFICINA"), QStringLiteral("JS"), kJueves.addDays(-30));
        c.escribePenas({pena});
        QDir(c.ruta()).mkdir(QStringLiteral("manual"));
        c.escribe(QStringLiteral("manual/manual.md"), "# Manual\n\nTexto.\n");
        Principal p(c.ruta());
        p.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p));
        SociosPena s = SociosPena::de(pena);
        s.socios = {{QString::fromUtf8("María del Carmen Fernández"), 2},
                    {QStringLiteral("Juan José Pérez"), 1},
                    {QStringLiteral("Ana"), 3}};
        QVERIFY(p.sesion().guardaSocios(s) == Escritura::Hecha);
        p.sesion().ponPenasel(1);

        const QRect libre = p.screen()->availableGeometry();
        auto dentro = [&libre](const char *nombre) {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->isVisible() && w->objectName() == QString::fromLatin1(nombre))
                    return libre.contains(w->frameGeometry());
            return false;
        };
        p.confi_Click();
        QVERIFY(dentro("Configurar"));
        p.acerca_Click();
        QVERIFY(dentro("Acercade"));
        p.findChild<QAction *>(QStringLiteral("instrucciones"))->trigger();
        QVERIFY(dentro("Manual"));
        p.abreCreamenu();
        QVERIFY(dentro("Creamenu"));
        p.abreCrea();
        QVERIFY(dentro("Crea"));
        auto *pestanas = p.findChild<QTabWidget *>(QStringLiteral("SSTab1"));
        pestanas->setCurrentIndex(2);
        p.findChild<QAbstractButton *>(QStringLiteral("socios"))->click();
        QVERIFY(dentro("Socios"));
        p.findChild<QAbstractButton *>(QStringLiteral("Command2"))->click();
        QVERIFY(dentro("Imprimir"));
        emit p.findChild<PestanaGestor *>()->informePedido(1);
        QVERIFY(dentro("VistaInforme"));

        // The members' money in the manager tab needs no sideways scrolling from 1366 up.
        if (libre.width() >= 1366) {
            p.activateWindow();
            pestanas->setCurrentIndex(2);
            QCoreApplication::processEvents();
            auto *lista = p.findChild<QTreeView *>(QStringLiteral("ListViewSocios"));
            QCOMPARE(lista->model()->rowCount(), 3);
            QCOMPARE(lista->horizontalScrollBar()->maximum(), 0);
        }
    }
};

QTEST_MAIN(TstPantallas)
#include "tst_pantallas.moc"
