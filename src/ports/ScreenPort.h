#pragma once
// What the window shows besides the surfaces: the labels, the title screen
// over the play field, its high-score rows and a recorded game being watched.
#include <QImage>

#include <string>

namespace quibix {

// Labels whose captions the game sets. Record rows take an index 0..9.
enum class Caption { Score, PartialScore, Version, RecordName, RecordValue };

class ScreenPort {
public:
    virtual ~ScreenPort() = default;

    // Text is UTF-8.
    virtual void setCaption(Caption label, int index, const std::string& text) = 0;

    // The title screen (picMain) over the play field.
    virtual void showTitleScreen(bool visible) = 0;
    virtual void setTitlePicture(const QImage& picture) = 0;

    // Whether row `row` (0..9) of the high-score table shown has a recorded
    // game that a click on it plays.
    virtual void setRecordWatchable(int row, bool watchable) = 0;
    // While a recorded game is watched, a key or a click stops it (the
    // shell calls Form1::stopWatching) and no other input gets through.
    virtual void setWatching(bool watching) = 0;
};

} // namespace quibix
