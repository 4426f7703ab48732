#pragma once
// A grid over a numbered result set: the columns it shows (by field, with their titles), the
// current row kept in step both ways (selecting a row makes it the lister's current row, and a
// refresh that moves the current row moves the selection), and an optional row colour.

#include <QAbstractProxyModel>
#include <QColor>
#include <QList>
#include <QString>

#include <functional>

class QTableView;

namespace tvr
{

class TLister;

struct GridColumn {
    QString field;
    QString title;
    bool hidden = false; // the row id: read by the actions, not shown
};

// The columns of a lister that a grid shows, in the grid's order.
class TListerColumns : public QAbstractProxyModel
{
    Q_OBJECT
public:
    // background(row) gives the colour of a row, or an invalid colour for the default.
    using RowColour = std::function<QColor(int sourceRow)>;

    TListerColumns(TLister *lister, QList<GridColumn> columns, QObject *parent = nullptr);
    void setRowColour(RowColour colour) { m_rowColour = std::move(colour); }
    TLister *lister() const { return m_lister; }
    const QList<GridColumn> &columns() const { return m_columns; }

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QModelIndex mapToSource(const QModelIndex &proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex &sourceIndex) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

private:
    int sourceColumn(int column) const;

    TLister *m_lister;
    QList<GridColumn> m_columns;
    RowColour m_rowColour;
};

// Binds a read-only, whole-row-selection grid to a lister through TListerColumns (owned by the
// grid) and keeps the selection and the lister's current row in step.
TListerColumns *BindGrid(QTableView *grid, TLister *lister, const QList<GridColumn> &columns);

} // namespace tvr
