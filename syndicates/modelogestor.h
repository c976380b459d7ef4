#pragma once

#include "checking/resumen.h"

#include <QAbstractTableModel>
#include <vector>

// The syndicate manager list: name, bets, creation date, draw days.
class ModeloGestor : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void pon(std::vector<comprobacion::FilaGestor> filas);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<comprobacion::FilaGestor> filas_;
};
