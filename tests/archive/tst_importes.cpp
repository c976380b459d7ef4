// premios.dat: the prize amounts of each draw, from the results service, the results page and
// an imported file of the service.
#include "apoyo/carpetaprueba.h"
#include "apoyo/discolleno.h"
#include "archive/fechas.h"
#include "archive/importes.h"
#include "archive/textosorteos.h"
#include "web/servicio.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QtEndian>

namespace {
QString u(const char *t)
{
    return QString::fromUtf8(t);
}

const QDate kDia(2026, 1, 8);

ImportesSorteo registro(const QDate &dia, std::array<qint64, 6> centimos)
{
    ImportesSorteo r;
    r.fecha = fechas::serial(dia);
    r.centimos = centimos;
    return r;
}

QByteArray entrada(const char *fecha, const QByteArray &escrutinio)
{
    return "{\"fecha_sorteo\": \"" + QByteArray(fecha) +
           "\", \"combinacion\": \"02 - 04 - 19 - 28 - 46 - 48 C(33) R(7)\", \"escrutinio\": [" +
           escrutinio + "]}";
}

const QByteArray kEscrutinio =
    "{\"tipo\": \"Especial (6 Aciertos + Reintegro)\", \"premio\": \"0.00\"},"
    "{\"tipo\": \"1ª Categoría (6 Aciertos)\", \"premio\": \"1234567.89\"},"
    "{\"tipo\": \"2ª Categoría (5 Aciertos + C)\", \"premio\": \"98765.43\"},"
    "{\"tipo\": \"3ª Categoría (5 Aciertos)\", \"premio\": \"2345.67\"},"
    "{\"tipo\": \"4ª Categoría (4 Aciertos)\", \"premio\": \"56.78\"},"
    "{\"tipo\": \"5ª Categoría (3 Aciertos)\", \"premio\": 8},"
    "{\"tipo\": \"Reintegro\", \"premio\": \"1.00\"}";
} // namespace

class TstImportes : public QObject {
    Q_OBJECT
private slots:
    // 56 bytes: the date as the archive stores it, then six little-endian int64 cents.
    void registroByteAByte()
    {
        const ImportesSorteo r = registro(kDia, {-1, 123456789012, 2, 3, 0x0102030405060708, 800});
        QByteArray bytes(ImportesSorteo::kLongitud, '\0');
        r.escribeEn(bytes.data());
        double fecha = 0;
        const quint64 bits = qFromLittleEndian<quint64>(bytes.constData());
        std::memcpy(&fecha, &bits, sizeof fecha);
        QCOMPARE(fecha, fechas::serial(kDia));
        QCOMPARE(qFromLittleEndian<qint64>(bytes.constData() + 8), qint64(-1));
        QCOMPARE(qFromLittleEndian<qint64>(bytes.constData() + 16), qint64(123456789012));
        QCOMPARE(bytes.mid(40, 8), QByteArray("\x08\x07\x06\x05\x04\x03\x02\x01", 8));
        QCOMPARE(qFromLittleEndian<qint64>(bytes.constData() + 48), qint64(800));
        QCOMPARE(ImportesSorteo::desdeBytes(bytes.constData()), r);
    }

    void importesEscritosDeCualquierForma_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<qint64>("centimos");
        QTest::newRow("página") << u("1.234.567,89") << qint64(123456789);
        QTest::newRow("servicio") << u("1234567.89") << qint64(123456789);
        QTest::newRow("con euro") << u("8,00 €") << qint64(800);
        QTest::newRow("miles") << u("25.000") << qint64(2500000);
        QTest::newRow("cero") << u("0,00") << qint64(0);
        QTest::newRow("bote") << u("Bote") << qint64(-1);
        QTest::newRow("vacío") << QString() << qint64(-1);
        QTest::newRow("enorme") << u("99999999999999999") << qint64(-1);
    }
    void importesEscritosDeCualquierForma()
    {
        QFETCH(QString, texto);
        QFETCH(qint64, centimos);
        QCOMPARE(importes::centimos(texto).value_or(-1), centimos);
    }

    // A known amount replaces the stored one, an unknown one keeps it; a new day goes in its
    // place by date; nothing new writes nothing.
    void guardarCompletaSinBorrar()
    {
        CarpetaPrueba c;
        ArchivoImportes a(importes::rutaArchivo(c.ruta()));
        QCOMPARE(a.abre(), Escritura::Hecha);
        QVERIFY(!QFile::exists(a.ruta()));
        QCOMPARE(a.guarda({registro(kDia, {-1, -1, -1, -1, 7000, 800})}), Escritura::Hecha);
        QCOMPARE(a.guarda({registro(kDia.addDays(-7), {-1, -1, -1, -1, -1, 800}),
                           registro(kDia, {-1, 500, -1, -1, -1, 900})}),
                 Escritura::Hecha);
        ArchivoImportes b(a.ruta());
        QCOMPARE(b.abre(), Escritura::Hecha);
        QCOMPARE(b.registros(),
                 (std::vector<ImportesSorteo>{registro(kDia.addDays(-7), {-1, -1, -1, -1, -1, 800}),
                                              registro(kDia, {-1, 500, -1, -1, 7000, 900})}));
        QCOMPARE(b.busca(fechas::serial(kDia) + 0.75)->centimos[4], qint64(7000));
        QVERIFY(!b.busca(fechas::serial(kDia.addDays(1))));

        const QDateTime antes = QFileInfo(a.ruta()).lastModified();
        QFile::setPermissions(a.ruta(), QFileDevice::ReadOwner);
        // Only unknown amounts and amounts already stored: not even an attempt to write.
        QCOMPARE(b.guarda({registro(kDia, {-1, 500, -1, -1, -1, -1}),
                           registro(kDia.addDays(7), {-1, -1, -1, -1, -1, -1})}),
                 Escritura::Hecha);
        QFile::setPermissions(a.ruta(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(QFileInfo(a.ruta()).lastModified(), antes);
    }

    // A file edited by hand: records out of order, a day twice, amounts no draw has, a date
    // that is no day, a trailing piece. What can be read is used; too large is not read at all
    // and never written over.
    void archivoHostil()
    {
        CarpetaPrueba c;
        const QString ruta = importes::rutaArchivo(c.ruta());
        ImportesSorteo sinDia = registro(kDia, {1, 1, 1, 1, 1, 1});
        sinDia.fecha = std::numeric_limits<double>::quiet_NaN();
        c.escribe(
            QStringLiteral("premios.dat"),
            ArchivoImportes::serializa({registro(kDia, {-1, -1, -1, -1, -1, 800}),
                                        registro(kDia.addDays(-7), {-1, -1, -1, -1, -1, 900}),
                                        registro(kDia, {-1, -1, -1, -1, -1, 111}),
                                        registro(kDia.addDays(7), {-5, 0, 0, 0, 0, 0}), sinDia}) +
                QByteArray(10, 'x'));
        ArchivoImportes a(ruta);
        QCOMPARE(a.abre(), Escritura::Hecha);
        QCOMPARE(a.cuenta(), 2);
        QCOMPARE(a.danados(), 4);
        QCOMPARE(a.busca(fechas::serial(kDia))->centimos[5], qint64(800));
        QCOMPARE(a.registros().front().fecha, fechas::serial(kDia.addDays(-7)));

        const QByteArray grande((ArchivoImportes::kMaximo + 1) * ImportesSorteo::kLongitud, '\0');
        c.escribe(QStringLiteral("premios.dat"), grande);
        ArchivoImportes g(ruta);
        QCOMPARE(g.abre(), Escritura::Fallo);
        QVERIFY(g.rechazado());
        QCOMPARE(g.cuenta(), 0);
        QCOMPARE(g.guarda({registro(kDia, {-1, -1, -1, -1, -1, 800})}), Escritura::Fallo);
        QCOMPARE(c.lee(QStringLiteral("premios.dat")).size(), grande.size());

        QFile::remove(ruta);
        QVERIFY(QDir(c.ruta()).mkdir(QStringLiteral("premios.dat")));
        ArchivoImportes d(ruta);
        QCOMPARE(d.abre(), Escritura::Fallo);
        QCOMPARE(d.guarda({registro(kDia, {-1, -1, -1, -1, -1, 800})}), Escritura::Fallo);
    }

    // From the results service (a download or an imported file of it) and from the results
    // page's six amount texts.
    void desdeLasTresFuentes()
    {
        CarpetaPrueba c;
        const QByteArray respuesta = "[" + entrada("2026-01-08 00:00:00", kEscrutinio) + "," +
                                     entrada("2026-01-10 00:00:00", "") + "]";
        QCOMPARE(importes::guardaServicio(c.ruta(), servicio::lee(respuesta)), Escritura::Hecha);
        ArchivoImportes a(importes::rutaArchivo(c.ruta()));
        a.abre();
        // The draw without a breakdown has no record: its amounts stay unknown.
        QCOMPARE(a.registros(), (std::vector<ImportesSorteo>{
                                    registro(kDia, {0, 123456789, 9876543, 234567, 5678, 800})}));

        // An imported file reads into the same batch.
        CarpetaPrueba d;
        QCOMPARE(importes::guarda(d.ruta(), textosorteos::lee(respuesta).lote), Escritura::Hecha);
        QCOMPARE(d.lee(QStringLiteral("premios.dat")), c.lee(QStringLiteral("premios.dat")));
        // A CSV or the public history carries no amounts: nothing is written.
        CarpetaPrueba e;
        QCOMPARE(importes::guarda(e.ruta(), textosorteos::lee("08/01/2026;1;2;3;4;5;6;7\r\n").lote),
                 Escritura::Hecha);
        QVERIFY(!QFile::exists(e.archivo(QStringLiteral("premios.dat"))));

        // The page: what its parser left of each cell of 1ª to 5ª and the refund; a cell not
        // found is unknown, and the page says nothing of the special category.
        const std::array<std::optional<QString>, 6> pagina = {
            u("1.234.567,89"), u("45.678,90"), std::nullopt, u("2.345,67"), u("Bote"), u("1,00")};
        const double sabado = fechas::serial(QDate(2026, 1, 10));
        QCOMPARE(importes::guardaDesglose(e.ruta(), sabado, pagina), Escritura::Hecha);
        QCOMPARE(importes::guardaDesglose(e.ruta(), 0, pagina), Escritura::Hecha);
        ArchivoImportes b(importes::rutaArchivo(e.ruta()));
        b.abre();
        QCOMPARE(b.registros(),
                 (std::vector<ImportesSorteo>{
                     registro(QDate(2026, 1, 10), {-1, 123456789, 4567890, -1, 234567, -1})}));
    }

    // A rewrite that cannot finish (a full disk, or the program killed while it writes: the
    // new content only ever goes to a temporary file) leaves the file as it was.
    void sobreviveAUnaReescrituraInterrumpida()
    {
        DiscoLleno disco;
        const QString ruta = importes::rutaArchivo(disco.ruta());
        ArchivoImportes a(ruta);
        QCOMPARE(a.guarda({registro(kDia, {-1, -1, -1, -1, 7000, 800})}), Escritura::Hecha);
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray antes = f.readAll();
        f.close();

        std::vector<ImportesSorteo> muchos;
        for (int i = 1; i <= 2000; ++i)
            muchos.push_back(registro(kDia.addDays(-7 * i), {-1, -1, -1, -1, -1, 800}));
        disco.llena();
        QCOMPARE(a.guarda(muchos), Escritura::Fallo);
        disco.libera();
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), antes);
        f.close();
        QCOMPARE(QDir(disco.ruta()).entryList(QDir::Files), QStringList{u("premios.dat")});
        // What is in memory is still what the file holds.
        QCOMPARE(a.cuenta(), 1);

        // A temporary file left by a killed rewrite is no part of premios.dat.
        QFile resto(QDir(disco.ruta()).filePath(QStringLiteral("premios.dat.Xk3a9Q")));
        QVERIFY(resto.open(QIODevice::WriteOnly));
        resto.write(QByteArray(30, '\xff'));
        resto.close();
        ArchivoImportes b(ruta);
        QCOMPARE(b.abre(), Escritura::Hecha);
        QCOMPARE(b.registros(), a.registros());
        QCOMPARE(b.guarda(muchos), Escritura::Hecha);
        QCOMPARE(b.cuenta(), 2001);
    }
};

QTEST_APPLESS_MAIN(TstImportes)
#include "tst_importes.moc"
