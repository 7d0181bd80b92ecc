#pragma once
// The title screen (picMain) that covers the play field between games: the
// cover picture, "Start Game", "Exit Quibix", the version line and the
// high-score table.
#include <QImage>
#include <QWidget>

#include <array>

class QPushButton;

namespace quibix {

class ShadowLabel;

class TitleScreen final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRows = 10;

    explicit TitleScreen(QWidget* parent);

    void setPicture(const QImage& picture);
    void setVersion(const QString& text);
    void setRecordName(int row, const QString& text);
    void setRecordValue(int row, const QString& text);
    // A row whose game was recorded says so and plays it when clicked.
    void setRecordWatchable(int row, bool watchable);

    QPushButton* startButton() const { return cmdStart_; }
    QPushButton* exitButton() const { return cmdExit_; }

signals:
    void startClicked();
    void exitClicked();
    void recordClicked(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The watchable row under `at`, or -1.
    int watchableRowAt(QPoint at) const;

    QImage picture_;
    QPushButton* cmdStart_;
    QPushButton* cmdExit_;
    ShadowLabel* label3_;
    std::array<ShadowLabel*, kRows> lblRecord_{};
    std::array<ShadowLabel*, kRows> lblRecordVal_{};
    std::array<bool, kRows> watchable_{};
};

} // namespace quibix
