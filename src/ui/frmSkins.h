#pragma once
// The skin chooser "Skins Configuration": the skins of the application
// folder, the chosen skin's files with a preview, OK and Cancel.
#include <QDialog>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;

namespace quibix {

class frmSkins final : public QDialog {
public:
    frmSkins(std::filesystem::path appFolder, const std::string& strSkin, QWidget* parent);

    // The skin folder chosen with OK ("\" or "\Name\"); nothing otherwise.
    const std::optional<std::string>& chosenSkin() const { return chosen_; }

private:
    void ComboSkin_Click(int index);
    void ListFiles_Click(int row);
    void cmdOK_Click();

    std::filesystem::path appFolder_;
    std::vector<std::string> skins_; // list items, as named on disk
    std::vector<std::string> files_;
    std::string folder_; // stored form of the selected skin
    std::optional<std::string> chosen_;

    QComboBox* ComboSkin;
    QListWidget* ListFiles;
    QLabel* imgPreview;
    QLabel* imgBanda;
};

} // namespace quibix
