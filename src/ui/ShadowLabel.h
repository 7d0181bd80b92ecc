#pragma once
// A transparent caption in light text with a dark one-pixel shadow, so it
// reads over any cover or band picture behind it.
#include <QString>
#include <QWidget>

namespace quibix {

class ShadowLabel final : public QWidget {
    Q_OBJECT
public:
    ShadowLabel(const QString& text, QWidget* parent, QRect geometry, double pointSize,
                Qt::Alignment alignment);

    void setText(const QString& text);
    // Keeps the text on one line, shortened with an ellipsis when too wide.
    void setSingleLine(bool on);
    QString text() const { return text_; }
    // Enlarges the caption with the picture under it: `scale` times its
    // own place, its text drawn that much larger.
    void setScale(int scale);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    QRect place_; // at scale 1, in the parent's picture
    int scale_ = 1;
    Qt::Alignment alignment_;
    bool singleLine_ = false;
};

// The game's caption font, at the given size in points.
QFont captionFont(double pointSize);

} // namespace quibix
