#include "ui/output/ClassChoiceDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "data/DataSet.h"
#include "ui/widgets/UiText.h"

namespace tabrel::ui {

ClassChoiceDlg::ClassChoiceDlg(const DataSet& ds, const std::vector<int>& checked, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("自选班级"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("勾选要在总课程表中显示的班级（勾选年级即选中该年级的全部班级）："), this));
    tree_ = new QTreeWidget(this);
    tree_->setHeaderHidden(true);
    int position = 0;
    for (std::size_t g = 0; g < ds.grades.size(); ++g) {
        auto* grade = new QTreeWidgetItem(tree_, {qs(g < ds.gradeNames.size() ? ds.gradeNames[g] : std::string())});
        grade->setFlags(grade->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsAutoTristate);
        grade->setCheckState(0, Qt::Unchecked);
        for (const auto& c : ds.grades[g]->classes) {
            auto* item = new QTreeWidgetItem(grade, {qs(c->name)});
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            const bool on = std::find(checked.begin(), checked.end(), position) != checked.end();
            item->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
            item->setData(0, Qt::UserRole, position++);
        }
    }
    tree_->expandAll();
    layout->addWidget(tree_);

    auto* row = new QHBoxLayout;
    auto* all = new QPushButton(QStringLiteral("全选"), this);
    auto* none = new QPushButton(QStringLiteral("全不选"), this);
    auto setAll = [this](Qt::CheckState state) {
        for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
            QTreeWidgetItem* grade = tree_->topLevelItem(i);
            for (int k = 0; k < grade->childCount(); ++k)
                grade->child(k)->setCheckState(0, state);
        }
    };
    connect(all, &QPushButton::clicked, this, [setAll] { setAll(Qt::Checked); });
    connect(none, &QPushButton::clicked, this, [setAll] { setAll(Qt::Unchecked); });
    row->addWidget(all);
    row->addWidget(none);
    row->addStretch();
    layout->addLayout(row);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(360, 480);
}

std::vector<int> ClassChoiceDlg::chosen() const
{
    std::vector<int> out;
    for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* grade = tree_->topLevelItem(i);
        for (int k = 0; k < grade->childCount(); ++k)
            if (grade->child(k)->checkState(0) == Qt::Checked)
                out.push_back(grade->child(k)->data(0, Qt::UserRole).toInt());
    }
    return out;
}

} // namespace tabrel::ui
