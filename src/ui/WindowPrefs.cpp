#include "ui/WindowPrefs.h"

#include "ui/StageLayout.h"

#include <QSettings>

namespace quibix {

namespace {

constexpr int kLargestSide = 32768; // beyond any screen: a damaged value

int wholeNumber(const QSettings& settings, const QString& key, int fallback)
{
    bool ok = false;
    const int value = settings.value(key).toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

WindowPrefs loadWindowPrefs(QSettings& settings)
{
    WindowPrefs prefs;
    const int scale = wholeNumber(settings, QStringLiteral("window/scale"), 1);
    prefs.scale = scale >= 1 && scale <= kMaxStageScale ? scale : 1;
    const QSize size(wholeNumber(settings, QStringLiteral("window/width"), 0),
                     wholeNumber(settings, QStringLiteral("window/height"), 0));
    if (size.width() >= kStageSize.width() && size.height() >= kStageSize.height() &&
        size.width() <= kLargestSide && size.height() <= kLargestSide)
        prefs.size = size;
    prefs.fullScreen = settings.value(QStringLiteral("window/fullscreen")).toString() ==
                       QStringLiteral("true");
    return prefs;
}

void saveWindowPrefs(QSettings& settings, const WindowPrefs& prefs)
{
    settings.setValue(QStringLiteral("window/width"), prefs.size.width());
    settings.setValue(QStringLiteral("window/height"), prefs.size.height());
    settings.setValue(QStringLiteral("window/scale"), prefs.scale);
    settings.setValue(QStringLiteral("window/fullscreen"), prefs.fullScreen);
    settings.sync();
}

} // namespace quibix
