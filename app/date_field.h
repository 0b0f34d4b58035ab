#pragma once

#include <QDateEdit>

namespace varnoth {

// A date in the form YYYY-MM-DD with a calendar to pick it from. A date can
// be typed as written: once a section is complete the field moves on to the
// next by itself, and the "-" typed after it then stays in that section
// instead of skipping it (so "2004-03-01" reads as typed).
class DateField : public QDateEdit {
    Q_OBJECT

public:
    explicit DateField(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace varnoth
