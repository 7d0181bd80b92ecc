#pragma once
// The about box (frmAbout), captioned "Help": a background picture, the
// program's icon, the version line, the instructions and "OK".
#include <QDialog>
#include <QImage>

namespace quibix {

class AboutBox final : public QDialog {
    Q_OBJECT
public:
    // `picture` fills the box; a null one gives a plain dark backdrop.
    AboutBox(const QImage& picture, const QString& versionLine, QWidget* parent);

    // The program's icon as the box shows it: the application's window icon,
    // or a piece when none is set.
    static QPixmap programIcon(int side);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

} // namespace quibix
