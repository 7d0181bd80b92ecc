#pragma once
// The window's inside: the play field, the title screen over it and the
// band, enlarged by the largest whole scale that fits and centred on a
// dark border, whatever size the window is given.
#include <QWidget>

namespace quibix {

class PlayField;
class SideBand;
class TitleScreen;

class Stage final : public QWidget {
    Q_OBJECT
public:
    explicit Stage(QWidget* parent);

    // The parts, children of the stage, laid out from now on.
    void setParts(PlayField* field, TitleScreen* title, SideBand* band);
    int scale() const { return scale_; }

signals:
    void scaleChanged(int scale);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layOut();

    PlayField* field_ = nullptr;
    TitleScreen* title_ = nullptr;
    SideBand* band_ = nullptr;
    int scale_ = 1;
};

} // namespace quibix
