// The Help menu: the about box and the read-me.
#include "form/Form1.h"

#include "storage/AppPaths.h"

namespace quibix {

void Form1::MenuHelp_Click(int index)
{
    if (index == 0) {
        // Read at every opening; a missing or damaged picture gives a plain
        // backdrop rather than an empty box.
        const QImage picture = loadSkinPicture(strDataPath + "about.jpg", PlainKind::About,
                                               QSize(kAboutWidth, kAboutHeight));
        window.showAbout(picture, std::string("Quibix version ") + kVersion);
    } else if (index == 1) {
        // The read-me sits beside the program, not in the data folder.
        const std::string readme = "\\Readme.txt";
        if (!fileExists(appFolder, readme)) {
            // An editor would open an empty page without saying why.
            window.messageBox("Readme.txt is missing from the game's folder:\n" +
                                  appFile(readme).string(),
                              "Quibix");
            return;
        }
        window.openInEditor(appFile(readme));
    }
}

} // namespace quibix
