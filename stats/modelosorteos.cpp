#include "stats/modelosorteos.h"
#include "widgets/letra.h"

#include <QFont>

void ModeloSorteos::pon(std::vector<stats::FilaSorteo> filas)
{
    beginResetModel();
    filas_ = std::move(filas);
    endResetModel();
}

bool ModeloSorteos::removeRows(int fila, int cuantas, const QModelIndex &padre)
{
    if (padre.isValid() || fila < 0 || cuantas < 1 || fila + cuantas > rowCount())
        return false;
    const auto primera = filas_.begin() + fila;
    std::vector<int> quitados;
    for (auto i = primera; i != primera + cuantas; ++i)
        quitados.push_back(i->registro);
    beginRemoveRows({}, fila, fila + cuantas - 1);
    filas_.erase(primera, primera + cuantas);
    for (stats::FilaSorteo &f : filas_) {
        int antes = 0;
        for (int q : quitados)
            if (q < f.registro)
                ++antes;
        f.registro -= antes;
    }
    endRemoveRows();
    return true;
}

int ModeloSorteos::rowCount(const QModelIndex &padre) const
{
    return padre.isValid() ? 0 : static_cast<int>(filas_.size());
}

int ModeloSorteos::columnCount(const QModelIndex &padre) const
{
    return padre.isValid() ? 0 : 3;
}

QVariant ModeloSorteos::data(const QModelIndex &indice, int rol) const
{
    if (!indice.isValid() || indice.row() >= rowCount())
        return {};
    const stats::FilaSorteo &f = filas_[static_cast<size_t>(indice.row())];
    switch (rol) {
    case Qt::DisplayRole:
        switch (indice.column()) {
        case 0:
            return f.numeros;
        case 1:
            return f.joker;
        case 2:
            return f.fecha;
        }
        return {};
    case Qt::FontRole:
        // The numbers in bold, in a fixed pitch so that their columns line up.
        if (indice.column() == 0)
            return letraFija(true);
        return {};
    case Qt::UserRole:
        return f.registro;
    }
    return {};
}

QVariant ModeloSorteos::headerData(int seccion, Qt::Orientation orientacion, int rol) const
{
    if (orientacion != Qt::Horizontal || rol != Qt::DisplayRole)
        return {};
    switch (seccion) {
    case 0:
        return QString::fromUtf8("Números ganadores");
    case 1:
        return QStringLiteral("Joker");
    case 2:
        return QStringLiteral("Fecha");
    }
    return {};
}
