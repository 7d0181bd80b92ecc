#pragma once
// The rules of the piece chooser, without widgets: twelve boxes, at most
// six ticked, and closing only with exactly six.
#include <array>
#include <cstdint>
#include <optional>

namespace quibix {

constexpr int kPieceBoxes = 12;

inline constexpr const char* kTooManyPiecesText =
    "You can only choose 6 pieces. Uncheck one and try again.";
inline constexpr const char* kTooManyPiecesTitle = "Error choosing pieces";
inline constexpr const char* kTooFewPiecesText = "You have to choose 6 pieces";
inline constexpr const char* kTooFewPiecesTitle = "Choose pieces";

class PieceChoice {
public:
    // Ticks the boxes of the pictures in `intPiezas`, walking it in step
    // with the boxes: an ascending list ticks all six, any other fewer.
    explicit PieceChoice(const std::array<int16_t, 6>& intPiezas);

    bool ticked(int box) const { return box >= 0 && box < kPieceBoxes && boxes_[box]; }
    int tickedCount() const;

    // Ticks or clears a box. A seventh tick is refused: the box stays
    // cleared and the result is false (the caller shows kTooManyPiecesText).
    bool setTicked(int box, bool on);

    // The ticked pictures in ascending order, as the six piece kinds take
    // them; nothing while fewer than six are ticked (the caller shows
    // kTooFewPiecesText and keeps the dialog open).
    std::optional<std::array<int16_t, 6>> chosen() const;

private:
    std::array<bool, kPieceBoxes> boxes_{};
};

} // namespace quibix
