#pragma once

#include <QAbstractListModel>
#include <QStringList>

// The bets of the syndicate shown in the syndicate manager (ListView5), one text a row.
class ModeloApuestas : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void pon(QStringList apuestas);
    const QStringList &apuestas() const { return apuestas_; }

    int rowCount(const QModelIndex &padre = {}) const override;
    QVariant data(const QModelIndex &indice, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion,
                        int rol = Qt::DisplayRole) const override;

private:
    QStringList apuestas_;
};
