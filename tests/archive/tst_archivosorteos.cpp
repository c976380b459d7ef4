#include "apoyo/carpetaprueba.h"
#include "archive/archivosorteos.h"
#include "archive/conversion.h"
#include "archive/fechas.h"
#include "archive/registro.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {
// The same draws in the 24-byte layout of the previous version.
QByteArray antiguos(const std::vector<Sorteo> &sorteos)
{
    QByteArray bytes;
    for (const Sorteo &s : sorteos)
        bytes += s.aBytes().left(Sorteo::kLongitudAntigua);
    return bytes;
}

Sorteo conJoker(double joker)
{
    Sorteo s = sorteoDe(QDate(2026, 1, 1), 3);
    s.joker = joker;
    return s;
}
} // namespace

class TstArchivoSorteos : public QObject {
    Q_OBJECT
private slots:
    void registroCampoACampo()
    {
        Sorteo s = sorteoDe(QDate(1985, 10, 17), 10);
        s.joker = 1807401;
        const QByteArray b = s.aBytes();
        QCOMPARE(b.size(), 32);
        QCOMPARE(registro::leeInt16(b.constData()), qint16(10));
        QCOMPARE(registro::leeInt16(b.constData() + 12), qint16(49));
        QCOMPARE(registro::leeInt16(b.constData() + 14), qint16(3));
        QCOMPARE(registro::leeDouble(b.constData() + 16), 31337.0);
        QCOMPARE(registro::leeDouble(b.constData() + 24), 1807401.0);
        QCOMPARE(Sorteo::desdeBytes(b.constData()), s);
    }

    void validez()
    {
        Sorteo s = sorteoDe(QDate(2026, 1, 1));
        QVERIFY(s.esValido());
        s.numeros[2] = s.numeros[1];
        QVERIFY(!s.esValido());
        s = sorteoDe(QDate(2026, 1, 1));
        s.numeros[5] = 50;
        QVERIFY(!s.esValido());
        s = sorteoDe(QDate(2026, 1, 1));
        s.complementario = s.numeros[0];
        QVERIFY(!s.esValido());
        s = sorteoDe(QDate(2026, 1, 1));
        s.joker = 12345678;
        QVERIFY(!s.esValido());
    }

    void archivoVacioSeCrea()
    {
        CarpetaPrueba c;
        ArchivoSorteos a(c.archivo(QStringLiteral("numeros.dat")));
        QCOMPARE(a.abre(), Escritura::Hecha);
        QVERIFY(QFile::exists(a.ruta()));
        QCOMPARE(a.proximosorteo(), 1);
    }

    void restoParcialNoEsUnSorteo()
    {
        CarpetaPrueba c;
        const Sorteo s = sorteoDe(QDate(2026, 1, 1));
        c.escribe(QStringLiteral("numeros.dat"), s.aBytes() + QByteArray(20, '\x7f'));
        ArchivoSorteos a(c.archivo(QStringLiteral("numeros.dat")));
        a.abre();
        QCOMPARE(a.cuenta(), 1);
        QCOMPARE(a.restoParcial(), qint64(20));
        // The next rewrite keeps the whole draws only.
        QCOMPARE(a.agrega({sorteoDe(QDate(2026, 1, 3))}), Escritura::Hecha);
        QCOMPARE(QFileInfo(a.ruta()).size(), qint64(64));
        QCOMPARE(a.lee(1), s);
    }

    void eliminaConservaElOrden()
    {
        CarpetaPrueba c;
        std::vector<Sorteo> tres = {sorteoDe(QDate(2026, 1, 1), 1), sorteoDe(QDate(2026, 1, 3), 2),
                                    sorteoDe(QDate(2026, 1, 8), 3)};
        c.escribeSorteos(tres);
        ArchivoSorteos a(c.archivo(QStringLiteral("numeros.dat")));
        a.abre();
        QCOMPARE(a.elimina(2), Escritura::Hecha);
        QCOMPARE(c.lee(QStringLiteral("numeros.dat")), tres[0].aBytes() + tres[2].aBytes());
        QCOMPARE(a.elimina(3), Escritura::Fallo);
    }

    void deteccionDelFormatoAntiguo_data()
    {
        QTest::addColumn<QByteArray>("contenido");
        QTest::addColumn<bool>("antiguo");
        const Sorteo a = sorteoDe(QDate(2026, 1, 1), 3);
        const Sorteo b = sorteoDe(QDate(2026, 1, 3), 11);
        QTest::newRow("vacio") << QByteArray() << false;
        QTest::newRow("actual de un sorteo") << conJoker(0).aBytes() << false;
        QTest::newRow("joker de siete cifras") << conJoker(9999999).aBytes() << false;
        QTest::newRow("joker de ocho cifras") << conJoker(12345678).aBytes() << true;
        QTest::newRow("antiguo de dos") << antiguos({a, b}) << true;
        QTest::newRow("antiguo de uno") << antiguos({a}) << true;
    }
    void deteccionDelFormatoAntiguo()
    {
        QFETCH(QByteArray, contenido);
        QFETCH(bool, antiguo);
        CarpetaPrueba c;
        c.escribe(QStringLiteral("numeros.dat"), contenido);
        QCOMPARE(conversion::esAntiguo(c.archivo(QStringLiteral("numeros.dat"))), antiguo);
    }

    void conversionCompleta()
    {
        CarpetaPrueba c;
        std::vector<Sorteo> sorteos;
        for (int i = 0; i < 5; ++i)
            sorteos.push_back(sorteoDe(QDate(2025, 1, 2).addDays(7 * i), 1 + i));
        c.escribe(QStringLiteral("numeros.dat"), antiguos(sorteos));
        QCOMPARE(conversion::conviertesorteos(c.ruta()), Escritura::Hecha);
        const QByteArray nuevo = c.lee(QStringLiteral("numeros.dat"));
        QCOMPARE(nuevo.size(), 5 * 24 * 32 / 24);
        QCOMPARE(nuevo, ArchivoSorteos::serializa(sorteos)); // Joker numbers 0
        QVERIFY(!QFile::exists(c.archivo(QStringLiteral("numeros.tmp"))));
    }

    void pruebaDeAceptacion_data()
    {
        QTest::addColumn<QByteArray>("contenido");
        QTest::addColumn<bool>("aceptado");
        QByteArray basura(500, '\xff');
        QTest::newRow("jueves y basura") << sorteoDe(QDate(2026, 1, 1)).aBytes() + basura << true;
        QTest::newRow("sabado") << sorteoDe(QDate(2026, 1, 3)).aBytes() << true;
        QTest::newRow("viernes") << sorteoDe(QDate(2026, 1, 2)).aBytes() << false;
        QTest::newRow("ceros") << QByteArray(32, '\0') << false;
        QTest::newRow("corto") << sorteoDe(QDate(2026, 1, 1)).aBytes().left(20) << false;
        Sorteo nan = sorteoDe(QDate(2026, 1, 1));
        nan.fecha = std::nan("");
        QTest::newRow("fecha imposible") << nan.aBytes() << false;
    }
    void pruebaDeAceptacion()
    {
        QFETCH(QByteArray, contenido);
        QFETCH(bool, aceptado);
        CarpetaPrueba c;
        c.escribe(QStringLiteral("candidato.dat"), contenido);
        QCOMPARE(conversion::aceptaArchivo(c.archivo(QStringLiteral("candidato.dat"))), aceptado);
    }

    void historicoReal()
    {
        const QString ruta = CarpetaPrueba::historicoReal();
        if (ruta.isEmpty())
            QSKIP("No está el histórico real de sorteos");
        ArchivoSorteos a(ruta);
        QCOMPARE(a.abre(), Escritura::Hecha);
        QCOMPARE(a.cuenta(), 4176);
        QCOMPARE(a.restoParcial(), qint64(0));
        QVERIFY(!conversion::esAntiguo(ruta));
        QVERIFY(conversion::aceptaArchivo(ruta));
        const Sorteo &primero = a.lee(1);
        QCOMPARE(fechas::dia(primero.fecha), QDate(1985, 10, 17));
        QCOMPARE(primero.numeros, (std::array<qint16, 6>{3, 11, 13, 15, 34, 35}));
        QCOMPARE(primero.complementario, qint16(27));
        int invalidos = 0;
        double anterior = 0;
        for (const Sorteo &s : a.sorteos()) {
            invalidos += !s.esValido();
            QVERIFY(s.fecha > anterior);
            anterior = s.fecha;
        }
        QCOMPARE(invalidos, 0);
    }
};

QTEST_APPLESS_MAIN(TstArchivoSorteos)
#include "tst_archivosorteos.moc"
