// The program as a package installs it: each user's files in a folder of their own, filled
// once with the shipped data and never over what is there; a build keeps its own folder. The
// manual that comes with it opens from "Instrucciones", and the about window says where the
// data lives.
#include "apoyo/carpetaprueba.h"
#include "apoyo/escritorioprueba.h"
#include "app/acercade.h"
#include "app/manual.h"
#include "app/principal.h"
#include "session/carpetadatos.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

namespace {
const QString kDatos = QStringLiteral(BOLARIUM_DATOS_PROGRAMA);

QByteArray contenido(const QString &ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<falta>");
}

void escribe(const QString &ruta, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// <raiz>/usr/bin holds the executable, <raiz>/usr/share/bolarium the shipped data, as the
// package lays them out; the user's data folder does not exist yet.
struct Instalacion {
    QTemporaryDir raiz;
    QString bin = raiz.filePath(QStringLiteral("usr/bin"));
    QString compartida = raiz.filePath(QStringLiteral("usr/share/bolarium"));
    QString usuario = raiz.filePath(QStringLiteral("casa/.local/share/Bolarium"));

    Instalacion()
    {
        QDir().mkpath(bin);
        QDir().mkpath(compartida);
        for (const QString &nombre : QDir(kDatos).entryList(QDir::Files))
            QFile::copy(kDatos + QLatin1Char('/') + nombre, compartida + QLatin1Char('/') + nombre);
    }
};

QWidget *ventana(const QString &nombre)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == nombre && w->isVisible())
            return w;
    return nullptr;
}
} // namespace

class TstInstalado : public QObject {
    Q_OBJECT
private:
    EscritorioPrueba *escritorio = nullptr;

private slots:
    void init() { escritorio = EscritorioPrueba::instala(QDate(2026, 1, 8)); }
    void cleanup() { Escritorio::sustituye(nullptr); }

    void unaConstruccionSigueEnSuCarpeta()
    {
        QTemporaryDir construccion;
        const QString usuario = construccion.filePath(QStringLiteral("casa/Bolarium"));
        QCOMPARE(carpetadatos::elige(construccion.path(), usuario), construccion.path());
        QVERIFY(!QFileInfo::exists(usuario));
    }

    void lasCopiasSonLosArchivosDeData()
    {
        // A file added to data/ but not to the list would never reach an installed program.
        QStringList enData = QDir(kDatos).entryList(QDir::Files);
        QStringList lista = carpetadatos::repartidos();
        enData.sort();
        lista.sort();
        QCOMPARE(lista, enData);
    }

    void instaladoLlenaLaCarpetaDelUsuario()
    {
        Instalacion i;
        QCOMPARE(carpetadatos::elige(i.bin, i.usuario), i.usuario);
        for (const QString &nombre : carpetadatos::repartidos())
            QCOMPARE(contenido(i.usuario + QLatin1Char('/') + nombre),
                     contenido(i.compartida + QLatin1Char('/') + nombre));
        // No leftovers of the copies beside them.
        QCOMPARE(QDir(i.usuario).entryList(QDir::Files).size(), carpetadatos::repartidos().size());
    }

    void nuncaSobreLosArchivosDelUsuario()
    {
        Instalacion i;
        QDir().mkpath(i.usuario);
        escribe(i.usuario + QStringLiteral("/tablas.bin"), "las mias");
        const QString enlace = i.usuario + QStringLiteral("/Bolarium.sql");
        QVERIFY(QFile::link(i.raiz.filePath(QStringLiteral("no-esta")), enlace));
        QCOMPARE(carpetadatos::elige(i.bin, i.usuario), i.usuario);
        QCOMPARE(carpetadatos::elige(i.bin, i.usuario), i.usuario); // every start does it
        QCOMPARE(contenido(i.usuario + QStringLiteral("/tablas.bin")), QByteArray("las mias"));
        QVERIFY(QFileInfo(enlace).isSymLink());
        QCOMPARE(contenido(i.usuario + QStringLiteral("/Bolarium.net")),
                 contenido(i.compartida + QStringLiteral("/Bolarium.net")));
    }

    void unInformeSinTocarSeActualiza()
    {
        // The syndicate report an earlier version copied, never edited, gets the new one; an
        // edited one stays the user's.
        Instalacion i;
        QDir().mkpath(i.usuario);
        const QByteArray anterior =
            contenido(kDatos + QStringLiteral("/../tests/app/datos/Bolarium1-anterior.net"));
        QVERIFY(anterior.startsWith("<html>"));
        escribe(i.usuario + QStringLiteral("/Bolarium1.net"), anterior);
        escribe(i.usuario + QStringLiteral("/Bolarium.net"), anterior + "<!-- mio -->");
        QCOMPARE(carpetadatos::elige(i.bin, i.usuario), i.usuario);
        QCOMPARE(contenido(i.usuario + QStringLiteral("/Bolarium1.net")),
                 contenido(i.compartida + QStringLiteral("/Bolarium1.net")));
        QCOMPARE(contenido(i.usuario + QStringLiteral("/Bolarium.net")), anterior + "<!-- mio -->");
    }

    void unaCarpetaSinPermisoCopiaLoDeSuLado()
    {
        QTemporaryDir raiz;
        const QString programa = raiz.filePath(QStringLiteral("programa"));
        const QString usuario = raiz.filePath(QStringLiteral("usuario"));
        QDir().mkpath(programa);
        QVERIFY(QFile::copy(kDatos + QStringLiteral("/tablas.bin"),
                            programa + QStringLiteral("/tablas.bin")));
        QFile::setPermissions(programa, QFile::ReadOwner | QFile::ExeOwner);
        const bool escribible = QFileInfo(programa).isWritable();
        QString elegida;
        if (!escribible)
            elegida = carpetadatos::elige(programa, usuario);
        QFile::setPermissions(programa, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (escribible)
            QSKIP("this user may write in any folder");
        QCOMPARE(elegida, usuario);
        QCOMPARE(contenido(usuario + QStringLiteral("/tablas.bin")),
                 contenido(kDatos + QStringLiteral("/tablas.bin")));
    }

    // A program folder that cannot be written sends the data elsewhere, and the user hears of
    // it, naming both folders, the first time; without a home folder there is nowhere to go,
    // and that is said every time. (A folder inside a file may be written by no user, however
    // privileged.)
    void unaCarpetaSinEscrituraSeDice()
    {
        QTemporaryDir raiz;
        const QString archivo = raiz.filePath(QStringLiteral("archivo"));
        escribe(archivo, "x");
        const QString programa = archivo + QStringLiteral("/programa");
        const QString usuario = raiz.filePath(QStringLiteral("usuario"));
        QString aviso;
        QCOMPARE(carpetadatos::elige(programa, usuario, &aviso), usuario);
        QVERIFY2(aviso.contains(QDir::toNativeSeparators(programa)) &&
                     aviso.contains(QDir::toNativeSeparators(usuario)),
                 qPrintable(aviso));
        aviso.clear();
        QCOMPARE(carpetadatos::elige(programa, usuario, &aviso), usuario);
        QVERIFY(aviso.isEmpty());

        QCOMPARE(carpetadatos::elige(programa, QString(), &aviso), programa);
        QVERIFY2(aviso.contains(QStringLiteral("HOME")), qPrintable(aviso));
        aviso.clear();
        const QString sinCasa = archivo + QStringLiteral("/casa/Bolarium");
        QCOMPARE(carpetadatos::elige(programa, sinCasa, &aviso), programa);
        QVERIFY2(aviso.contains(QDir::toNativeSeparators(sinCasa)), qPrintable(aviso));
    }

    void elProgramaInstaladoEmpiezaConLaHistoria()
    {
        Instalacion i;
        CarpetaPrueba usuario; // never reaches the internet
        QCOMPARE(carpetadatos::elige(i.bin, usuario.ruta()), usuario.ruta());
        escritorio->respuestas = {false}; // the prize amounts are not asked for
        Principal p(usuario.ruta());
        QCOMPARE(usuario.lee(QStringLiteral("numeros.dat")),
                 contenido(i.compartida + QStringLiteral("/numeros-inicial.dat")));
    }

    void elManualDeLaConstruccionOElInstalado()
    {
        Instalacion i;
        CarpetaPrueba c;
        QCOMPARE(carpetadatos::manual(c.ruta(), i.bin), QString());
        const QString instalado = i.compartida + QStringLiteral("/manual/manual.md");
        escribe(instalado, "# Instalado");
        QCOMPARE(carpetadatos::manual(c.ruta(), i.bin), instalado);
        escribe(c.archivo(QStringLiteral("manual/manual.md")), "# Construccion");
        QCOMPARE(carpetadatos::manual(c.ruta(), i.bin),
                 c.archivo(QStringLiteral("manual/manual.md")));
    }

    void instruccionesAbreElManual()
    {
        CarpetaPrueba c;
        escribe(c.archivo(QStringLiteral("manual/manual.md")),
                "# Manual de prueba\n\n![Pantalla](imagenes/uno.png)\n\n"
                "[La web](https://www.bolarium.es)\n");
        QImage imagen(4, 4, QImage::Format_RGB32);
        imagen.fill(Qt::green);
        QDir().mkpath(c.archivo(QStringLiteral("manual/imagenes")));
        QVERIFY(imagen.save(c.archivo(QStringLiteral("manual/imagenes/uno.png"))));
        Principal p(c.ruta());
        auto *instrucciones = p.findChild<QAction *>(QStringLiteral("instrucciones"));
        QVERIFY(instrucciones);
        instrucciones->trigger();
        QVERIFY(escritorio->direcciones.isEmpty());
        auto *manual = qobject_cast<Manual *>(ventana(QStringLiteral("Manual")));
        QVERIFY(manual);
        QVERIFY(manual->texto()->toPlainText().contains(QStringLiteral("Manual de prueba")));
        QVERIFY(manual->texto()->isReadOnly());
        QVERIFY(!manual->texto()
                     ->loadResource(QTextDocument::ImageResource,
                                    QUrl(QStringLiteral("imagenes/uno.png")))
                     .isNull());
        // Only the manual's own folder: not the program directory beside it, not the network.
        for (const QUrl &fuera : {QUrl(QStringLiteral("../nums.ini")),
                                  QUrl::fromLocalFile(c.archivo(QStringLiteral("nums.ini"))),
                                  QUrl(QStringLiteral("https://www.bolarium.es/logo.png"))})
            QVERIFY2(manual->texto()->loadResource(QTextDocument::ImageResource, fuera).isNull(),
                     qPrintable(fuera.toString()));
        manual->abreEnlace(QUrl(QStringLiteral("https://www.bolarium.es")));
        QCOMPARE(escritorio->direcciones,
                 QList<QUrl>{QUrl(QStringLiteral("https://www.bolarium.es"))});

        // A second time shows it again, still in one window.
        instrucciones->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        int abiertos = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            abiertos += w->objectName() == QStringLiteral("Manual") && w->isVisible();
        QCOMPARE(abiertos, 1);
    }

    void acercaDiceDondeEstanLosDatos()
    {
        CarpetaPrueba c;
        Acercade a(c.ruta());
        QCOMPARE(a.datos->text(),
                 QStringLiteral("Datos en: ") + QDir::toNativeSeparators(c.ruta()));
    }
};

QTEST_MAIN(TstInstalado)
#include "tst_instalado.moc"
