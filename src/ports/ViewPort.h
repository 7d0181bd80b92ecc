#pragma once
// The window's size, which only the View menu changes; the game never does.
namespace quibix {

class ViewPort {
public:
    virtual ~ViewPort() = default;
    virtual void toggleFullScreen() = 0;
    // One scale up or down; only in a window, and only if it fits.
    virtual void stepScale(int delta) = 0;
};

} // namespace quibix
