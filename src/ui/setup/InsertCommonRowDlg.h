#pragma once
// The dialog "插入公共时段": 于 (the position list, one entry per day period) 添加 (an editable list of
// names). OK without a chosen position is refused with a message.
#include <QDialog>
#include <string>
#include <vector>

class QComboBox;

namespace tabrel::ui {

class InsertCommonRowDlg : public QDialog {
    Q_OBJECT
public:
    // Positions and names as GBK texts; `selected` the position that starts selected (-1 none).
    InsertCommonRowDlg(const std::vector<std::string>& positions, int selected, const std::vector<std::string>& names,
                       QWidget* parent = nullptr);
    int position() const;
    QString name() const;
    QComboBox* positionBox() const { return positions_; }
    QComboBox* nameBox() const { return names_; }

public slots:
    void accept() override;

private:
    QComboBox* positions_;
    QComboBox* names_;
};

} // namespace tabrel::ui
