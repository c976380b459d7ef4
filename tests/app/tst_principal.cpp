#include "apoyo/carpetaprueba.h"
#include "apoyo/escritorioprueba.h"
#include "apoyo/pestanas.h"
#include "app/principal.h"
#include "archive/archivosorteos.h"
#include "session/cuentas.h"
#include "session/sesion.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>

namespace {
const QDate kJueves(2026, 1, 8);

QString etiqueta(Principal &p, const char *nombre)
{
    auto *l = p.findChild<QLabel *>(QString::fromLatin1(nombre));
    return l ? l->text() : QStringLiteral("<no existe>");
}
} // namespace

class TstPrincipal : public QObject {
    Q_OBJECT
private:
    EscritorioPrueba *escritorio = nullptr;

private slots:
    void init() { escritorio = EscritorioPrueba::instala(kJueves); }
    void cleanup() { Escritorio::sustituye(nullptr); }

    void ventanaConSusPestanas()
    {
        CarpetaPrueba c;
        Principal p(c.ruta());
        QCOMPARE(p.objectName(), QStringLiteral("Principal"));
        QCOMPARE(p.windowTitle(),
                 QString::fromUtf8("Bolarium v.3.4.995 - Comprueba tus números por internet."));
        auto *tabs = p.findChild<QTabWidget *>(QStringLiteral("SSTab1"));
        QVERIFY(tabs);
        QStringList nombres;
        for (int i = 0; i < tabs->count(); ++i)
            nombres << tabs->tabText(i);
        QCOMPARE(
            nombres,
            QStringList({QStringLiteral("General"), QString::fromUtf8("Último sorteo"),
                         QString::fromUtf8("Gestor de peñas"), QString::fromUtf8("Estadísticas"),
                         QString::fromUtf8("Crear Combinación")}));
        for (const char *t : {"Timer1", "Timer2", "Timer3"})
            QVERIFY(p.findChild<QTimer *>(QString::fromLatin1(t)));
        // The files the program keeps are there, created empty.
        for (const char *f :
             {"apuestas.dat", "numeros.dat", "www.txt", "www2.txt", "nums.ini", "ajustes.ini"})
            QVERIFY2(QFile::exists(c.archivo(QString::fromLatin1(f))), f);
    }

    // The money of every syndicate is made once at start and is right as soon as the window
    // exists; of the settings, only the bet price makes it again.
    void elDineroSeHaceUnaVezAlArrancar()
    {
        CarpetaPrueba c;
        // A Thursday and a Saturday: one draw for UNO, both for DOS.
        c.escribeSorteos({sorteoDe(kJueves.addDays(-7), 10), sorteoDe(kJueves.addDays(-5), 20)});
        c.escribePenas(
            {penaDe(QStringLiteral("UNO"), QStringLiteral("Jueves"), kJueves.addDays(-30)),
             penaDe(QStringLiteral("DOS"), QString::fromUtf8("Jueves y Sábado"),
                    kJueves.addDays(-30))});
        Principal p(c.ruta());
        QCOMPARE(p.sesion().cuentas().calculos(), 1);
        QCOMPARE(etiqueta(p, "gastoEuros"), QString::fromUtf8("Jugado: 3,00 €"));

        Ajustes a = p.sesion().ajustes();
        a.profundidad = 7;
        p.sesion().ponAjustes(a);
        QCOMPARE(etiqueta(p, "gastoEuros"), QString::fromUtf8("Jugado: 3,00 €"));
        QCOMPARE(p.sesion().cuentas().calculos(), 1);

        a.precio = 1.5f;
        p.sesion().ponAjustes(a);
        QCOMPARE(etiqueta(p, "gastoEuros"), QString::fromUtf8("Jugado: 4,50 €"));
        QCOMPARE(p.sesion().cuentas().calculos(), 2);
    }

    void arranqueConArchivoVacio()
    {
        CarpetaPrueba c;
        Principal p(c.ruta());
        QCOMPARE(etiqueta(p, "Label9_3"), QString::fromUtf8("Fichero de datos vacío."));
        QCOMPARE(etiqueta(p, "Label9_6"), QStringLiteral("No se ha actualizado nunca"));
        QCOMPARE(etiqueta(p, "Label9_5"), QString::fromUtf8("Jueves, 8 de enero del 2026"));
        QCOMPARE(etiqueta(p, "Label9_7"), QString::fromUtf8("¡Hoy sorteo!"));
        QCOMPARE(etiqueta(p, "Label8"), QString::fromUtf8("-Informe del último sorteo"));
        QVERIFY(!p.findChild<QCheckBox *>(QStringLiteral("Check1"))->isEnabled());
        QVERIFY(!p.findChild<QCheckBox *>(QStringLiteral("Check2"))->isEnabled());
        QVERIFY(!p.findChild<QAbstractSlider *>(QStringLiteral("HScroll1"))->isEnabled());
        QCOMPARE(p.sesion().proximosorteo(), 1);
        // No conversion is offered for an empty archive.
        QVERIFY(escritorio->mensajes.isEmpty());
    }

    void primerArranqueConElHistoricoQueTraeElPrograma()
    {
        const QString inicial = QStringLiteral(BOLARIUM_DATOS_PROGRAMA "/numeros-inicial.dat");
        {
            CarpetaPrueba c;
            QVERIFY(QFile::copy(inicial, c.archivo(QStringLiteral("numeros-inicial.dat"))));
            // The day after the history's newest draw: the clock is right.
            escritorio->reloj = QDateTime(QDate(2026, 8, 18), QTime(12, 0));
            // The history has no prize amounts: they are offered once; No asks nothing.
            escritorio->respuestas = {false};
            Principal p(c.ruta());
            QCOMPARE(escritorio->mensajes.size(), 1);
            QVERIFY(escritorio->mensajes[0].pregunta);
            QCOMPARE(escritorio->mensajes[0].titulo,
                     QStringLiteral("Completar importes de premios"));
            QVERIFY(!p.findChild<QWidget *>(QStringLiteral("CompletarImportes")));
            QCOMPARE(p.sesion().sorteos().cuenta(), 4176);
            QCOMPARE(etiqueta(p, "Label9_3"), QStringLiteral("Lunes, 17 de agosto del 2026"));
            QCOMPARE(c.lee(QStringLiteral("numeros.dat")),
                     c.lee(QStringLiteral("numeros-inicial.dat")));
        }
        // An archive already there, even an empty one, is the user's.
        for (const bool vacio : {true, false}) {
            CarpetaPrueba c;
            QVERIFY(QFile::copy(inicial, c.archivo(QStringLiteral("numeros-inicial.dat"))));
            if (vacio)
                c.escribe(QStringLiteral("numeros.dat"), {});
            else
                c.escribeSorteos({sorteoDe(kJueves)});
            escritorio->mensajes.clear();
            Principal p(c.ruta());
            QCOMPARE(p.sesion().sorteos().cuenta(), vacio ? 0 : 1);
            QVERIFY(escritorio->mensajes.isEmpty());
        }
    }

    void avisoQueParpadea()
    {
        CarpetaPrueba c;
        c.escribeSorteos({sorteoDe(kJueves.addDays(-30))});
        Principal p(c.ruta());
        auto *aviso = p.findChild<QLabel *>(QStringLiteral("Label9_6"));
        auto *timer = p.findChild<QTimer *>(QStringLiteral("Timer2"));
        QCOMPARE(aviso->text(), QStringLiteral("Faltan 4 semanas por actualizar"));
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 500);
        const bool antes = aviso->isVisibleTo(&p);
        p.Timer2_Timer();
        QCOMPARE(aviso->isVisibleTo(&p), !antes);
        p.Timer2_Timer();
        QCOMPARE(aviso->isVisibleTo(&p), antes);

        // Up to date again: the warning stops and hides.
        p.sesion().sorteos().agrega({sorteoDe(kJueves)});
        p.sesion().recuenta();
        QVERIFY(!timer->isActive());
        QVERIFY(!aviso->isVisibleTo(&p));
        QCOMPARE(etiqueta(p, "Label9_3"), QString::fromUtf8("Jueves, 8 de enero del 2026"));
        QCOMPARE(etiqueta(p, "Label9_7"), QString::fromUtf8("Faltan 2 días"));
        QVERIFY(p.findChild<QCheckBox *>(QStringLiteral("Check1"))->isEnabled());
        auto *scroll = p.findChild<QAbstractSlider *>(QStringLiteral("HScroll1"));
        QVERIFY(scroll->isEnabled());
        QCOMPARE(scroll->maximum(), 2);
    }

    void archivoAntiguoSeConvierte()
    {
        CarpetaPrueba c;
        QByteArray antiguo;
        for (int i = 0; i < 3; ++i)
            antiguo += sorteoDe(kJueves.addDays(-7 * i), 5 + i).aBytes().left(24);
        c.escribe(QStringLiteral("numeros.dat"), antiguo);
        Principal p(c.ruta());
        QCOMPARE(escritorio->mensajes.size(), 1);
        QCOMPARE(escritorio->mensajes[0].titulo, QString::fromUtf8("Actualización de datos"));
        QCOMPARE(escritorio->mensajes[0].icono, Escritorio::Icono::Informacion);
        QCOMPARE(QFileInfo(c.archivo(QStringLiteral("numeros.dat"))).size(), qint64(3 * 32));
        QVERIFY(!QFile::exists(c.archivo(QStringLiteral("numeros.tmp"))));
        QCOMPARE(p.sesion().proximosorteo(), 4);
        QCOMPARE(p.sesion().sorteos().lee(3).joker, 0.0);
    }

    void archivoActualDeUnSorteoSeQueda()
    {
        CarpetaPrueba c;
        Sorteo s = sorteoDe(kJueves);
        s.joker = 1807401;
        c.escribeSorteos({s});
        Principal p(c.ruta());
        QVERIFY(escritorio->mensajes.isEmpty());
        QCOMPARE(c.lee(QStringLiteral("numeros.dat")), s.aBytes());
    }

    void faltaTablasBin()
    {
        CarpetaPrueba c;
        QFile::remove(c.archivo(QStringLiteral("tablas.bin")));
        Principal p(c.ruta());
        QCOMPARE(escritorio->mensajes.size(), 1);
        QVERIFY(escritorio->mensajes[0].texto.startsWith(
            QString::fromUtf8("No se encuentra un archivo necesario para el funcionamiento del "
                              "programa. Reinstale el programa. Error ")));
        QCOMPARE(escritorio->mensajes[0].titulo, QString::fromUtf8("¡Vaya hombre!"));
    }

    void restosDeUnBorradoSeEliminan()
    {
        CarpetaPrueba c;
        c.escribe(QStringLiteral("apuestas.tmp"), QByteArray(100, 'x'));
        Principal p(c.ruta());
        QVERIFY(!QFile::exists(c.archivo(QStringLiteral("apuestas.tmp"))));
    }

    void bienvenidaSoloLaPrimeraVez()
    {
        CarpetaPrueba c;
        Principal p(c.ruta());
        p.Form_Activate();
        p.Form_Activate();
        QCOMPARE(escritorio->mensajes.size(), 1);
        QCOMPARE(escritorio->mensajes[0].titulo, QString::fromUtf8("Fichero de peñas vacío"));
        QVERIFY(escritorio->mensajes[0].texto.startsWith(QStringLiteral("Bienvenido a Bolarium.")));

        CarpetaPrueba conPenas;
        conPenas.escribePenas({penaDe(QStringLiteral("A"), QStringLiteral("Jueves"), kJueves)});
        escritorio->mensajes.clear();
        Principal q(conPenas.ruta());
        q.Form_Activate();
        QVERIFY(escritorio->mensajes.isEmpty());
    }

    // The highlighted row of the manager's list is the syndicate the commands act on: none at
    // start, the one reached with the keyboard, and it stays through a recount.
    void laFilaResaltadaEsLaPenaElegida()
    {
        CarpetaPrueba c;
        c.escribePenas({penaDe(QStringLiteral("UNO"), QStringLiteral("Jueves"), kJueves),
                        penaDe(QStringLiteral("DOS"), QStringLiteral("Jueves"), kJueves)});
        Principal p(c.ruta());
        p.show();
        control<QTabWidget>(p, "SSTab1")->setCurrentIndex(2);
        auto *lista = control<QTreeView>(p, "ListView1");
        auto resaltadas = [lista] {
            QList<int> filas;
            for (const QModelIndex &i : lista->selectionModel()->selectedRows())
                filas << i.row() + 1;
            return filas;
        };
        QCOMPARE(p.sesion().penasel(), 0);
        QCOMPARE(resaltadas(), QList<int>());
        gestor(p).socios_Click();
        QCOMPARE(escritorio->mensajes.last().texto,
                 QString::fromUtf8("Seleccione una peña primero..."));

        lista->setFocus();
        QTest::keyClick(lista, Qt::Key_Down);
        QTest::keyClick(lista, Qt::Key_Down);
        QCOMPARE(p.sesion().penasel(), 2);
        QCOMPARE(resaltadas(), QList<int>{2});
        p.sesion().recuenta();
        QCOMPARE(resaltadas(), QList<int>{2});
        gestor(p).socios_Click();
        bool abierta = false;
        for (QWidget *w : QApplication::topLevelWidgets())
            abierta |=
                w->isVisible() && w->windowTitle() == QString::fromUtf8("Socios de la peña DOS");
        QVERIFY(abierta);
    }

    void eliminarPena()
    {
        CarpetaPrueba c;
        const std::vector<Pena> tres = {
            penaDe(QStringLiteral("UNO"), QStringLiteral("Jueves"), kJueves),
            penaDe(QStringLiteral("DOS"), QStringLiteral("Jueves"), kJueves),
            penaDe(QStringLiteral("ABCDEFGHIJKLMNOPQRST"), QStringLiteral("Jueves"), kJueves)};
        c.escribePenas(tres);
        Principal p(c.ruta());

        // Nothing selected.
        p.sesion().ponPenasel(0);
        gestor(p).Command3_Click();
        QCOMPARE(escritorio->mensajes.last().texto,
                 QString::fromUtf8("Seleccione una peña primero..."));
        QCOMPARE(escritorio->mensajes.last().titulo, QString::fromUtf8("¡Nooooo!"));

        // Answering No changes nothing.
        p.sesion().ponPenasel(2);
        escritorio->respuestas = {false};
        gestor(p).Command3_Click();
        QCOMPARE(escritorio->mensajes.last().texto,
                 QString::fromUtf8("¿Seguro que quieres eliminar la Peña DOS?"));
        QCOMPARE(escritorio->mensajes.last().titulo, QStringLiteral("Borrar..."));
        QCOMPARE(p.sesion().penas().cuenta(), 3);

        QVERIFY(escritorio->mensajes.last().peligrosa); // "No" is the default answer

        escritorio->respuestas = {true};
        gestor(p).Command3_Click();
        QCOMPARE(c.lee(QStringLiteral("apuestas.dat")), tres[0].aBytes() + tres[2].aBytes());
        QCOMPARE(p.sesion().penas().proximapena(), 3);
        // The selection does not slide onto the syndicate below: a second click (a held key)
        // asks for a syndicate instead of offering to delete the next one.
        escritorio->mensajes.clear();
        gestor(p).Command3_Click();
        QCOMPARE(escritorio->textos(),
                 QStringList{QString::fromUtf8("Seleccione una peña primero...")});
        QCOMPARE(p.sesion().penas().cuenta(), 2);

        // A name that fills its field appears whole.
        p.sesion().ponPenasel(2);
        gestor(p).Command3_Click();
        QCOMPARE(escritorio->mensajes.last().texto,
                 QString::fromUtf8("¿Seguro que quieres eliminar la Peña ABCDEFGHIJKLMNOPQRST?"));
        p.sesion().ponPenasel(1);
        gestor(p).Command3_Click();
        QCOMPARE(QFileInfo(c.archivo(QStringLiteral("apuestas.dat"))).size(), qint64(0));
    }
};

QTEST_MAIN(TstPrincipal)
#include "tst_principal.moc"
