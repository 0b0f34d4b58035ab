#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace varnoth {

// A panel drawn over other controls (a drill-down view over the lists).
// While it is shown, the controls it covers are hidden, so that a screen
// reader does not report them as shown and Tab does not reach them, and the
// keyboard focus goes to `into`. When it is hidden again, the covered
// controls that were shown come back and the focus goes to `back`.
class PanelCover : public QObject {
    Q_OBJECT

public:
    PanelCover(QWidget *panel, std::vector<QWidget *> covered, QWidget *into, QWidget *back);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::vector<QWidget *> covered_;
    std::vector<QPointer<QWidget>> hidden_;
    QWidget *into_;
    QWidget *back_;
};

// Gives the keyboard focus to control if it can take it (shown and enabled).
void focusControl(QWidget *control);

} // namespace varnoth
