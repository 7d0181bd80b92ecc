// "Quibix.cfg": "Save Settings" writes the options, start-up reads them
// back through the same handlers the player uses.
#include "form/Form1.h"

#include "storage/Cp1252.h"
#include "storage/SettingsFile.h"
#include "storage/SkinCatalogue.h"

#include <iostream>

namespace quibix {

namespace {

constexpr const char* kSettingsFile = "Quibix.cfg";

} // namespace

void Form1::GrabaConfig()
{
    // The file holds names in Windows-1252 only. A skin named otherwise
    // would come back as question marks, so it is left out (the next start
    // uses the game's own look) and the player is told.
    const bool skinFits = fitsCp1252(strSkin);
    const Config config = configFor(rules.combinaciones(), rules.forma(), intPiezas,
                                    skinFits ? utf8ToCp1252(strSkin) : std::string());
    std::string error;
    if (!SettingsFile(userFile(kSettingsFile)).write(config, &error))
        window.messageBox("Your settings could not be saved: " + error, "Quibix");
    else if (!skinFits)
        window.messageBox("Your settings were saved, but not the skin \"" +
                              strSkin.substr(1, strSkin.size() - 2) +
                              "\": the settings file cannot hold its name. The next start "
                              "uses the game's own skin; a skin folder named in Western European "
                              "letters can be saved.",
                          "Quibix");
}

void Form1::LeeConfig()
{
    Config config;
    std::string error;
    if (!SettingsFile(userFile(kSettingsFile)).read(config, &error))
        std::cerr << "Quibix: settings not read (" << error << "), using the defaults\n";

    // Damaged values fall back to the defaults quietly: the player loses
    // only options that were never sensible.
    const SavedOptions saved = checkedOptions(config);
    setCombinaciones(3);
    setForma(0);
    if (saved.combinacionesSet)
        MenuCombinations_Click(saved.combinaciones - 3);
    if (saved.forma != 0)
        MenuShape_Click(saved.forma);
    usePieces(saved.piezas);

    // Only a folder directly inside the application folder is a skin.
    if (!saved.skin.empty()) {
        if (const auto folder = storedSkinFolder(appFolder, cp1252ToUtf8(saved.skin))) {
            strSkin = *folder;
            strSkinPath = *folder;
        }
    }
}

} // namespace quibix
