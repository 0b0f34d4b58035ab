#include "date_field.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyleOptionComboBox>

namespace varnoth {

DateField::DateField(QWidget *parent)
    : QDateEdit(parent)
{
    setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    setCalendarPopup(true);
    connect(this, &QAbstractSpinBox::editingFinished, this, [this] {
        if (date() != spannedDate())
            setDate(spannedDate());
    });
}

void DateField::setSpan(const QDate &first, const QDate &last)
{
    first_ = first;
    last_ = last;
    setDateRange(QDate(first.year(), 1, 1), QDate(last.year(), 12, 31));
}

QDate DateField::spannedDate() const
{
    if (!first_.isValid() || !last_.isValid())
        return date();
    return std::clamp(date(), first_, last_);
}

// The field opens its calendar only for a press on its arrow: the same press
// opens it for the keys.
void DateField::showCalendar()
{
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = true;
    option.subControls = QStyle::SC_All;
    const QPoint arrow = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this).center();
    QMouseEvent press(QEvent::MouseButtonPress, arrow, mapToGlobal(arrow), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    mousePressEvent(&press);
    QMouseEvent release(QEvent::MouseButtonRelease, arrow, mapToGlobal(arrow), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    mouseReleaseEvent(&release);
}

void DateField::keyPressEvent(QKeyEvent *event)
{
    const bool altDown = event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier);
    if (event->key() == Qt::Key_F4 || altDown) {
        showCalendar();
        return;
    }
    if (event->text() == QLatin1String("-")) {
        const QLineEdit *edit = lineEdit();
        const int at = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
        if (at > 0 && edit->text().at(at - 1) == QLatin1Char('-')) {
            event->accept(); // already at the start of the section this "-" leads to
            return;
        }
    }
    QDateEdit::keyPressEvent(event);
}

} // namespace varnoth
