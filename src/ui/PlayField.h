#pragma once
// The play field on screen (Picture1): shows the last image the game
// presented, enlarged by a whole scale, reports aiming moves and clicks in
// field pixels, and Escape, and can keep the mouse inside itself.
#include <QImage>
#include <QWidget>

namespace quibix {

class PlayField final : public QWidget {
    Q_OBJECT
public:
    explicit PlayField(QWidget* parent);

    void setImage(const QImage& image);
    const QImage& image() const { return image_; }
    // Each field pixel becomes a square of `scale` x `scale`; the widget is
    // given the size to match.
    void setScale(int scale);
    int scale() const { return scale_; }

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
    // Puts the pointer back on field pixel `pixel`.
    void movePointerTo(QPoint pixel);

    // Brings the part `part` of the enlarged copy up to date (none at
    // scale 1, where the image is painted as it is).
    void enlarge(QRect part);

    QImage image_;
    QImage enlarged_; // image_ at scale_, kept so a repaint is a copy
    int scale_ = 1;
    bool confined_ = false;
    bool pressed_ = false;
};

// Paints the part `exposed` of `image`, enlarged `scale` times, into
// `target` without smoothing, so pixels stay crisp at every scale.
void paintCrisp(QWidget* target, const QImage& image, int scale = 1, QRect exposed = {});

} // namespace quibix
