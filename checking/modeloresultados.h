#pragma once

#include "checking/comprobacion.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <memory>

// The rows of a checking pass as a results list shows them: column 0 the (empty) text column,
// then the number cells, then the caption/message cell. Rows are made from the listing's
// blocks when the view asks, so a list of millions of bets costs no more than a short one.
class ModeloResultados : public QAbstractTableModel {
    Q_OBJECT
public:
    // Kind of row (comprobacion::TipoFila) and hits of a bet row, for whoever needs them.
    static constexpr int kRolTipo = Qt::UserRole;
    static constexpr int kRolAciertos = Qt::UserRole + 1;

    explicit ModeloResultados(bool multiples, QObject *parent = nullptr);

    // The rows of a pass, and after them lines of their own (the syndicates with no draw yet).
    void pon(std::shared_ptr<const comprobacion::Listado> listado, QStringList avisos = {});
    void limpia();
    const comprobacion::Listado *listado() const { return listado_.get(); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // Clearing a list the generic way (the whole list, or some of its rows).
    bool removeRows(int row, int count, const QModelIndex &parent = {}) override;

private:
    // Rows of the listing shown one after the other: the whole listing until someone removes
    // some of its rows through the model.
    struct Tramo {
        int desde = 0;
        int cuantas = 0;
    };

    const comprobacion::Celdas &celdas(int fila) const;
    int filaDelListado(int fila) const;

    bool multiples_;
    std::shared_ptr<const comprobacion::Listado> listado_;
    std::vector<Tramo> tramos_; // empty: every row of the listing
    int filas_ = 0;             // of the listing
    QStringList avisos_;
    // A view asks for every column and role of a row in turn: keep the last row made.
    mutable int filaGuardada_ = -1;
    mutable comprobacion::Celdas guardada_;
};
