// The reduction tables shipped with the program: every one is read, offered in ascending order of
// N, fits a syndicate record and really reaches the guarantee it states.
#include "reduced/tablas.h"
#include "reduced/verificador.h"

#include <QTest>

class TstTablasEnviadas : public QObject {
    Q_OBJECT
private slots:
    void cadaTablaCumpleSuGarantia()
    {
        const Tablas t = reducidas::lee(QStringLiteral(BOLARIUM_DATOS_PROGRAMA "/tablas.bin"));
        QVERIFY(!t.tablas.empty());
        QCOMPARE(t.rechazadas, 0);
        int n = 0;
        for (const TablaReducida &tabla : t.tablas) {
            QVERIFY(tabla.n >= n);
            n = tabla.n;
            QVERIFY(tabla.k <= 205);
            QCOMPARE(int(tabla.apuestas.size()), tabla.k);
            QVERIFY2(verificador::garantia(tabla.n, tabla.apuestas) >= tabla.g,
                     qPrintable(reducidas::entrada(tabla)));
        }
    }
};

QTEST_APPLESS_MAIN(TstTablasEnviadas)
#include "tst_tablasenviadas.moc"
