#pragma once

#include <QTableView>

// A results list: a table whose rows all have the same height. Qt's table keeps a record of
// every row in its vertical header, which for the whole history is hundreds of megabytes
// before a single row is shown; this one places rows by arithmetic instead, so what a list
// costs does not grow with its rows. The vertical header stays (hidden, with no rows) only to
// carry the row height: `verticalHeader()->defaultSectionSize()`.
class TablaResultados : public QTableView {
    Q_OBJECT
public:
    explicit TablaResultados(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;
    QModelIndex indexAt(const QPoint &punto) const override;
    QRect visualRect(const QModelIndex &indice) const override;
    void scrollTo(const QModelIndex &indice, ScrollHint hint = EnsureVisible) override;

    // First row shown at the top.
    int primeraFila() const;

protected:
    void paintEvent(QPaintEvent *evento) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    int verticalOffset() const override;
    QModelIndex moveCursor(CursorAction accion, Qt::KeyboardModifiers modificadores) override;
    QRegion visualRegionForSelection(const QItemSelection &seleccion) const override;
    bool isIndexHidden(const QModelIndex &indice) const override;

private:
    int alto() const;
    int filas() const;
    int caben() const; // whole rows that fit in the viewport, at least one
    int columnaVecina(int columna, int paso) const;
};
