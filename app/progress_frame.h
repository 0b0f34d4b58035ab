#pragma once

#include <QFrame>

namespace varnoth {

// The progress frame Picture1. Its fill Picture2 is set to the width of the
// progress; the frame reports what the fill shows, in percent, to screen
// readers as a progress bar's value, and tells them when it changes.
class ProgressFrame : public QFrame {
    Q_OBJECT

public:
    explicit ProgressFrame(QWidget *parent = nullptr);

    void setFill(QWidget *fill);
    // The share of the frame's inside that the fill covers, 0 to 100.
    int percent() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *fill_ = nullptr;
};

} // namespace varnoth
