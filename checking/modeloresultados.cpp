#include "checking/modeloresultados.h"

#include <QColor>
#include <algorithm>

using comprobacion::Celdas;
using comprobacion::TipoFila;

namespace {
QColor color(quint32 rgb)
{
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}
} // namespace

ModeloResultados::ModeloResultados(bool multiples, QObject *parent)
    : QAbstractTableModel(parent), multiples_(multiples)
{
}

void ModeloResultados::pon(std::shared_ptr<const comprobacion::Listado> listado, QStringList avisos)
{
    beginResetModel();
    listado_ = std::move(listado);
    avisos_ = std::move(avisos);
    tramos_.clear();
    filas_ = listado_ ? listado_->cuenta() : 0;
    filaGuardada_ = -1;
    endResetModel();
}

void ModeloResultados::limpia()
{
    pon(nullptr);
}

int ModeloResultados::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : filas_ + int(avisos_.size());
}

int ModeloResultados::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : (multiples_ ? 11 : 6) + 2;
}

int ModeloResultados::filaDelListado(int fila) const
{
    for (const Tramo &t : tramos_) {
        if (fila < t.cuantas)
            return t.desde + fila;
        fila -= t.cuantas;
    }
    return tramos_.empty() ? fila : -1;
}

const Celdas &ModeloResultados::celdas(int fila) const
{
    if (fila != filaGuardada_) {
        guardada_ = listado_->celdas(filaDelListado(fila));
        filaGuardada_ = fila;
    }
    return guardada_;
}

QVariant ModeloResultados::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int numeros = multiples_ ? 11 : 6;
    if (index.row() >= filas_) {
        if (role == kRolTipo)
            return static_cast<int>(TipoFila::Mensaje);
        if (index.column() != numeros + 1)
            return {};
        if (role == Qt::DisplayRole)
            return avisos_.at(index.row() - filas_);
        if (role == Qt::ForegroundRole)
            return color(comprobacion::kColorPena);
        return {};
    }
    if (!listado_)
        return {};
    const Celdas &c = celdas(index.row());
    if (role == kRolTipo)
        return static_cast<int>(c.tipo);
    if (role == kRolAciertos)
        return int(c.aciertos);
    const int columna = index.column();
    if (columna == 0)
        return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
    if (columna <= numeros) {
        if (columna > c.numeros)
            return {};
        const qint16 valor = c.valor[size_t(columna - 1)];
        switch (role) {
        case Qt::DisplayRole:
            return valor == 0 ? QString() : QString::number(valor);
        case Qt::ForegroundRole:
            if (c.rojos & (1u << (columna - 1)))
                return color(comprobacion::kColorAcierto);
            return {};
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        default:
            return {};
        }
    }
    if (columna == numeros + 1 && c.hayTexto) {
        if (role == Qt::DisplayRole)
            return c.texto;
        if (role == Qt::ForegroundRole)
            return color(c.color);
    }
    return {};
}

QVariant ModeloResultados::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    const int numeros = multiples_ ? 11 : 6;
    if (section >= 1 && section <= numeros)
        return QString::number(section);
    return QString();
}

bool ModeloResultados::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || count <= 0 || row < 0 || row + count > rowCount())
        return false;
    if (row == 0 && count == rowCount()) {
        limpia();
        return true;
    }
    // The listing is shared with whoever else holds it: only what this list shows changes.
    std::vector<Tramo> tramos = tramos_;
    if (tramos.empty())
        tramos.push_back({0, filas_});
    std::vector<Tramo> quedan;
    int inicio = 0;
    for (const Tramo &t : tramos) {
        const int fin = inicio + t.cuantas;
        const int antes = std::clamp(row - inicio, 0, t.cuantas);
        const int despues = std::clamp(fin - (row + count), 0, t.cuantas);
        if (antes > 0)
            quedan.push_back({t.desde, antes});
        if (despues > 0)
            quedan.push_back({t.desde + t.cuantas - despues, despues});
        inicio = fin;
    }
    // The lines after the listing's rows go as asked too.
    const int deListado = std::max(0, std::min(row + count, filas_) - row);
    const int primerAviso = std::max(row, filas_) - filas_;
    beginRemoveRows({}, row, row + count - 1);
    tramos_ = std::move(quedan);
    avisos_.remove(primerAviso, count - deListado);
    filas_ -= deListado;
    filaGuardada_ = -1;
    endRemoveRows();
    return true;
}
