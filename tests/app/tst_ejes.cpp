// The value axis of the charts of counts: whole steps from 0, labels that name their line.
#include "widgets/ejes.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QPointer>
#include <QTest>
#include <QValueAxis>

class TstEjes : public QObject {
    Q_OBJECT
private slots:
    void pasosRedondos_data()
    {
        QTest::addColumn<int>("maximo");
        QTest::addColumn<int>("tope");
        QTest::addColumn<int>("paso");
        QTest::newRow("nada") << 0 << 1 << 1;
        QTest::newRow("uno") << 1 << 1 << 1;
        QTest::newRow("cuatro") << 4 << 4 << 1;
        QTest::newRow("seis") << 6 << 6 << 2;
        QTest::newRow("siete") << 7 << 8 << 2;
        QTest::newRow("once") << 11 << 15 << 5;
        QTest::newRow("284") << 284 << 300 << 100;
        QTest::newRow("mil") << 1000 << 1000 << 200;
        QTest::newRow("enorme") << 2000000000 << 2000000000 << 500000000;
    }
    void pasosRedondos()
    {
        QFETCH(int, maximo);
        QFETCH(int, tope);
        QFETCH(int, paso);
        const EscalaEntera e = escalaEntera(maximo);
        QCOMPARE(e.tope, tope);
        QCOMPARE(e.paso, paso);
    }

    void ejeDeCuentas()
    {
        QValueAxis eje;
        ponEjeEntero(eje, 4);
        QCOMPARE(eje.min(), 0.0);
        QCOMPARE(eje.max(), 4.0);
        QCOMPARE(eje.tickType(), QValueAxis::TicksDynamic);
        QCOMPARE(eje.tickAnchor(), 0.0);
        QCOMPARE(eje.tickInterval(), 1.0);
        QCOMPARE(eje.labelFormat(), QStringLiteral("%d"));
    }

    // A chart drawn again (a new day or half) gets the new labels once, not a pile of them.
    // A chart drawn again keeps no axis of the drawing before.
    void vaciarUnGraficoBorraSusEjes()
    {
        QChart grafico;
        QList<QPointer<QAbstractAxis>> antes;
        for (int vez = 0; vez < 3; ++vez) {
            vaciaGrafico(grafico);
            auto *serie = new QBarSeries;
            serie->append(new QBarSet(QStringLiteral("a")));
            grafico.addSeries(serie);
            auto *x = new QBarCategoryAxis;
            auto *y = new QValueAxis;
            grafico.addAxis(x, Qt::AlignBottom);
            grafico.addAxis(y, Qt::AlignLeft);
            serie->attachAxis(x);
            ponEtiquetasEnteras(grafico, *x);
            for (const QPointer<QAbstractAxis> &eje : antes)
                QVERIFY(eje.isNull());
            antes = {x, y};
        }
        QCOMPARE(grafico.axes().size(), 2);
    }

    void lasEtiquetasPropiasSeSustituyen()
    {
        QChart grafico;
        int despues = -1;
        for (int vez = 0; vez < 3; ++vez) {
            auto *eje = new QBarCategoryAxis;
            eje->append({QStringLiteral("10"), QStringLiteral("11")});
            grafico.addAxis(eje, Qt::AlignBottom);
            ponEtiquetasEnteras(grafico, *eje);
            QCOMPARE(eje->labelsColor(), QColor(Qt::transparent));
            const int hijos = static_cast<int>(grafico.childItems().size());
            QVERIFY(despues < 0 || hijos == despues);
            despues = hijos;
            grafico.removeAxis(eje);
            delete eje;
            // The axis's own items go at the next turn of the event loop.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
};

QTEST_MAIN(TstEjes)
#include "tst_ejes.moc"
