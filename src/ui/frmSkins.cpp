#include "ui/frmSkins.h"

#include "storage/SkinCatalogue.h"
#include "ui/MessageBox.h"

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>

namespace quibix {

namespace {

QString fromName(const std::string& name)
{
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QLabel* preview(QWidget* parent, const QRect& box)
{
    auto* label = new QLabel(parent);
    label->setGeometry(box);
    label->setScaledContents(true); // stretched to its box
    label->setFrameShape(QFrame::Box);
    return label;
}

} // namespace

frmSkins::frmSkins(std::filesystem::path appFolder, const std::string& strSkin, QWidget* parent)
    : QDialog(parent), appFolder_(std::move(appFolder))
{
    setWindowTitle(QStringLiteral("Skins Configuration"));
    setFixedSize(356, 288);

    (new QLabel(QStringLiteral("Skin Name:"), this))->setGeometry(16, 8, 217, 17);
    ComboSkin = new QComboBox(this);
    ComboSkin->setGeometry(24, 24, 297, 21);
    ComboSkin->setMinimumHeight(21);
    (new QLabel(QStringLiteral("File Names:"), this))->setGeometry(8, 56, 121, 17);
    ListFiles = new QListWidget(this);
    ListFiles->setGeometry(8, 72, 161, 173);
    (new QLabel(QStringLiteral("Preview:"), this))->setGeometry(184, 56, 89, 17);
    imgPreview = preview(this, QRect(184, 72, 161, 165));
    imgBanda = preview(this, QRect(248, 72, 34, 165));
    imgBanda->hide();
    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setGeometry(176, 248, 81, 33);
    cmdOK->setDefault(true);
    auto* cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setGeometry(264, 248, 81, 33);

    connect(ComboSkin, &QComboBox::currentIndexChanged, this, [this](int i) { ComboSkin_Click(i); });
    connect(ListFiles, &QListWidget::currentRowChanged, this, [this](int row) { ListFiles_Click(row); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    // Form_Load: "-Default-" and every folder; the skin in use selected.
    skins_ = skinItems(appFolder_);
    for (const std::string& item : skins_)
        ComboSkin->addItem(fromName(item));
    const int selected = skinItemIndex(skins_, strSkin);
    if (selected == ComboSkin->currentIndex())
        ComboSkin_Click(selected); // no change signal for the first item
    else
        ComboSkin->setCurrentIndex(selected);
}

void frmSkins::ComboSkin_Click(int index)
{
    if (index < 0 || index >= static_cast<int>(skins_.size()))
        return;
    folder_ = skinFolderOf(skins_[static_cast<size_t>(index)]);
    files_ = skinFileItems(appFolder_, folder_);
    ListFiles->clear();
    for (const std::string& file : files_)
        ListFiles->addItem(fromName(file));
    // The old skin's picture would pass for one of this skin.
    imgPreview->clear();
    imgBanda->clear();
}

void frmSkins::ListFiles_Click(int row)
{
    if (row < 0 || row >= static_cast<int>(files_.size()))
        return;
    const std::string& item = files_[static_cast<size_t>(row)];
    const bool band = isBandItem(item);
    QLabel* shown = band ? imgBanda : imgPreview;
    (band ? imgPreview : imgBanda)->hide();
    // A picture that does not load leaves an empty box.
    const QImage picture(QFile::decodeName(skinFilePath(appFolder_, folder_, item).c_str()));
    if (picture.isNull())
        shown->clear();
    else
        shown->setPixmap(QPixmap::fromImage(picture));
    shown->show();
}

void frmSkins::cmdOK_Click()
{
    if (!skinAcceptable(files_)) {
        showMessage(this, QMessageBox::Warning, QStringLiteral("ERROR"),
                    QStringLiteral("ERROR: You have to choose a Skin with more tha one background"));
        return;
    }
    chosen_ = folder_;
    accept();
}

} // namespace quibix
