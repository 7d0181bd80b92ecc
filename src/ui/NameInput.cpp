#include "ui/NameInput.h"

#include "storage/Cp1252.h"
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
        if (input.size() > kNameLength)
            return Invalid;
        for (const QChar c : input) {
            if (c.category() == QChar::Other_Control)
                return Invalid;
        }
        return fitsCp1252(input.toStdString()) ? Acceptable : Invalid;
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
