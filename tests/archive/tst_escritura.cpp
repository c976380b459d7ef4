// The one writer every file of the program goes through, on a disk with no room left.
#include "apoyo/discolleno.h"
#include "archive/escritura.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {
QByteArray lee(const QString &ruta)
{
    QFile f(ruta);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
} // namespace

class TstEscritura : public QObject {
    Q_OBJECT
private slots:
    void discoLlenoDejaElOriginal_data()
    {
        QTest::addColumn<int>("tamano");
        QTest::newRow("vacío") << 0;
        QTest::newRow("cabe en el búfer") << 8307;
        QTest::newRow("justo el búfer") << 16384;
        QTest::newRow("mayor que el búfer") << 133632;
    }
    void discoLlenoDejaElOriginal()
    {
        QFETCH(int, tamano);
        DiscoLleno disco;
        const QString ruta = QDir(disco.ruta()).filePath(QStringLiteral("apuestas.dat"));
        const QByteArray original(20000, 'o');
        QCOMPARE(archivos::escribe(ruta, original), Escritura::Hecha);
        const QByteArray nuevo(tamano, 'n');

        disco.llena();
        const Escritura r = archivos::escribe(ruta, nuevo);
        disco.libera();

        // An empty file needs no room: emptying a file works even on a full disk.
        QCOMPARE(r, tamano == 0 ? Escritura::Hecha : Escritura::Fallo);
        QCOMPARE(lee(ruta), tamano == 0 ? QByteArray() : original);
        QCOMPARE(QDir(disco.ruta()).entryList(QDir::Files),
                 QStringList{QStringLiteral("apuestas.dat")});

        QCOMPARE(archivos::escribe(ruta, nuevo), Escritura::Hecha);
        QCOMPARE(lee(ruta), nuevo);
    }

    // The file that does not exist yet is not left behind empty either.
    void discoLlenoNoCreaUnArchivoVacio()
    {
        DiscoLleno disco;
        const QString ruta = QDir(disco.ruta()).filePath(QStringLiteral("informe.dat"));
        disco.llena();
        QCOMPARE(archivos::escribe(ruta, QByteArray(100, 'x')), Escritura::Fallo);
        disco.libera();
        QVERIFY(!QFile::exists(ruta));
    }
};

QTEST_APPLESS_MAIN(TstEscritura)
#include "tst_escritura.moc"
