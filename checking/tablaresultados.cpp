#include "checking/tablaresultados.h"

#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <climits>

namespace {

// The vertical header of a results list: it carries the row height, never the rows.
class CabeceraSinFilas : public QHeaderView {
public:
    explicit CabeceraSinFilas(QWidget *parent) : QHeaderView(Qt::Vertical, parent) {}
    void setModel(QAbstractItemModel *) override { QHeaderView::setModel(nullptr); }
    // Its own, of its empty model: the table's belongs to the rows it does not follow.
    void setSelectionModel(QItemSelectionModel *) override {}
};

} // namespace

TablaResultados::TablaResultados(QWidget *parent) : QTableView(parent)
{
    setVerticalHeader(new CabeceraSinFilas(this));
    // One scroll step is one row, so the scroll bar's range is the row count and stays an int
    // however long the list; sideways, pixels.
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
}

void TablaResultados::setModel(QAbstractItemModel *model)
{
    if (model == this->model())
        return;
    if (QAbstractItemModel *anterior = this->model())
        disconnect(anterior, nullptr, this, nullptr);
    QTableView::setModel(model);
    if (!model)
        return;
    // The header told the table when rows came and went; now the model does.
    const auto cambian = [this] { scheduleDelayedItemsLayout(); };
    connect(model, &QAbstractItemModel::rowsInserted, this, cambian);
    connect(model, &QAbstractItemModel::rowsRemoved, this, cambian);
    connect(model, &QAbstractItemModel::layoutChanged, this, cambian);
    connect(model, &QAbstractItemModel::modelReset, this, cambian);
}

int TablaResultados::alto() const
{
    return std::max(1, verticalHeader()->defaultSectionSize());
}

int TablaResultados::filas() const
{
    return model() ? model()->rowCount(rootIndex()) : 0;
}

int TablaResultados::caben() const
{
    return std::max(1, viewport()->height() / alto());
}

int TablaResultados::primeraFila() const
{
    return verticalScrollBar()->value();
}

int TablaResultados::verticalOffset() const
{
    return primeraFila() * alto();
}

bool TablaResultados::isIndexHidden(const QModelIndex &indice) const
{
    return isColumnHidden(indice.column());
}

QModelIndex TablaResultados::indexAt(const QPoint &punto) const
{
    if (!model() || punto.y() < 0)
        return {};
    const qint64 fila = qint64(primeraFila()) + punto.y() / alto();
    const int columna = horizontalHeader()->logicalIndexAt(punto.x());
    if (fila >= filas() || columna < 0)
        return {};
    return model()->index(int(fila), columna, rootIndex());
}

QRect TablaResultados::visualRect(const QModelIndex &indice) const
{
    if (!indice.isValid() || indice.model() != model() || indice.parent() != rootIndex() ||
        isIndexHidden(indice))
        return {};
    // Rows far above or below are only ever compared with the viewport: clamp, never wrap.
    const qint64 y = qint64(indice.row() - primeraFila()) * alto();
    const int arriba = int(std::clamp<qint64>(y, -(qint64(1) << 30), qint64(1) << 30));
    return QRect(columnViewportPosition(indice.column()), arriba, columnWidth(indice.column()),
                 alto());
}

void TablaResultados::scrollTo(const QModelIndex &indice, ScrollHint hint)
{
    if (!indice.isValid() || indice.model() != model())
        return;
    const int fila = indice.row();
    const int caben = this->caben();
    int primera = primeraFila();
    switch (hint) {
    case PositionAtTop:
        primera = fila;
        break;
    case PositionAtBottom:
        primera = fila - caben + 1;
        break;
    case PositionAtCenter:
        primera = fila - caben / 2;
        break;
    case EnsureVisible:
        if (fila < primera)
            primera = fila;
        else if (fila >= primera + caben)
            primera = fila - caben + 1;
        break;
    }
    verticalScrollBar()->setValue(primera);

    const int x = horizontalHeader()->sectionPosition(indice.column());
    const int ancho = horizontalHeader()->sectionSize(indice.column());
    const int izquierda = horizontalScrollBar()->value();
    if (x < izquierda)
        horizontalScrollBar()->setValue(x);
    else if (x + ancho > izquierda + viewport()->width())
        horizontalScrollBar()->setValue(std::min(x, x + ancho - viewport()->width()));
}

void TablaResultados::updateGeometries()
{
    // The table lays out the headers and the sideways bar; the rows are counted here. It also
    // sets the vertical bar from its (empty) header, which would send the list to the top.
    const int primera = primeraFila();
    QTableView::updateGeometries();
    const int caben = this->caben();
    verticalScrollBar()->setRange(0, std::max(0, filas() - caben));
    verticalScrollBar()->setPageStep(caben);
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setValue(primera);
}

void TablaResultados::scrollContentsBy(int dx, int dy)
{
    if (dx != 0)
        QTableView::scrollContentsBy(dx, 0);
    if (dy != 0)
        viewport()->update();
}

int TablaResultados::columnaVecina(int columna, int paso) const
{
    const int columnas = model()->columnCount(rootIndex());
    for (int c = columna + paso; c >= 0 && c < columnas; c += paso)
        if (!isColumnHidden(c))
            return c;
    return columna;
}

QModelIndex TablaResultados::moveCursor(CursorAction accion, Qt::KeyboardModifiers)
{
    const int filas = this->filas();
    if (!model() || filas == 0 || model()->columnCount(rootIndex()) == 0)
        return {};
    const QModelIndex actual = currentIndex();
    if (!actual.isValid())
        return model()->index(0, columnaVecina(-1, 1), rootIndex());
    int fila = actual.row();
    int columna = actual.column();
    switch (accion) {
    case MoveUp:
        --fila;
        break;
    case MoveDown:
        ++fila;
        break;
    case MovePageUp:
        fila -= caben();
        break;
    case MovePageDown:
        fila += caben();
        break;
    case MoveHome:
        fila = 0;
        break;
    case MoveEnd:
        fila = filas - 1;
        break;
    case MoveLeft:
    case MovePrevious:
        columna = columnaVecina(columna, isRightToLeft() ? 1 : -1);
        break;
    case MoveRight:
    case MoveNext:
        columna = columnaVecina(columna, isRightToLeft() ? -1 : 1);
        break;
    }
    return model()->index(std::clamp(fila, 0, filas - 1), columna, rootIndex());
}

QRegion TablaResultados::visualRegionForSelection(const QItemSelection &seleccion) const
{
    QRegion region;
    const int primera = primeraFila();
    const int ultima = primera + caben();
    for (const QItemSelectionRange &tramo : seleccion) {
        if (!tramo.isValid() || tramo.parent() != rootIndex())
            continue;
        const int arriba = std::max(tramo.top(), primera);
        const int abajo = std::min(tramo.bottom(), ultima);
        if (arriba > abajo)
            continue;
        int izquierda = INT_MAX;
        int derecha = INT_MIN;
        for (int c = tramo.left(); c <= tramo.right(); ++c) {
            if (isColumnHidden(c))
                continue;
            izquierda = std::min(izquierda, columnViewportPosition(c));
            derecha = std::max(derecha, columnViewportPosition(c) + columnWidth(c));
        }
        if (izquierda < derecha)
            region += QRect(izquierda, (arriba - primera) * alto(), derecha - izquierda,
                            (abajo - arriba + 1) * alto());
    }
    return region & viewport()->rect();
}

void TablaResultados::paintEvent(QPaintEvent *evento)
{
    if (!model())
        return;
    const int filas = this->filas();
    const int alto = this->alto();
    const int primera = primeraFila();
    const QRect zona = evento->rect();
    const int desde = primera + std::max(0, zona.top()) / alto;
    const int hasta = std::min(filas - 1, primera + zona.bottom() / alto);
    if (desde > hasta)
        return;

    QPainter pintor(viewport());
    QStyleOptionViewItem base;
    initViewItemOption(&base);
    const QModelIndex actual = currentIndex();
    const bool foco = (hasFocus() || viewport()->hasFocus()) && actual.isValid();
    const QHeaderView *cabecera = horizontalHeader();
    QItemSelectionModel *seleccion = selectionModel();
    for (int fila = desde; fila <= hasta; ++fila) {
        const int y = (fila - primera) * alto;
        for (int visual = 0; visual < cabecera->count(); ++visual) {
            const int columna = cabecera->logicalIndex(visual);
            if (cabecera->isSectionHidden(columna))
                continue;
            const int x = cabecera->sectionViewportPosition(columna);
            const int ancho = cabecera->sectionSize(columna);
            if (x + ancho <= zona.left() || x > zona.right())
                continue;
            const QModelIndex indice = model()->index(fila, columna, rootIndex());
            QStyleOptionViewItem opcion = base;
            opcion.rect = QRect(x, y, ancho, alto);
            if (seleccion && seleccion->isSelected(indice))
                opcion.state |= QStyle::State_Selected;
            if (opcion.state & QStyle::State_Enabled) {
                const bool activa = model()->flags(indice) & Qt::ItemIsEnabled;
                if (!activa)
                    opcion.state &= ~QStyle::State_Enabled;
                opcion.palette.setCurrentColorGroup(activa ? QPalette::Normal : QPalette::Disabled);
            }
            if (foco && indice == actual)
                opcion.state |= QStyle::State_HasFocus;
            style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &opcion, &pintor, this);
            itemDelegateForIndex(indice)->paint(&pintor, opcion, indice);
        }
    }
}
