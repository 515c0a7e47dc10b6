#include "ui/widgets/GridCtrl.h"

#include <QApplication>
#include <QBrush>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <climits>

#include "ui/widgets/UiText.h"

namespace tabrel::ui {

GridItemModel::GridItemModel(GridSource& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), rows_(grid.rowCount()), columns_(grid.columnCount())
{
}

int GridItemModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(0, rows_ - headerRows());
}

int GridItemModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(0, columns_ - headerColumns());
}

QVariant GridItemModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int r = gridRow(index.row()), c = gridColumn(index.column());
    if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::ToolTipRole)
        return qs(grid_.text(r, c));
    if (role == Qt::BackgroundRole && (r < grid_.fixedRows() || c < grid_.fixedColumns()))
        return QBrush(QColor(236, 238, 242));
    return {};
}

bool GridItemModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const QString text = value.toString();
    const auto converted = gbk::fromUtf8(text.toStdString());
    if (!converted) {
        emit refused(QStringLiteral("“%1”中有无法保存的字符").arg(text));
        return false;
    }
    const int r = gridRow(index.row()), c = gridColumn(index.column());
    if (!grid_.isEditable(r, c))
        return false;
    cellsChanged(grid_.edit(r, c, *converted));
    return true;
}

QVariant GridItemModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return headerRows() ? qs(grid_.text(0, gridColumn(section))) : QVariant(section + 1);
    return headerColumns() ? qs(grid_.text(gridRow(section), 0)) : QVariant(section + 1);
}

Qt::ItemFlags GridItemModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (grid_.isEditable(gridRow(index.row()), gridColumn(index.column())))
        f |= Qt::ItemIsEditable;
    return f;
}

void GridItemModel::pasteAt(const QModelIndex& at, const std::string& gbkText)
{
    const int r = at.isValid() ? gridRow(at.row()) : grid_.fixedRows();
    const int c = at.isValid() ? gridColumn(at.column()) : grid_.fixedColumns();
    cellsChanged(grid_.paste(r, c, gbkText));
}

void GridItemModel::cellsChanged(const std::vector<CellPos>& cells)
{
    if (grid_.rowCount() != rows_ || grid_.columnCount() != columns_) {
        reload();
        return;
    }
    for (const CellPos& p : cells) {
        if (p.row < headerRows())
            emit headerDataChanged(Qt::Horizontal, p.column - headerColumns(), p.column - headerColumns());
        else if (p.column < headerColumns())
            emit headerDataChanged(Qt::Vertical, p.row - headerRows(), p.row - headerRows());
        else {
            const QModelIndex i = index(p.row - headerRows(), p.column - headerColumns());
            emit dataChanged(i, i);
        }
    }
}

void GridItemModel::reload()
{
    beginResetModel();
    rows_ = grid_.rowCount();
    columns_ = grid_.columnCount();
    endResetModel();
}

GridCtrl::GridCtrl(GridSource& grid, QWidget* parent) : QTableView(parent), grid_(grid)
{
    model_ = new GridItemModel(grid_, this);
    setModel(model_);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    horizontalHeader()->setSectionsClickable(false);
    verticalHeader()->setSectionsClickable(false);
}

void GridCtrl::copySelection()
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return;
    int top = INT_MAX, left = INT_MAX, bottom = -1, right = -1;
    for (const QModelIndex& i : selected) {
        top = std::min(top, model_->gridRow(i.row()));
        left = std::min(left, model_->gridColumn(i.column()));
        bottom = std::max(bottom, model_->gridRow(i.row()));
        right = std::max(right, model_->gridColumn(i.column()));
    }
    QApplication::clipboard()->setText(qs(grid_.copyText(top, left, bottom, right)));
}

void GridCtrl::pasteAtCurrent()
{
    const auto text = gbk::fromUtf8(QApplication::clipboard()->text().toStdString());
    if (!text) {
        emit model_->refused(QStringLiteral("剪贴板中有无法保存的字符"));
        return;
    }
    model_->pasteAt(currentIndex().isValid() ? currentIndex() : model_->index(0, 0), *text);
}

void GridCtrl::clearSelectedCells()
{
    std::vector<CellPos> cells;
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    for (const QModelIndex& i : selected)
        cells.push_back({model_->gridRow(i.row()), model_->gridColumn(i.column())});
    if (cells.empty() && currentIndex().isValid())
        cells.push_back({model_->gridRow(currentIndex().row()), model_->gridColumn(currentIndex().column())});
    model_->cellsChanged(grid_.clear(cells));
}

void GridCtrl::keyPressEvent(QKeyEvent* e)
{
    if (e->matches(QKeySequence::Copy)) {
        copySelection();
        return;
    }
    if (e->matches(QKeySequence::Paste)) {
        pasteAtCurrent();
        return;
    }
    if ((e->key() == Qt::Key_Delete || e->key() == Qt::Key_Backspace) && e->modifiers() == Qt::NoModifier &&
        state() != QAbstractItemView::EditingState) {
        clearSelectedCells();
        return;
    }
    QTableView::keyPressEvent(e);
}

} // namespace tabrel::ui
