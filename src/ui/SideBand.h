#pragma once
// The side band (PicBanda): the band image the game presented, with the
// fuse caption and the two score lines over it.
#include <QImage>
#include <QWidget>

namespace quibix {

class ShadowLabel;

class SideBand final : public QWidget {
    Q_OBJECT
public:
    explicit SideBand(QWidget* parent);

    void setImage(const QImage& image);
    const QImage& image() const { return image_; }
    void setPartialScore(const QString& text);
    void setScore(const QString& text);
    // The band and its captions `scale` times their size.
    void setScale(int scale);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
    int scale_ = 1;
    ShadowLabel* lblPartialScore_;
    ShadowLabel* lblScore_;
};

} // namespace quibix
