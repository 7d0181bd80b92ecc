#include "app/WindowScale.h"

#include <QGuiApplication>

#include <cmath>

namespace quibix {

namespace {

constexpr const char* kScaleVariables[] = {"QT_ENABLE_HIGHDPI_SCALING", "QT_SCREEN_SCALE_FACTORS",
                                           "QT_SCALE_FACTOR"};

bool fits(double factor, QSize logicalSize, QSize available)
{
    // A hair of slack for factors such as 1.25 that do not land on whole pixels.
    constexpr double kSlack = 1e-6;
    return logicalSize.width() * factor <= available.width() + kSlack &&
           logicalSize.height() * factor <= available.height() + kSlack;
}

} // namespace

double fittingScale(double wanted, QSize logicalSize, QSize available)
{
    if (!(wanted >= 1.0))
        return 1.0;
    if (fits(wanted, logicalSize, available))
        return wanted;
    for (int k = static_cast<int>(std::ceil(wanted)) - 1; k > 1; --k) {
        if (fits(k, logicalSize, available))
            return k;
    }
    return 1.0;
}

void forceScale(int factor)
{
    // The desktop's own factor would multiply with ours.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    qputenv("QT_SCALE_FACTOR", QByteArray::number(factor));
}

DesktopScaleEnvironment::DesktopScaleEnvironment()
{
    static_assert(std::tuple_size_v<decltype(saved_)> == std::size(kScaleVariables));
    for (std::size_t i = 0; i < std::size(kScaleVariables); ++i) {
        if (qEnvironmentVariableIsSet(kScaleVariables[i]))
            saved_[i] = qgetenv(kScaleVariables[i]);
    }
}

void DesktopScaleEnvironment::restore() const
{
    for (std::size_t i = 0; i < std::size(kScaleVariables); ++i) {
        if (saved_[i])
            qputenv(kScaleVariables[i], *saved_[i]);
        else
            qunsetenv(kScaleVariables[i]);
    }
}

void preferWholeScale()
{
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
}

} // namespace quibix
