#include "ui/widgets/GridCtrl.h"

#include <QApplication>
#include <climits>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>

#include "ui/app/UiText.h"

namespace tabrel::ui {

GridItemModel::GridItemModel(GridModel& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {}

int GridItemModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : grid_.rowCount() - grid_.fixedRows();
}

int GridItemModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : grid_.columnCount() - grid_.fixedColumns();
}

QVariant GridItemModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ToolTipRole))
        return {};
    return qs(grid_.text(index.row() + grid_.fixedRows(), index.column() + grid_.fixedColumns()));
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
    if (!grid_.setText(index.row() + grid_.fixedRows(), index.column() + grid_.fixedColumns(), *converted))
        return false;
    emit dataChanged(index, index);
    return true;
}

QVariant GridItemModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return grid_.fixedRows() > 0 ? qs(grid_.text(0, section + grid_.fixedColumns())) : QVariant(section + 1);
    return grid_.fixedColumns() > 0 ? qs(grid_.text(section + grid_.fixedRows(), 0)) : QVariant(section + 1);
}

Qt::ItemFlags GridItemModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

void GridItemModel::reload()
{
    beginResetModel();
    endResetModel();
}

GridCtrl::GridCtrl(GridModel& grid, QWidget* parent) : QTableView(parent), grid_(grid)
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
    GridModel::Range range{INT_MAX, INT_MAX, -1, -1};
    for (const QModelIndex& i : selected) {
        range.top = std::min(range.top, i.row() + grid_.fixedRows());
        range.left = std::min(range.left, i.column() + grid_.fixedColumns());
        range.bottom = std::max(range.bottom, i.row() + grid_.fixedRows());
        range.right = std::max(range.right, i.column() + grid_.fixedColumns());
    }
    QApplication::clipboard()->setText(qs(grid_.copyText(range)));
}

void GridCtrl::pasteAtCurrent()
{
    const QModelIndex at = currentIndex().isValid() ? currentIndex() : model_->index(0, 0);
    const auto text = gbk::fromUtf8(QApplication::clipboard()->text().toStdString());
    if (!text) {
        emit model_->refused(QStringLiteral("剪贴板中有无法保存的字符"));
        return;
    }
    if (grid_.paste(at.row() + grid_.fixedRows(), at.column() + grid_.fixedColumns(), *text) > 0)
        model_->reload();
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
    QTableView::keyPressEvent(e);
}

} // namespace tabrel::ui
