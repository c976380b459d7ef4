#include "archive/fechas.h"
#include "syndicates/pena.h"

#include <QTest>

class TstFechas : public QObject {
    Q_OBJECT
private slots:
    void serialYDia()
    {
        QCOMPARE(fechas::serial(QDate(1899, 12, 30)), 0.0);
        QCOMPARE(fechas::serial(QDate(1900, 1, 1)), 2.0);
        QCOMPARE(fechas::dia(46023.75), QDate(2026, 1, 1)); // the fraction is the time of day
        QVERIFY(!fechas::dia(std::nan("")).isValid());
        QVERIFY(!fechas::dia(1e300).isValid());
    }
    void diasemanaYTextos()
    {
        QCOMPARE(diasemana(fechas::serial(QDate(2026, 1, 1))), QStringLiteral("Jueves"));
        QCOMPARE(diasemana(fechas::serial(QDate(1985, 10, 17))), QStringLiteral("Jueves"));
        QCOMPARE(diasemana(fechas::serial(QDate(2026, 1, 3))), QString::fromUtf8("Sábado"));
        QCOMPARE(diasemana(fechas::serial(QDate(2026, 1, 4))), QStringLiteral("Domingo"));
        QCOMPARE(diasemana(fechas::serial(QDate(2026, 1, 7))), QString::fromUtf8("Miércoles"));
        QCOMPARE(diasemana(std::nan("")), QString());
        QCOMPARE(fechas::textoLargo(fechas::serial(QDate(2020, 3, 5))),
                 QStringLiteral("Jueves, 5 de marzo del 2020"));
        QCOMPARE(fechas::textoCorto(fechas::serial(QDate(2020, 3, 5))),
                 QStringLiteral("05/03/2020"));
    }
    void cuantosDeCadaCodigo()
    {
        const int codigos[] = {501, 502, 503, 504, 505, 506, 507, 508, 509, 510, 511, 512};
        const int esperado[] = {7, 8, 5, 9, 10, 11, 7, 28, 44, 84, 210, 462};
        for (int i = 0; i < 12; ++i)
            QCOMPARE(int(cuantos(codigos[i])), esperado[i]);
        QCOMPARE(int(cuantos(15)), 9);
        QCOMPARE(int(cuantos(211)), 205);
        QCOMPARE(int(cuantos(500)), 0);
        QCOMPARE(int(cuantos(513)), 0);
        QCOMPARE(int(cuantos(32767)), 0);
    }
};

QTEST_APPLESS_MAIN(TstFechas)
#include "tst_fechas.moc"
