#pragma once
// The modal prompts and dialogs: each returns once the player has answered,
// the game waiting behind it.
#include <QImage>

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace quibix {

// The about box's inner size, which its background picture fills.
constexpr int kAboutWidth = 420;
constexpr int kAboutHeight = 380;

class PromptPort {
public:
    virtual ~PromptPort() = default;

    // Text is UTF-8. inputBox gives nothing when the player cancels.
    virtual void messageBox(const std::string& text, const std::string& title) = 0;
    // The same message closing itself after `ms` (a game being watched).
    virtual void notice(const std::string& text, const std::string& title, int ms) = 0;
    virtual std::optional<std::string> inputBox(const std::string& prompt,
                                                const std::string& title,
                                                const std::string& proposed) = 0;

    // The piece chooser ("Choose 6 Pieces"), showing the twelve pictures
    // (25 x 25, with their masks) the field would draw. Starts from
    // `current` and returns the six picture numbers chosen, ascending.
    virtual std::array<int16_t, 6> choosePieces(const std::array<int16_t, 6>& current,
                                                const std::array<QImage, 12>& pictures,
                                                const std::array<QImage, 12>& masks) = 0;
    // The skin chooser ("Skins Configuration") over the skins of
    // `appFolder`: the skin chosen ("\" or "\Name\"), nothing on Cancel.
    virtual std::optional<std::string> chooseSkin(const std::filesystem::path& appFolder,
                                                  const std::string& currentSkin) = 0;
    // The about box (frmAbout) with its background picture, of
    // kAboutWidth x kAboutHeight, and version line.
    virtual void showAbout(const QImage& picture, const std::string& versionLine) = 0;

    // Not modal: the file opens in the desktop's text editor.
    virtual void openInEditor(const std::filesystem::path& file) = 0;
};

} // namespace quibix
