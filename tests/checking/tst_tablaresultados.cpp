// The results list over millions of rows: where rows are, what a click and the keys pick,
// scrolling to the end, and rows removed through the model.
#include "archive/fechas.h"
#include "checking/comprobacion.h"
#include "checking/modeloresultados.h"
#include "checking/tablaresultados.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTest>
#include <sys/resource.h>

namespace {

long picoKB()
{
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_maxrss;
}

// Rows that exist only when asked for: row r says "r".
class ModeloEnorme : public QAbstractTableModel {
public:
    int filas = 50'000'000;
    int rowCount(const QModelIndex &padre = {}) const override
    {
        return padre.isValid() ? 0 : filas;
    }
    int columnCount(const QModelIndex &padre = {}) const override
    {
        return padre.isValid() ? 0 : 8;
    }
    QVariant data(const QModelIndex &i, int rol) const override
    {
        return rol == Qt::DisplayRole ? QVariant(QString::number(i.row())) : QVariant();
    }
    void cambia(int cuantas)
    {
        beginResetModel();
        filas = cuantas;
        endResetModel();
    }
};

} // namespace

class TstTablaResultados : public QObject {
    Q_OBJECT
private slots:
    void millonesDeFilas()
    {
        const long antes = picoKB();
        ModeloEnorme modelo;
        TablaResultados tabla;
        tabla.setModel(&modelo);
        tabla.setSelectionBehavior(QAbstractItemView::SelectRows);
        tabla.verticalHeader()->setDefaultSectionSize(20);
        tabla.horizontalHeader()->setDefaultSectionSize(40);
        tabla.resize(400, 300);
        tabla.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tabla));
        QCoreApplication::processEvents();
        // No record a row anywhere: the header that would keep them has none.
        QCOMPARE(tabla.verticalHeader()->count(), 0);
        const int caben = tabla.viewport()->height() / 20;
        QCOMPARE(tabla.verticalScrollBar()->maximum(), modelo.filas - caben);

        tabla.scrollToBottom();
        QCOMPARE(tabla.primeraFila(), modelo.filas - caben);
        const QModelIndex ultima = modelo.index(modelo.filas - 1, 3);
        const QRect donde = tabla.visualRect(ultima);
        QVERIFY(tabla.viewport()->rect().contains(donde));
        QCOMPARE(tabla.indexAt(donde.center()), ultima);
        QVERIFY(!tabla.indexAt(QPoint(5, caben * 20 + 1)).isValid()); // below the last row

        // A click picks the row under it, the keys move from there.
        const QModelIndex fila = modelo.index(modelo.filas - 3, 1);
        QTest::mouseClick(tabla.viewport(), Qt::LeftButton, {}, tabla.visualRect(fila).center());
        QCOMPARE(tabla.currentIndex(), fila);
        QVERIFY(tabla.selectionModel()->isRowSelected(fila.row(), {}));
        QTest::keyClick(&tabla, Qt::Key_Down);
        QCOMPARE(tabla.currentIndex().row(), modelo.filas - 2);
        QTest::keyClick(&tabla, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(tabla.currentIndex().row(), 0);
        QCOMPARE(tabla.primeraFila(), 0);
        QTest::keyClick(&tabla, Qt::Key_PageDown);
        QCOMPARE(tabla.currentIndex().row(), caben);
        QVERIFY(tabla.viewport()->rect().contains(tabla.visualRect(tabla.currentIndex())));

        // A row far down, brought into view; a resize keeps the place.
        const QModelIndex medio = modelo.index(31'415'926, 0);
        tabla.scrollTo(medio, QAbstractItemView::PositionAtTop);
        QCOMPARE(tabla.primeraFila(), 31'415'926);
        tabla.resize(420, 320);
        QCoreApplication::processEvents();
        QCOMPARE(tabla.primeraFila(), 31'415'926);
        QCOMPARE(tabla.indexAt(QPoint(100, 5)).row(), 31'415'926);

        // Fewer rows: the list fits them again.
        modelo.cambia(3);
        QCoreApplication::processEvents();
        QCOMPARE(tabla.verticalScrollBar()->maximum(), 0);
        QCOMPARE(tabla.primeraFila(), 0);
        QCOMPARE(tabla.indexAt(QPoint(100, 45)).row(), 2);
        QVERIFY(!tabla.indexAt(QPoint(100, 65)).isValid());
        QVERIFY(!tabla.grab().isNull());
        // Fifty million rows cost the list nothing of its own; a byte a row would be 50 MB.
        QVERIFY2(picoKB() - antes < 32 * 1024, qPrintable(QString::number(picoKB() - antes)));
    }

    // Another window clears some rows through the model: the others keep their order and cells.
    void filasQuitadas()
    {
        Sorteo s;
        s.numeros = {1, 2, 3, 4, 5, 6};
        s.complementario = 49;
        s.fecha = fechas::serial(QDate(2026, 1, 1)); // a Thursday
        Pena p;
        p.ponNombre(QStringLiteral("P"));
        p.ponDias(QStringLiteral("Jueves"));
        p.tipo = 8;
        for (int k = 1; k <= p.tipo; ++k)
            for (int q = 1; q <= 6; ++q)
                p.numero(k, q) = qint16(k + q);
        comprobacion::Opciones o;
        const comprobacion::Pasada pasada = comprobacion::comprueba({s}, {p}, o);
        ModeloResultados modelo(false);
        modelo.pon(pasada.listado);
        QCOMPARE(modelo.rowCount(), 3 + 8);
        const auto primero = [&modelo](int fila) {
            return modelo.data(modelo.index(fila, 1)).toString();
        };
        QVERIFY(modelo.removeRows(5, 3)); // bets 3, 4 and 5
        QVERIFY(modelo.removeRows(0, 2)); // spacer and syndicate heading
        QVERIFY(!modelo.removeRows(4, 3));
        QCOMPARE(modelo.rowCount(), 6);
        QCOMPARE(modelo.data(modelo.index(0, 7)).toString(), QStringLiteral("01/01/2026 Jueves"));
        const QStringList quedan = {primero(1), primero(2), primero(3), primero(4), primero(5)};
        QCOMPARE(quedan, (QStringList{QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("7"),
                                      QStringLiteral("8"), QStringLiteral("9")}));
        QCOMPARE(modelo.data(modelo.index(1, 7)).toString(),
                 QString::fromUtf8("¡¡ Premio !! Has acertado 5 números."));
        QVERIFY(modelo.removeRows(1, 5));
        QCOMPARE(modelo.rowCount(), 1);
        // The pass's rows are untouched for whoever else shows or prints them.
        QCOMPARE(pasada.listado->cuenta(), 3 + 8);
    }
};

QTEST_MAIN(TstTablaResultados)
#include "tst_tablaresultados.moc"
