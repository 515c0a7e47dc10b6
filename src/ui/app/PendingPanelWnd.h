#pragma once
// A panel whose screen comes with a later part of the program: it shows its name.
#include <QWidget>

namespace tabrel::ui {

class PendingPanelWnd : public QWidget {
    Q_OBJECT
public:
    explicit PendingPanelWnd(const QString& name, QWidget* parent = nullptr);
    const QString& name() const { return name_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString name_;
};

} // namespace tabrel::ui
