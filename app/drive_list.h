#pragma once

#include <QComboBox>
#include <QString>

namespace varnoth {

// The drive list of the browse panel: on Windows the drives, elsewhere the
// root folders of the mounted file systems. driveChosen() follows a choice
// made by the user.
class DriveList : public QComboBox {
    Q_OBJECT

public:
    explicit DriveList(QWidget *parent = nullptr);

    QString drive() const { return currentText(); }
    // Selects the drive that holds path, without a notification.
    void showDriveOf(const QString &path);
    // Whether the drive at root can be read now.
    static bool isReadable(const QString &root);

signals:
    void driveChosen();
};

} // namespace varnoth
