#pragma once
// The editable grid of the data-entry dialogs: the core GridModel shown with its first row and
// first column as fixed headers that do not scroll, in-place editing of the other cells, and
// Ctrl+C / Ctrl+V of tab-separated text.
#include <QAbstractTableModel>
#include <QTableView>

#include "app/GridModel.h"

namespace tabrel::ui {

// Qt's view of a GridModel with one fixed row and one fixed column: they become the headers.
class GridItemModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridItemModel(GridModel& grid, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // After the grid changed behind the model's back (a paste).
    void reload();

signals:
    // A typed text that cannot be kept (no GBK form).
    void refused(const QString& message);

private:
    GridModel& grid_;
};

class GridCtrl : public QTableView {
    Q_OBJECT
public:
    explicit GridCtrl(GridModel& grid, QWidget* parent = nullptr);
    GridItemModel* itemModel() const { return model_; }

    // The selected cells as tab-separated text, and a paste at the current cell.
    void copySelection();
    void pasteAtCurrent();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    GridModel& grid_;
    GridItemModel* model_;
};

} // namespace tabrel::ui
