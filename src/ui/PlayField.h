#pragma once
// The play field on screen (Picture1): shows the last image the game
// presented, reports aiming moves, clicks and Escape, and can keep the
// mouse inside itself.
#include <QImage>
#include <QWidget>

namespace quibix {

class PlayField final : public QWidget {
    Q_OBJECT
public:
    explicit PlayField(QWidget* parent);

    void setImage(const QImage& image);
    const QImage& image() const { return image_; }

    // Keeps the mouse inside the field (a pointer grab plus pulling the
    // pointer back whenever it gets out), or frees it.
    void setConfined(bool confined);
    bool confined() const { return confined_; }

signals:
    void aimed(float x, float y);
    void clicked();
    void escapePressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The point inside the field nearest to `p` (field coordinates).
    QPoint clampToField(QPoint p) const;

    QImage image_;
    bool confined_ = false;
    bool pressed_ = false;
};

// Paints `image` into `target` without smoothing, so pixels stay crisp when
// the screen scales.
void paintCrisp(QWidget* target, const QImage& image);

} // namespace quibix
