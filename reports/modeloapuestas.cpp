#include "reports/modeloapuestas.h"
#include "widgets/letra.h"

void ModeloApuestas::pon(QStringList apuestas)
{
    beginResetModel();
    apuestas_ = std::move(apuestas);
    endResetModel();
}

int ModeloApuestas::rowCount(const QModelIndex &padre) const
{
    return padre.isValid() ? 0 : static_cast<int>(apuestas_.size());
}

QVariant ModeloApuestas::data(const QModelIndex &indice, int rol) const
{
    if (!indice.isValid() || indice.column() != 0 || indice.row() >= apuestas_.size())
        return {};
    if (rol == Qt::FontRole)
        return letraFija();
    if (rol != Qt::DisplayRole)
        return {};
    return apuestas_.at(indice.row());
}

QVariant ModeloApuestas::headerData(int seccion, Qt::Orientation orientacion, int rol) const
{
    if (seccion == 0 && orientacion == Qt::Horizontal && rol == Qt::DisplayRole)
        return QStringLiteral("Apuestas");
    return {};
}
