#include "date_field.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace varnoth {

DateField::DateField(QWidget *parent)
    : QDateEdit(parent)
{
    setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    setCalendarPopup(true);
}

void DateField::keyPressEvent(QKeyEvent *event)
{
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
