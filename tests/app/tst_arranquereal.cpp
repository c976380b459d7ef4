// The real executable, started offscreen on a fresh program directory, comes up and quits
// cleanly when the session asks it to.
#include "apoyo/carpetaprueba.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

class TstArranqueReal : public QObject {
    Q_OBJECT
private slots:
    void arrancaYTerminaLimpio()
    {
        CarpetaPrueba c;
        const QString programa = c.archivo(QStringLiteral("bolarium"));
        QVERIFY(QFile::copy(QStringLiteral(BOLARIUM_PROGRAMA), programa));
        QProcess proceso;
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        proceso.setProcessEnvironment(entorno);
        proceso.setWorkingDirectory(QDir::tempPath()); // the program must not depend on it
        proceso.start(programa, {});
        QVERIFY(proceso.waitForStarted());
        // The start-up writes its settings files in its own directory.
        QVERIFY(QTest::qWaitFor(
            [&] { return QFile::exists(c.archivo(QStringLiteral("nums.ini"))); }, 60000));
        QVERIFY(QFile::exists(c.archivo(QStringLiteral("numeros.dat"))));
        QVERIFY(QFile::exists(c.archivo(QStringLiteral("apuestas.dat"))));
        proceso.terminate();
        QVERIFY(proceso.waitForFinished(60000));
        QCOMPARE(proceso.exitStatus(), QProcess::NormalExit);
        QCOMPARE(proceso.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TstArranqueReal)
#include "tst_arranquereal.moc"
