#pragma once
// The editable grid of the data-entry dialogs and of the panels' tables: a core GridSource shown
// with its first fixed row and first fixed column as headers that do not scroll, further fixed
// rows and columns as grey cells, in-place editing of the editable cells, and Ctrl+C / Ctrl+V of
// tab-separated text. Edits and pastes go to the source, which says which cells changed.
#include <QAbstractTableModel>
#include <QTableView>

#include "views/GridSource.h"

namespace tabrel::ui {

// Qt's view of a GridSource.
class GridItemModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridItemModel(GridSource& grid, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Grid positions of a model index and back.
    int gridRow(int modelRow) const { return modelRow + headerRows(); }
    int gridColumn(int modelColumn) const { return modelColumn + headerColumns(); }
    // A paste at a model index; repaints the cells it changed.
    void pasteAt(const QModelIndex& at, const std::string& gbkText);
    // The cells changed behind the model's back; a size change resets the model.
    void cellsChanged(const std::vector<CellPos>& cells);
    void reload();

signals:
    // A typed text that cannot be kept (no GBK form).
    void refused(const QString& message);

private:
    int headerRows() const { return grid_.fixedRows() > 0 ? 1 : 0; }
    int headerColumns() const { return grid_.fixedColumns() > 0 ? 1 : 0; }
    GridSource& grid_;
    int rows_ = 0, columns_ = 0;
};

class GridCtrl : public QTableView {
    Q_OBJECT
public:
    explicit GridCtrl(GridSource& grid, QWidget* parent = nullptr);
    GridItemModel* itemModel() const { return model_; }

    // The selected cells as tab-separated text, and a paste at the current cell.
    void copySelection();
    void pasteAtCurrent();
    // Delete / Backspace: empties the selected editable cells (one step in a school grid).
    void clearSelectedCells();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    GridSource& grid_;
    GridItemModel* model_;
};

} // namespace tabrel::ui
