#include "apoyo/carpetaprueba.h"
#include "apoyo/escritorioprueba.h"
#include "app/acercade.h"
#include "app/presentacion.h"
#include "app/principal.h"
#include "app/traduccion.h"
#include "printing/configurar.h"
#include "printing/imprimir.h"
#include "session/sesion.h"
#include "widgets/imagen.h"

#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

QString u(const char *t)
{
    return QString::fromUtf8(t);
}

QWidget *ventanaVisible(const QString &nombre)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == nombre && w->isVisible())
            return w;
    return nullptr;
}

int ventanas(const QString &nombre)
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == nombre)
            ++n;
    return n;
}

} // namespace

class TstVentanas : public QObject {
    Q_OBJECT
    std::unique_ptr<CarpetaPrueba> carpeta;
    EscritorioPrueba *escritorio = nullptr;

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        carpeta = std::make_unique<CarpetaPrueba>();
        escritorio = EscritorioPrueba::instala(QDate(2026, 1, 1));
    }
    void cleanup()
    {
        // Deleting the main window deletes the windows it owns, which may come later in the
        // list: hold every entry through a guard.
        QList<QPointer<QWidget>> ventanas;
        for (QWidget *w : QApplication::topLevelWidgets())
            ventanas.append(w);
        for (const QPointer<QWidget> &w : std::as_const(ventanas))
            if (w && w->objectName() == QStringLiteral("Principal"))
                delete w.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Escritorio::sustituye(nullptr);
        carpeta.reset();
    }

    void presentacionEntraSolaEnElTick58()
    {
        Presentacion p(carpeta->ruta());
        p.show();
        QCOMPARE(p.objectName(), QStringLiteral("Presentacion"));
        QVERIFY(p.Timer1->isActive());
        QCOMPARE(p.Timer1->interval(), 150);
        QCOMPARE(p.ImageList1.size(), 8);
        QVERIFY(p.Command1->isHidden());
        QCOMPARE(p.Command1->text(), QStringLiteral("Entrar"));
        p.Timer1->stop(); // the test drives the ticks

        for (int tick = 1; tick <= 8; ++tick) {
            QVERIFY(p.Command1->isHidden());
            p.Timer1_Timer();
            QCOMPARE(p.mostrada(), tick);
        }
        QVERIFY(!p.Command1->isHidden());
        QCOMPARE(int(p.fotograma), 10);
        p.Timer1_Timer();
        QCOMPARE(p.mostrada(), 8); // the pictures play once

        for (int tick = 10; tick <= 57; ++tick)
            p.Timer1_Timer();
        QVERIFY(p.principal() == nullptr);
        QCOMPARE(ventanas(QStringLiteral("Principal")), 0);

        p.Timer1->start();
        p.Timer1_Timer(); // tick 58
        QVERIFY(p.principal() != nullptr);
        QVERIFY(!p.Timer1->isActive());
        QCOMPARE(p.principal()->sesion().carpeta(), QDir(carpeta->ruta()).absolutePath());
        QVERIFY(p.principal()->isVisible());
        QVERIFY(!p.isVisible()); // the main window closes the splash as it starts
        QVERIFY(QGuiApplication::quitOnLastWindowClosed());
        QVERIFY(QFile::exists(carpeta->archivo(QStringLiteral("nums.ini"))));
    }

    void entrarAbreUnaSolaVentanaPrincipal()
    {
        Presentacion p(carpeta->ruta());
        p.show();
        for (int i = 0; i < 8; ++i)
            p.Timer1_Timer();
        p.Command1->click();
        QVERIFY(p.principal() != nullptr);
        QVERIFY(!p.Timer1->isActive());
        p.Command1_Click();
        for (int i = 0; i < 60; ++i)
            p.Timer1_Timer();
        QCOMPARE(ventanas(QStringLiteral("Principal")), 1);
    }

    void nombresDeVersion_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("nombre");
        const char *const tabla[][2] = {
            {"1.0.0", "Windows 95"},
            {"1.1.0", "Windows 98"},
            {"1.9.0", "Windows Millenium"},
            {"2.3.0", "Windows NT 3.51"},
            {"2.4.0", "Windows NT 4.0"},
            {"2.5.0", "Windows 2000"},
            {"2.5.1", "Windows XP"},
            {"2.5.2", "Windows 2003"},
            {"2.6.0", "Windows Vista"},
            {"2.6.1", "Windows 7"},
            {"2.6.2", "Windows 8"},
            {"2.10.0", "Windows 10"},
            {"2.6.3", "2.6.3"},
            {"2.10", "2.10"},
        };
        for (const auto &fila : tabla)
            QTest::newRow(fila[0]) << QString::fromLatin1(fila[0]) << QString::fromLatin1(fila[1]);
    }
    void nombresDeVersion()
    {
        QFETCH(QString, version);
        QFETCH(QString, nombre);
        QCOMPARE(Acercade::VersionToName(version), nombre);
    }

    void lineaDelSistema()
    {
        QCOMPARE(Acercade::versionDe(QStringLiteral("winnt"), QStringLiteral("6.1.7601")),
                 QStringLiteral("2.6.1"));
        QCOMPARE(Acercade::lineaSistema(QStringLiteral("winnt"), QStringLiteral("6.1.7601"),
                                        QStringLiteral("Windows 7 SP 1")),
                 QStringLiteral("S.O: Windows 7"));
        QCOMPARE(Acercade::lineaSistema(QStringLiteral("winnt"), QStringLiteral("6.3.9600"),
                                        QStringLiteral("Windows 8.1")),
                 QStringLiteral("S.O: 2.6.3"));
        QCOMPARE(Acercade::lineaSistema(QStringLiteral("winnt"), QStringLiteral("10.0.19045"),
                                        QStringLiteral("Windows 10 Version 22H2")),
                 QStringLiteral("S.O: Windows 10"));
        // Elsewhere there are no such numbers: the platform names itself.
        QCOMPARE(Acercade::versionDe(QStringLiteral("linux"), QStringLiteral("6.1.0-18-amd64")),
                 QString());
        QCOMPARE(Acercade::lineaSistema(QStringLiteral("linux"), QStringLiteral("6.1.0-18-amd64"),
                                        QStringLiteral("Debian GNU/Linux 12 (bookworm)")),
                 QStringLiteral("S.O: Debian GNU/Linux 12 (bookworm)"));
        QCOMPARE(
            Acercade::lineaSistema(QStringLiteral("darwin"), QStringLiteral("22.1.0"), QString()),
            QStringLiteral("S.O: darwin 22.1.0"));
    }

    void ventanaAcercaDe()
    {
        {
            QSettings ini(carpeta->archivo(QStringLiteral("ajustes.ini")), QSettings::IniFormat);
            ini.setValue(QStringLiteral("autor/web"), QStringLiteral("www.ejemplo.es"));
        }
        Acercade v(carpeta->ruta());
        QCOMPARE(v.objectName(), QStringLiteral("Acercade"));
        QCOMPARE(v.windowTitle(), QStringLiteral("Bolarium v.3.4.995"));
        QVERIFY(v.Label3->text().startsWith(QStringLiteral("S.O: ")));
        QVERIFY(v.Label3->text().size() > 5);
        QCOMPARE(v.Label3->text(),
                 Acercade::lineaSistema(QSysInfo::kernelType(), QSysInfo::kernelVersion(),
                                        QSysInfo::prettyProductName()));
        v.show();
        auto *enlace = v.findChild<Imagen *>(QStringLiteral("Label2"));
        QVERIFY(enlace);
        QTest::mouseClick(enlace, Qt::LeftButton);
        QCOMPARE(escritorio->direcciones.size(), 1);
        QCOMPARE(escritorio->direcciones[0], QUrl(QStringLiteral("http://www.ejemplo.es")));
    }

    void ventanasDesdeLaPrincipal()
    {
        Pena dos = penaDe(QStringLiteral("SEGUNDA"), QStringLiteral("Jueves"), QDate(2025, 1, 2));
        dos.tipo = 10;
        carpeta->escribePenas(
            {penaDe(QStringLiteral("PRIMERA"), QStringLiteral("Jueves"), QDate(2025, 1, 2)), dos});
        auto *principal = new Principal(carpeta->ruta());
        escritorio->mensajes.clear();

        // No syndicate selected: the button and its picture refuse.
        principal->sesion().ponPenasel(0);
        principal->findChild<QPushButton *>(QStringLiteral("Command2"))->click();
        QTest::mouseClick(principal->findChild<Imagen *>(QStringLiteral("Image1_3")),
                          Qt::LeftButton);
        QCOMPARE(escritorio->mensajes.size(), 2);
        for (const auto &m : escritorio->mensajes) {
            QCOMPARE(m.texto, u("Seleccione una peña primero..."));
            QCOMPARE(m.titulo, u("¡Nooooo!"));
            QCOMPARE(m.icono, Escritorio::Icono::Informacion);
        }
        QVERIFY(!ventanaVisible(QStringLiteral("Imprimir")));

        principal->sesion().ponPenasel(2);
        principal->findChild<QPushButton *>(QStringLiteral("Command2"))->click();
        auto *imprimir = qobject_cast<Imprimir *>(ventanaVisible(QStringLiteral("Imprimir")));
        QVERIFY(imprimir);
        QCOMPARE(imprimir->Label2->text(), QStringLiteral("SEGUNDA"));
        QCOMPARE(imprimir->Label6->text(), QStringLiteral("2"));
        imprimir->findChild<QLineEdit *>(QStringLiteral("Text1_0"))->setText(QStringLiteral("7"));
        QCOMPARE(principal->sesion().ajustes().desplazaX, 7.0f);

        principal->findChild<QAction *>(QStringLiteral("confi"))->trigger();
        auto *configurar = qobject_cast<Configurar *>(ventanaVisible(QStringLiteral("Configurar")));
        QVERIFY(configurar);
        configurar->Text2->setText(QStringLiteral("15"));
        QCOMPARE(principal->sesion().ajustes().profundidad, qint16(15));
        QCOMPARE(principal->sesion().ajustes().desplazaX,
                 7.0f); // still there after the other window wrote
        for (const char *nombre : {"Slider1_0", "Slider1_1"}) {
            auto *s = principal->findChild<QAbstractSlider *>(QString::fromLatin1(nombre));
            QVERIFY(s);
            QCOMPARE(s->value(), 15);
        }
        const Ajustes guardados = Ajustes::lee(carpeta->archivo(QStringLiteral("nums.ini")));
        QCOMPARE(guardados.desplazaX, 7.0f);
        QCOMPARE(guardados.profundidad, qint16(15));

        principal->findChild<QAction *>(QStringLiteral("acerca"))->trigger();
        QVERIFY(ventanaVisible(QStringLiteral("Acercade")));

        // Back in the main window: the three secondary windows close.
        principal->Form_Activate();
        for (const char *nombre : {"Imprimir", "Configurar", "Acercade"})
            QVERIFY2(!ventanaVisible(QString::fromLatin1(nombre)), nombre);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(ventanas(QStringLiteral("Imprimir")), 0);
    }

    void botonesDeQtEnEspanol()
    {
        QVERIFY2(instalaTraducciones(), "faltan las traducciones de Qt (qt6-translations-l10n)");
        QDialogButtonBox botones(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                 QDialogButtonBox::Yes | QDialogButtonBox::No |
                                 QDialogButtonBox::Save);
        QCOMPARE(botones.button(QDialogButtonBox::Ok)->text(), QStringLiteral("Aceptar"));
        QCOMPARE(botones.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancelar"));
        QCOMPARE(botones.button(QDialogButtonBox::Yes)->text().remove(QLatin1Char('&')),
                 QString::fromUtf8("Sí"));
        QCOMPARE(botones.button(QDialogButtonBox::No)->text().remove(QLatin1Char('&')),
                 QStringLiteral("No"));
        QVERIFY(instalaTraducciones()); // a second call changes nothing
    }
};

QTEST_MAIN(TstVentanas)
#include "tst_ventanas.moc"
