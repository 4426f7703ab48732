#include "platform/ListerGrid.h"

#include "database/DB_Listers.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

namespace tvr
{

TListerColumns::TListerColumns(TLister *lister, QList<GridColumn> columns, QObject *parent)
    : QAbstractProxyModel(parent), m_lister(lister), m_columns(std::move(columns))
{
    setSourceModel(lister);
    // A refresh changes the source's columns as well as its rows.
    connect(lister, &QAbstractItemModel::modelAboutToBeReset, this, &TListerColumns::beginResetModel);
    connect(lister, &QAbstractItemModel::modelReset, this, &TListerColumns::endResetModel);
    connect(lister, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [this](const QModelIndex &, int first, int last) { beginInsertRows({}, first, last); });
    connect(lister, &QAbstractItemModel::rowsInserted, this, &TListerColumns::endInsertRows);
    // The colour of a row depends on whether it is the current one.
    connect(lister, &TLister::currentRowChanged, this, [this] {
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::BackgroundRole});
    });
}

int TListerColumns::sourceColumn(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_lister->columnIndex(m_columns.at(column).field) : -1;
}

QModelIndex TListerColumns::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() || row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    return createIndex(row, column);
}

QModelIndex TListerColumns::parent(const QModelIndex &) const
{
    return {};
}

int TListerColumns::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_lister->rowCount();
}

int TListerColumns::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QModelIndex TListerColumns::mapToSource(const QModelIndex &proxyIndex) const
{
    if (!proxyIndex.isValid())
        return {};
    const int column = sourceColumn(proxyIndex.column());
    return column < 0 ? QModelIndex() : m_lister->index(proxyIndex.row(), column);
}

QModelIndex TListerColumns::mapFromSource(const QModelIndex &sourceIndex) const
{
    if (!sourceIndex.isValid())
        return {};
    for (int c = 0; c < m_columns.size(); ++c)
        if (sourceColumn(c) == sourceIndex.column())
            return index(sourceIndex.row(), c);
    return {};
}

QVariant TListerColumns::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::BackgroundRole) {
        if (m_rowColour) {
            const QColor colour = m_rowColour(index.row());
            if (colour.isValid())
                return colour;
        }
        return {};
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    return m_lister->value(index.row(), sourceColumn(index.column()));
}

QVariant TListerColumns::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_columns.size())
        return m_columns.at(section).title;
    return QAbstractProxyModel::headerData(section, orientation, role);
}

bool TListerColumns::canFetchMore(const QModelIndex &parent) const
{
    return m_lister->canFetchMore(parent);
}

void TListerColumns::fetchMore(const QModelIndex &parent)
{
    m_lister->fetchMore(parent);
}

TListerColumns *BindGrid(QTableView *grid, TLister *lister, const QList<GridColumn> &columns)
{
    auto *model = new TListerColumns(lister, columns, grid);
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    grid->setWordWrap(false);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grid->horizontalHeader()->setStretchLastSection(true);
    for (int c = 0; c < columns.size(); ++c)
        grid->setColumnHidden(c, columns.at(c).hidden);

    const auto selectCurrent = [grid, lister] {
        const int row = lister->currentRow();
        QItemSelectionModel *selection = grid->selectionModel();
        if (row < 0) {
            selection->clearSelection();
            return;
        }
        const QModelIndex index = grid->model()->index(row, 0);
        if (selection->currentIndex().row() != row || !selection->isRowSelected(row, {})) {
            selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            grid->scrollTo(index);
        }
    };
    QObject::connect(lister, &TLister::currentRowChanged, grid, selectCurrent);
    QObject::connect(model, &QAbstractItemModel::modelReset, grid, selectCurrent);
    QObject::connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, grid,
                     [lister](const QModelIndex &current) {
                         if (current.isValid() && current.row() != lister->currentRow())
                             lister->setCurrentRow(current.row());
                     });
    selectCurrent();
    return model;
}

} // namespace tvr
