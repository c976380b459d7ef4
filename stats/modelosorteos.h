#pragma once

#include "stats/estadisticas.h"

#include <QAbstractTableModel>

// The draw list of the statistics tab (ListView3): numbers in bold, Joker, date and weekday.
// The record number of each row's draw is given under Qt::UserRole.
class ModeloSorteos : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void pon(std::vector<stats::FilaSorteo> filas);
    const std::vector<stats::FilaSorteo> &filas() const { return filas_; }

    // Removing a row is removing its draw from the archive: the rows of newer draws move down
    // one record number with it.
    bool removeRows(int fila, int cuantas, const QModelIndex &padre = {}) override;

    int rowCount(const QModelIndex &padre = {}) const override;
    int columnCount(const QModelIndex &padre = {}) const override;
    QVariant data(const QModelIndex &indice, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion,
                        int rol = Qt::DisplayRole) const override;

private:
    std::vector<stats::FilaSorteo> filas_;
};
