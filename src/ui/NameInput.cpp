#include "ui/NameInput.h"

#include "storage/HighScoreFile.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QValidator>

namespace quibix {

namespace {

class StorableNameValidator final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override
    {
        return isStorableName(input.toStdString()) ? Acceptable : Invalid;
    }
};

} // namespace

void limitToStorableName(QInputDialog& dialog)
{
    auto* edit = dialog.findChild<QLineEdit*>();
    if (edit == nullptr)
        return;
    edit->setMaxLength(kNameLength);
    edit->setValidator(new StorableNameValidator(edit));
}

} // namespace quibix
