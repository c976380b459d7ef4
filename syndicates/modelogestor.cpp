#include "syndicates/modelogestor.h"

void ModeloGestor::pon(std::vector<comprobacion::FilaGestor> filas)
{
    beginResetModel();
    filas_ = std::move(filas);
    endResetModel();
}

int ModeloGestor::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(filas_.size());
}

int ModeloGestor::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 4;
}

QVariant ModeloGestor::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole)
        return {};
    const comprobacion::FilaGestor &f = filas_[size_t(index.row())];
    switch (index.column()) {
    case 0:
        return f.nombre;
    case 1:
        return f.apuestas;
    case 2:
        return f.creacion;
    case 3:
        return f.dias;
    default:
        return {};
    }
}

QVariant ModeloGestor::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const titulos[] = {"Nombre", "Apuestas", "Creada", "Días"};
    if (section < 0 || section > 3)
        return {};
    return QString::fromUtf8(titulos[section]);
}
