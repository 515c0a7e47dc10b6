#pragma once
// The day dialog "设置有课的天数": seven check boxes in week order. It has no OK or Cancel: what is
// ticked when it closes becomes the teaching days.
#include <QDialog>
#include <array>

#include "data/Dimensions.h"

class QCheckBox;

namespace tabrel::ui {

class TeachingDaysDlg : public QDialog {
    Q_OBJECT
public:
    TeachingDaysDlg(const std::array<bool, DayColumns>& ticked, QWidget* parent = nullptr);
    std::array<bool, DayColumns> ticked() const;
    QCheckBox* box(int day) const { return boxes_[day]; }

private:
    std::array<QCheckBox*, DayColumns> boxes_{};
};

} // namespace tabrel::ui
