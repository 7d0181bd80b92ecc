#pragma once
// How large the window is drawn. Qt scales the whole window (field, band,
// captions, menus) by the desktop's factor; the game's surfaces stay at
// their own size and the widgets paint them enlarged, so the mouse arrives
// in field coordinates at every scale.
#include <QByteArray>
#include <QSize>

#include <array>
#include <optional>

namespace quibix {

// The factor to use when the window of `logicalSize` would be drawn at
// `wanted` on a screen with `available` device pixels: `wanted` itself when
// it fits, else the largest whole factor below it that fits, and never less
// than 1 (a screen too small even for that gets the plain window).
double fittingScale(double wanted, QSize logicalSize, QSize available);

// Before the application object exists: draw at exactly `factor`, whatever
// the desktop says (the --scale option, or a factor cut down to fit).
void forceScale(int factor);

// Before the application object exists: a desktop factor between whole
// numbers (150 %) is rounded, so the field's pixels stay square.
void preferWholeScale();

// The scaling variables as the desktop set them. Qt reads them only while
// the application object is made; restoring them afterwards lets programs
// the game starts (the text editor) scale as the desktop says.
class DesktopScaleEnvironment {
public:
    DesktopScaleEnvironment();
    void restore() const;

private:
    std::array<std::optional<QByteArray>, 3> saved_;
};

} // namespace quibix
