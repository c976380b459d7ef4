// A second start on the data folder of a running program: the running program's window comes
// to the front (the splash window while the main one is not open yet), the second start ends
// without writing anything, and when the first does not answer the user is told why.
#include "apoyo/carpetaprueba.h"
#include "apoyo/escritorioprueba.h"
#include "app/presentacion.h"
#include "app/principal.h"
#include "app/unica.h"

#include <QDir>
#include <QLockFile>
#include <QtTest>

namespace {
QStringList estado(const QString &carpeta)
{
    QStringList r;
    const QFileInfoList todos = QDir(carpeta).entryInfoList(
        QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &f : todos)
        r << QStringLiteral("%1 %2 %3")
                 .arg(f.fileName())
                 .arg(f.size())
                 .arg(f.lastModified().toMSecsSinceEpoch());
    return r;
}
} // namespace

class TstUnica : public QObject {
    Q_OBJECT
private:
    EscritorioPrueba *escritorio = nullptr;

private slots:
    void init() { escritorio = EscritorioPrueba::instala(QDate(2026, 1, 8)); }
    void cleanup() { Escritorio::sustituye(nullptr); }

    void elSegundoArranqueTraeLaVentanaDelPrimero()
    {
        CarpetaPrueba c;
        Instancia primera(c.ruta());
        QVERIFY(arrancaSolo(primera));
        Presentacion presentacion(c.ruta());
        presentacion.Timer1->stop();
        Frente frente(primera, presentacion);
        QSignalSpy traidas(&frente, &Frente::traida);
        presentacion.show();

        {
            Instancia segunda(c.ruta());
            QVERIFY(!arrancaSolo(segunda));
        }
        QCOMPARE(traidas.count(), 1);
        QCOMPARE(traidas.takeFirst().at(0).value<QWidget *>(), &presentacion);

        presentacion.Command1_Click();
        Principal *principal = presentacion.principal();
        QVERIFY(principal);
        // Its first activation greets the user: that is the first program's own doing.
        Frente::alFrente(principal);
        QCoreApplication::processEvents();
        principal->showMinimized();
        const int mensajes = escritorio->mensajes.size();
        const QStringList antes = estado(c.ruta());
        {
            // The same folder by another path.
            Instancia segunda(c.ruta() + QStringLiteral("/./"));
            QVERIFY(!arrancaSolo(segunda));
        }
        QCOMPARE(traidas.count(), 1);
        QCOMPARE(traidas.takeFirst().at(0).value<QWidget *>(), principal);
        QVERIFY(principal->isVisible());
        QVERIFY(!principal->isMinimized());
        QVERIFY2(escritorio->textos().mid(mensajes).isEmpty(),
                 qPrintable(escritorio->textos().join(QStringLiteral(" / "))));
        QCOMPARE(estado(c.ruta()), antes);
        delete principal;
    }

    void sinRespuestaDiceQueYaEstaAbierto()
    {
        CarpetaPrueba c;
        QLockFile ajeno(c.archivo(Instancia::nombreCerrojo()));
        QVERIFY(ajeno.tryLock(0));
        const QStringList antes = estado(c.ruta());
        Instancia segunda(c.ruta());
        QVERIFY(!arrancaSolo(segunda));
        QCOMPARE(escritorio->mensajes.size(), 1);
        const QString texto = escritorio->mensajes.first().texto;
        QVERIFY2(texto.startsWith(QString::fromUtf8("Bolarium ya está abierto con la carpeta de "
                                                    "datos ")),
                 qPrintable(texto));
        QVERIFY(texto.contains(QDir::toNativeSeparators(QDir(c.ruta()).canonicalPath())));
        QCOMPARE(estado(c.ruta()), antes);
    }
};

QTEST_MAIN(TstUnica)
#include "tst_unica.moc"
