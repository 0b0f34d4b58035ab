#include "accessible_controls.h"

#include <QAccessibleWidget>
#include <QComboBox>

#include "drive_list.h"
#include "progress_frame.h"

namespace varnoth {

namespace {

class ProgressFrameAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ProgressFrameAccessible(ProgressFrame *frame)
        : QAccessibleWidget(frame, QAccessible::ProgressBar)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text type) const override
    {
        if (type == QAccessible::Value)
            return QString::number(frame()->percent()) + QLatin1Char('%');
        return QAccessibleWidget::text(type);
    }

    QVariant currentValue() const override { return frame()->percent(); }
    void setCurrentValue(const QVariant &) override {} // shown by the run, not set by the user
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 0; }

private:
    ProgressFrame *frame() const { return static_cast<ProgressFrame *>(widget()); }
};

// The drive list named by its accessible name, with the chosen drive as its
// value; it opens its list on the press action.
class DriveListAccessible : public QAccessibleWidget {
public:
    explicit DriveListAccessible(DriveList *list)
        : QAccessibleWidget(list, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text type) const override
    {
        if (type == QAccessible::Value)
            return list()->currentText();
        return QAccessibleWidget::text(type);
    }
    QStringList actionNames() const override
    {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &action) override
    {
        if (action == showMenuAction() || action == pressAction())
            list()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    DriveList *list() const { return static_cast<DriveList *>(widget()); }
};

QAccessibleInterface *accessibleFactory(const QString &className, QObject *object)
{
    if (auto *frame = qobject_cast<ProgressFrame *>(object);
        frame && className == QLatin1String("varnoth::ProgressFrame"))
        return new ProgressFrameAccessible(frame);
    if (auto *list = qobject_cast<DriveList *>(object); list && className == QLatin1String("varnoth::DriveList"))
        return new DriveListAccessible(list);
    return nullptr;
}

} // namespace

void installAccessibleControls()
{
    QAccessible::installFactory(accessibleFactory);
}

} // namespace varnoth
