#include "widgets/imagen.h"

#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>

class TstImagen : public QObject {
    Q_OBJECT
private slots:
    // The caption is drawn bold: the sizes leave room for it, and a narrow button wraps it
    // between words and grows in height instead of cutting it.
    void elRotuloCabeEnteroAnchoOEstrecho()
    {
        Imagen boton(QStringLiteral("Image1_2"));
        boton.setText(QStringLiteral("Borrar todos los sorteos"));
        QFont negrita = boton.font();
        negrita.setBold(true);
        const QFontMetrics medidas(negrita);
        QVERIFY(boton.sizeHint().width() > medidas.horizontalAdvance(boton.text()));
        const int estrecho = boton.minimumSizeHint().width();
        QVERIFY(estrecho < boton.sizeHint().width());
        QVERIFY(estrecho > medidas.horizontalAdvance(QStringLiteral("sorteos")));
        QVERIFY(boton.hasHeightForWidth());
        QVERIFY(boton.heightForWidth(estrecho) >= 2 * medidas.height());
        QCOMPARE(boton.heightForWidth(boton.sizeHint().width()), boton.sizeHint().height());
    }

    void resalteTecladoYRaton()
    {
        Imagen boton(QStringLiteral("Image5"));
        boton.setText(QStringLiteral("Imprimir"));
        boton.resize(boton.sizeHint());
        QSignalSpy pulsado(&boton, &Imagen::clicked);

        QEnterEvent entra(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(&boton, &entra);
        QVERIFY(boton.resaltada());
        QEvent sale(QEvent::Leave);
        QCoreApplication::sendEvent(&boton, &sale);
        QVERIFY(!boton.resaltada());

        QTest::mouseClick(&boton, Qt::LeftButton);
        QTest::keyClick(&boton, Qt::Key_Space);
        QTest::keyClick(&boton, Qt::Key_Return);
        QCOMPARE(pulsado.count(), 3);

        // Greyed: no highlight, no click.
        boton.setEnabled(false);
        QCoreApplication::sendEvent(&boton, &entra);
        QVERIFY(!boton.resaltada());
        QTest::mouseClick(&boton, Qt::LeftButton);
        QCOMPARE(pulsado.count(), 3);

        // A highlighted button that gets disabled shows its greyed picture only.
        boton.setEnabled(true);
        QCoreApplication::sendEvent(&boton, &entra);
        boton.setEnabled(false);
        QVERIFY(!boton.resaltada());
        QVERIFY(!boton.grab().isNull());
    }
};

QTEST_MAIN(TstImagen)
#include "tst_imagen.moc"
