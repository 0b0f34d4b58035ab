#pragma once

#include <QLabel>
#include <QString>

namespace varnoth {

// A label that shows its caption on one line within a room: whole where it
// fits, else cut in the middle with "…". Where what it shows is not the
// whole text (cut here, or shortened by the caption's own rule), the whole
// text is its tooltip and what a screen reader reads.
class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    // caption: what the label says; whole: the text the caption stands for.
    void setTexts(const QString &caption, const QString &whole);
    void setCaption(const QString &caption) { setTexts(caption, caption); }
    const QString &caption() const { return caption_; }
    // The widest the label may be, in pixels.
    void setRoom(int width);

private:
    void refit();

    QString caption_;
    QString whole_;
    int room_ = QWIDGETSIZE_MAX;
};

} // namespace varnoth
