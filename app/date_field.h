#pragma once

#include <QDate>
#include <QDateEdit>

namespace varnoth {

// A date in the form YYYY-MM-DD with a calendar to pick it from (a click on
// the arrow, F4 or Alt+Down). A date can be typed as written: once a section
// is complete the field moves on to the next by itself, and the "-" typed
// after it then stays in that section instead of skipping it (so
// "2004-03-01" reads as typed).
class DateField : public QDateEdit {
    Q_OBJECT

public:
    explicit DateField(QWidget *parent = nullptr);

    // The days the date may be. Typing passes through any day of the years
    // they touch, so that any day of the span can be typed whatever the
    // sections are stepped through (2004-07-18 to 2003-09-01 passes through
    // 2003-07-18); a date outside the span is brought to its nearer end
    // when editing finishes.
    void setSpan(const QDate &first, const QDate &last);
    // The date brought into the span.
    QDate spannedDate() const;
    void showCalendar();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QDate first_;
    QDate last_;
};

} // namespace varnoth
