#include "ui/Stage.h"

#include "ui/PlayField.h"
#include "ui/SideBand.h"
#include "ui/StageLayout.h"
#include "ui/TitleScreen.h"

namespace quibix {

namespace {
const QColor kBorder(14, 14, 20); // dark, so the eye stays on the field
} // namespace

Stage::Stage(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kBorder);
    setPalette(palette);
    setMinimumSize(kStageSize);
}

void Stage::setParts(PlayField* field, TitleScreen* title, SideBand* band)
{
    field_ = field;
    title_ = title;
    band_ = band;
    layOut();
}

void Stage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void Stage::layOut()
{
    if (!field_)
        return;
    const StageLayout layout = layoutStage(size());
    field_->setGeometry(layout.field);
    title_->setGeometry(layout.field);
    band_->setGeometry(layout.band);
    field_->setScale(layout.scale);
    title_->setScale(layout.scale);
    band_->setScale(layout.scale);
    if (layout.scale != scale_) {
        scale_ = layout.scale;
        emit scaleChanged(scale_);
    }
}

} // namespace quibix
