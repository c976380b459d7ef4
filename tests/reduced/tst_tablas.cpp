#include "reduced/tablas.h"
#include "syndicates/pena.h"
#include "syndicates/reducida.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The bet lines of a table: the first k six-number combinations of 1..n, twelve digits each.
QList<QByteArray> combinaciones(int n, int k)
{
    QList<QByteArray> salida;
    int c[6] = {1, 2, 3, 4, 5, 6};
    while (salida.size() < k) {
        QByteArray linea;
        for (int v : c)
            linea += QByteArray::number(v).rightJustified(2, '0');
        salida.append(linea);
        int i = 5;
        while (i >= 0 && c[i] == n - 5 + i)
            --i;
        if (i < 0)
            break;
        ++c[i];
        for (int j = i + 1; j < 6; ++j)
            c[j] = c[j - 1] + 1;
    }
    return salida;
}

QByteArray tabla(int n, const QByteArray &g, const QList<QByteArray> &apuestas, int k = -1)
{
    QByteArray t = QByteArray::number(n) + "\r\n" + g + "\r\n" +
                   QByteArray::number(k < 0 ? apuestas.size() : k) + "\r\n";
    for (const QByteArray &a : apuestas)
        t += a + "\r\n";
    return t;
}

QByteArray tabla(int n, int g, int k)
{
    return tabla(n, QByteArray::number(g), combinaciones(n, k));
}

} // namespace

class TstTablas : public QObject {
    Q_OBJECT
private slots:
    void numeroInicialDeUnaLinea()
    {
        QCOMPARE(reducidas::numeroInicial("  12abc"), 12);
        QCOMPARE(reducidas::numeroInicial("5 aciertos"), 5);
        QCOMPARE(reducidas::numeroInicial("aciertos 5"), 0);
        QCOMPARE(reducidas::numeroInicial(""), 0);
        QVERIFY(reducidas::numeroInicial("99999999999999999999") > 205);
    }

    void listadoPorCantidadDeNumeros()
    {
        const Tablas t = reducidas::interpreta(tabla(7, 6, 7) + tabla(8, 5, 10) + tabla(8, 4, 4) +
                                               tabla(10, 5, 14));
        QCOMPARE(int(t.tablas.size()), 4);
        QCOMPARE(t.rechazadas, 0);
        const QString rango =
            QString::fromUtf8("(Para crear reducidas, se han de elegir entre 7 y 10 números)");
        for (int n : {0, 7, 8, 9, 10, 12})
            QCOMPARE(reducidas::listatablas(t, n).rango, rango);

        const reducidas::Listado ocho = reducidas::listatablas(t, 8);
        QVERIFY(ocho.hayTablas);
        QCOMPARE(ocho.textoCombo, QStringLiteral("Tablas disponibles"));
        QCOMPARE(ocho.entradas, QStringList({QString::fromUtf8("8 números al 5, 10 apuestas."),
                                             QString::fromUtf8("8 números al 4, 4 apuestas.")}));
        QCOMPARE(ocho.indicetablas, std::vector<int>({1, 2}));

        const reducidas::Listado nueve = reducidas::listatablas(t, 9);
        QVERIFY(!nueve.hayTablas);
        QVERIFY(nueve.entradas.isEmpty());
        QCOMPARE(nueve.textoCombo, QString::fromUtf8("No hay tablas reducidas de 9 nºs."));
    }

    void tablasMalFormadasNoSeOfrecen()
    {
        QList<QByteArray> fueraDeRango = combinaciones(8, 6);
        fueraDeRango[3] = "010203040509"; // index 9 with N = 8
        QList<QByteArray> repetido = combinaciones(9, 5);
        repetido[0] = "010203040505";
        QList<QByteArray> corta = combinaciones(9, 3); // says 6, has 3: the next table follows
        const QByteArray archivo =
            tabla(7, "6 aciertos", combinaciones(7, 7)) + tabla(8, "5", fueraDeRango) +
            tabla(9, "5", repetido) + tabla(9, "4", corta, 6) + tabla(10, 5, 14) +
            tabla(21, 5, 20) +                                                   // N above 20
            tabla(12, "5", combinaciones(12, 206)) +                             // K above 205
            "\r\n" + tabla(11, 5, 20) + tabla(12, "4", combinaciones(12, 8), 9); // cut by the end
        const Tablas t = reducidas::interpreta(archivo);
        QCOMPARE(int(t.tablas.size()), 3);
        QCOMPARE(t.tablas[0].n, 7);
        QCOMPARE(t.tablas[1].n, 10);
        QCOMPARE(t.tablas[1].k, 14);
        QCOMPARE(t.tablas[2].n, 11);
        QCOMPARE(t.rechazadas, 5); // N = 21 and K = 206 are one stretch of skipped lines
        // Ordinals count the tables that are offered, so the wizard's positions are them.
        QCOMPARE(reducidas::listatablas(t, 10).indicetablas, std::vector<int>{1});
        QVERIFY(!reducidas::listatablas(t, 8).hayTablas);
        QCOMPARE(
            reducidas::listatablas(t, 8).rango,
            QString::fromUtf8("(Para crear reducidas, se han de elegir entre 7 y 11 números)"));
    }

    void lineasSoloConSaltoDeLineaYCamposConBlancos()
    {
        const Tablas t =
            reducidas::interpreta("7\n6 aciertos\n2\n 1 2 3 4 5 6\n010203040507 resto\n");
        QCOMPARE(int(t.tablas.size()), 1);
        QCOMPARE(t.tablas[0].lineaG, QStringLiteral("6 aciertos"));
        QCOMPARE(t.tablas[0].apuestas[1], (std::array<int, 6>{1, 2, 3, 4, 5, 7}));
    }

    void archivoAusenteOVacio()
    {
        QTemporaryDir dir;
        const Tablas ausente = reducidas::lee(dir.filePath(QStringLiteral("tablas.bin")));
        QVERIFY(!ausente.leido);
        const reducidas::Listado l = reducidas::listatablas(ausente, 8);
        QCOMPARE(l.rango, QString::fromUtf8("El archivo de tablas reducidas no es válido."));
        QCOMPARE(l.textoCombo, QString::fromUtf8("No hay tablas reducidas de 8 nºs."));
        QVERIFY(reducidas::interpreta(QByteArray()).vacio());
        QVERIFY(reducidas::interpreta(QByteArray("\x00\xff garbage\r\n\r\n", 14)).vacio());
    }

    void cifrasDeLaTablaElegida()
    {
        TablaReducida t;
        t.n = 10;
        t.g = 5;
        t.lineaG = QStringLiteral("5 aciertos");
        t.k = 14;
        const reducidas::Cifras es =
            reducidas::cifras(t, QLocale(QLocale::Spanish, QLocale::Spain));
        QCOMPARE(es.posibilidad, QStringLiteral("6,67%"));
        QCOMPARE(es.apuestasTotal, QStringLiteral("210 apuestas."));
        QCOMPARE(es.garantia, QStringLiteral("5 aciertos."));
        QCOMPARE(es.titulo, QString::fromUtf8("Si entre los 10 números seleccionados, se "
                                              "encuentran los 6 ganadores:"));
        QCOMPARE(es.sinReducir,
                 QString::fromUtf8("Jugar a 10 números sin reducir, tendría que rellenar:"));
        QCOMPARE(reducidas::cifras(t, QLocale::c()).posibilidad, QStringLiteral("6.67%"));
        // A bare number of hits says what it counts; one bet is one.
        t.lineaG = QStringLiteral(" 4 ");
        QCOMPARE(reducidas::cifras(t, QLocale::c()).garantia, QStringLiteral("4 aciertos."));
        t.k = 1;
        QCOMPARE(reducidas::entrada(t), QString::fromUtf8("10 números al 5, 1 apuesta."));

        t.n = 20;
        t.k = 1;
        QCOMPARE(reducidas::cifras(t, QLocale::c()).apuestasTotal,
                 QStringLiteral("38760 apuestas."));
        QCOMPARE(reducidas::cifras(t, QLocale::c()).posibilidad, QStringLiteral("0.00%"));
        QCOMPARE(reducidas::Factorial(0), 1.0);
        QCOMPARE(reducidas::Factorial(-3), 1.0);
        QCOMPARE(reducidas::Factorial(10), 3628800.0);
    }

    void expansionSobreLosNumerosElegidos()
    {
        const Tablas t =
            reducidas::interpreta(tabla(7, 6, 7) + tabla(8, "5", {"010203040506", "010203040708"}));
        Pena p;
        const int elegidos[8] = {3, 11, 17, 25, 30, 41, 44, 48};
        for (int i = 0; i < 8; ++i)
            p.numero(1, i + 1) = static_cast<qint16>(elegidos[i]);
        p.numero(7, 1) = 9; // leftovers of an earlier entry must not survive
        const TablaReducida *sel = reducidas::situatabla(t, 1, p);
        QVERIFY(sel);
        QCOMPARE(p.tablaN, qint16(8));
        QCOMPARE(p.tablaG, qint16(5));
        reducidas::aplicatabla(*sel, p);
        const qint16 primera[6] = {3, 11, 17, 25, 30, 41};
        const qint16 segunda[6] = {3, 11, 17, 25, 44, 48};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(p.numero(1, i + 1), primera[i]);
            QCOMPARE(p.numero(2, i + 1), segunda[i]);
        }
        for (int i = 0; i < 8; ++i)
            QCOMPARE(p.elegidos[static_cast<size_t>(i)], qint16(elegidos[i]));
        QCOMPARE(p.elegidos[8], qint16(0));
        QCOMPARE(p.numero(1, 7), qint16(0));
        QCOMPARE(p.numero(7, 1), qint16(0));

        Pena otra;
        QVERIFY(!reducidas::situatabla(t, 2, otra));
        QVERIFY(!reducidas::situatabla(t, -1, otra));
        QCOMPARE(otra.tablaN, qint16(0));
    }

    void elArchivoQueAcompanaAlProgramaSeLeeEntero()
    {
        const Tablas t = reducidas::lee(QStringLiteral(BOLARIUM_DATOS_PROGRAMA "/tablas.bin"));
        QVERIFY(t.leido);
        QVERIFY(!t.vacio());
        QCOMPARE(t.rechazadas, 0);
        int anterior = 0;
        for (const TablaReducida &tabla : t.tablas) {
            QVERIFY(tabla.n >= anterior); // the range message relies on ascending N
            anterior = tabla.n;
        }
    }
};

QTEST_APPLESS_MAIN(TstTablas)
#include "tst_tablas.moc"
