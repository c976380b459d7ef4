// One program at a time on a data folder (the windows' side is in tests/app/tst_unica.cpp): a
// lock or a socket left by a killed program, an answer that is not the program's, and the
// temporary files killed writers leave behind, cleared only by the program that holds the folder.
#include "apoyo/carpetaprueba.h"
#include "archive/archivosorteos.h"
#include "session/instancia.h"
#include "session/restos.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QtTest>

namespace {
qint64 procesoTerminado()
{
    QProcess p;
    p.start(QStringLiteral("true"), {});
    if (!p.waitForStarted())
        return -1;
    const qint64 pid = p.processId();
    p.waitForFinished();
    return pid;
}
} // namespace

class TstInstancia : public QObject {
    Q_OBJECT
private slots:
    void unaCarpetaLibreTrasCerrar()
    {
        CarpetaPrueba c;
        {
            Instancia primera(c.ruta());
            QCOMPARE(primera.arranca(), Instancia::Resultado::Primera);
        }
        Instancia siguiente(c.ruta());
        QCOMPARE(siguiente.arranca(), Instancia::Resultado::Primera);
        // Another folder is another program's business.
        CarpetaPrueba otra;
        Instancia ajena(otra.ruta());
        QCOMPARE(ajena.arranca(), Instancia::Resultado::Primera);
    }

    void cerrojoYSocketDeUnProgramaMuerto()
    {
        CarpetaPrueba c;
        const qint64 muerto = procesoTerminado();
        QVERIFY(muerto > 0);
        c.escribe(Instancia::nombreCerrojo(), QByteArray::number(muerto) + "\nbolarium\n" +
                                                  QSysInfo::machineHostName().toUtf8() + "\n");
        // The socket file a killed program leaves in place.
        const QString socket = QDir(QDir::tempPath()).filePath(Instancia::nombreServidor(c.ruta()));
        QFile resto(socket);
        QVERIFY(resto.open(QIODevice::WriteOnly));
        resto.close();

        Instancia primera(c.ruta());
        QCOMPARE(primera.arranca(), Instancia::Resultado::Primera);
        Instancia segunda(c.ruta());
        QCOMPARE(segunda.arranca(), Instancia::Resultado::Avisada);
    }

    void sinRespuestaDelQueTieneLaCarpeta()
    {
        CarpetaPrueba c;
        // A program holding the folder that listens but answers something else.
        QLockFile ajeno(c.archivo(Instancia::nombreCerrojo()));
        QVERIFY(ajeno.tryLock(0));
        QLocalServer servidor;
        QVERIFY(servidor.listen(Instancia::nombreServidor(c.ruta())));
        connect(&servidor, &QLocalServer::newConnection, this, [&servidor] {
            QLocalSocket *s = servidor.nextPendingConnection();
            s->write("no\n");
            s->disconnectFromServer();
        });
        Instancia segunda(c.ruta());
        QCOMPARE(segunda.arranca(), Instancia::Resultado::SinRespuesta);
    }

    void quitaSoloLosTemporalesPropios()
    {
        CarpetaPrueba c;
        const QStringList temporales = {QStringLiteral("numeros.dat.aBcDeF"),
                                        QStringLiteral("apuestas.dat.QwErTy"),
                                        QStringLiteral("socios.dat.XyZabc"),
                                        QStringLiteral("jokers.dat.MnOpQr"),
                                        QStringLiteral("premios.dat.kLmNoP"),
                                        QStringLiteral("ganadores.dat.GhIjKl"),
                                        QStringLiteral("nums.ini.AaBbCc"),
                                        QStringLiteral("ajustes.ini.zZyYxX"),
                                        QStringLiteral("completar.dat.PpQqRr"),
                                        QStringLiteral("sorteo.json.UvWxYz"),
                                        QStringLiteral("numeros.tmp.TtUuVv"),
                                        QStringLiteral("numeros.bak.HhIiJj"),
                                        QStringLiteral("numeros-20260101-120000.dat.AbCdEf")};
        const QStringList delUsuario = {
            QStringLiteral("numeros.dat.copia"),      QStringLiteral("mis numeros.dat.ABC123"),
            QStringLiteral("mis numeros.dat.aBcDeF"), QStringLiteral("numeros.dat.backup"),
            QStringLiteral("numeros.dat.BACKUP"),     QStringLiteral("numeros.dat.AbC12x"),
            QStringLiteral("numeros.dat.aBcDeFg"),    QStringLiteral("otro.dat.aBcDeF"),
            QStringLiteral(".numeros.dat.aBcDeF")};
        for (const QString &n : temporales + delUsuario)
            c.escribe(n, "x");
        c.escribe(QStringLiteral("numeros.dat"), QByteArray());
        // A link by a temporary's name is the user's doing: it stays, and so does its target.
        QVERIFY(QFile::link(c.archivo(QStringLiteral("numeros.dat.copia")),
                            c.archivo(QStringLiteral("apuestas.dat.LnKaBc"))));

        Instancia primera(c.ruta());
        QCOMPARE(primera.arranca(), Instancia::Resultado::Primera);
        for (const QString &n : temporales)
            QVERIFY2(!QFileInfo::exists(c.archivo(n)), qPrintable(n));
        for (const QString &n : delUsuario)
            QVERIFY2(QFileInfo::exists(c.archivo(n)), qPrintable(n));
        QVERIFY(QFileInfo(c.archivo(QStringLiteral("apuestas.dat.LnKaBc"))).isSymLink());
        QVERIFY(QFileInfo::exists(c.archivo(QStringLiteral("numeros.dat"))));
        QCOMPARE(primera.restos().size(), temporales.size());

        // A temporary of the program that holds the folder is being written: a later start
        // leaves it alone.
        c.escribe(QStringLiteral("apuestas.dat.QwErTy"), "x");
        Instancia segunda(c.ruta());
        QCOMPARE(segunda.arranca(), Instancia::Resultado::Avisada);
        QVERIFY(QFileInfo::exists(c.archivo(QStringLiteral("apuestas.dat.QwErTy"))));
    }

    void elArchivoTemporalDeSorteos()
    {
        const std::vector<Sorteo> viejos = {sorteoDe(QDate(2026, 1, 1))};
        const std::vector<Sorteo> nuevos = {sorteoDe(QDate(2026, 1, 1)),
                                            sorteoDe(QDate(2026, 1, 3))};
        const QByteArray bytesViejos = ArchivoSorteos::serializa(viejos);
        const QByteArray bytesNuevos = ArchivoSorteos::serializa(nuevos);
        const QString tmp = QStringLiteral("numeros.tmp");
        const QString dat = QStringLiteral("numeros.dat");

        // Beside the archive: a replacement that never happened; the archive stays as it was.
        {
            CarpetaPrueba c;
            c.escribe(dat, bytesViejos);
            c.escribe(tmp, bytesNuevos);
            QCOMPARE(restos::limpia(c.ruta()), QStringList{tmp});
            QCOMPARE(c.lee(dat), bytesViejos);
            QVERIFY(!QFileInfo::exists(c.archivo(tmp)));
        }
        // The only copy of the draws: it becomes the archive.
        {
            CarpetaPrueba c;
            QFile::remove(c.archivo(dat));
            c.escribe(tmp, bytesNuevos);
            restos::limpia(c.ruta());
            QCOMPARE(c.lee(dat), bytesNuevos);
            QVERIFY(!QFileInfo::exists(c.archivo(tmp)));
        }
        // Something that is no archive, with none beside it: kept, nothing made of it.
        {
            CarpetaPrueba c;
            QFile::remove(c.archivo(dat));
            c.escribe(tmp, QByteArray(40, 'z'));
            QVERIFY(restos::limpia(c.ruta()).isEmpty());
            QCOMPARE(c.lee(tmp), QByteArray(40, 'z'));
            QVERIFY(!QFileInfo::exists(c.archivo(dat)));
        }
        // A folder by that name is not the program's.
        {
            CarpetaPrueba c;
            QVERIFY(QDir(c.ruta()).mkdir(tmp));
            QVERIFY(restos::limpia(c.ruta()).isEmpty());
            QVERIFY(QFileInfo(c.archivo(tmp)).isDir());
        }
    }
};

QTEST_MAIN(TstInstancia)
#include "tst_instancia.moc"
