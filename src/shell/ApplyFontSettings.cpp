#include "ApplyFontSettings.h"

#include "widgets/WindowControls.h"

#include <QApplication>
#include <QWidget>

#include <optional>

namespace {

constexpr double kLargestFontSize = 2048;
constexpr qint64 kLargestColour = 0xFFFFFF;

std::optional<QString> faceName(const QVariant& value) {
    const QString name = value.isNull() ? QString() : value.toString();
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<double> pointSize(const QVariant& value) {
    bool ok = false;
    const double size = value.isNull() ? 0 : value.toDouble(&ok);
    if (!ok || size <= 0 || size > kLargestFontSize)
        return std::nullopt;
    return size;
}

std::optional<QColor> textColour(const QVariant& value) {
    bool ok = false;
    const qint64 number = value.isNull() ? -1 : value.toLongLong(&ok);
    if (!ok || number < 0 || number > kLargestColour)
        return std::nullopt;
    return QColor(static_cast<int>(number & 0xFF), static_cast<int>((number >> 8) & 0xFF),
                  static_cast<int>((number >> 16) & 0xFF));
}

// Applies the settings one by one; false where one cannot be applied, after those before it were.
bool applyTo(QWidget* control, const FontSettings& settings) {
    const std::optional<QString> face = faceName(settings.ConfigFontName);
    if (!face)
        return false;
    QFont font = control->font();
    font.setFamily(*face);
    control->setFont(font);
    const std::optional<double> size = pointSize(settings.ConfigFontSize);
    if (!size)
        return false;
    font.setPointSizeF(*size);
    font.setItalic(settings.ConfigFontItalic);
    font.setBold(settings.ConfigFontBold);
    font.setStrikeOut(settings.ConfigFontStrikethrough);
    font.setUnderline(settings.ConfigFontUnderline);
    control->setFont(font);
    if (controlKind(control) == ControlKind::CommandButton)
        return true;
    const std::optional<QColor> colour = textColour(settings.ConfigForeColor);
    if (!colour)
        return false;
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, *colour);
    palette.setColor(QPalette::Text, *colour);
    control->setPalette(palette);
    return true;
}

}  // namespace

void ApplyFontSettings(const FontSettings& settings) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->windowType() != Qt::Window)
            continue;
        for (QWidget* control : windowControls(window))
            if (controlKind(control) != ControlKind::Other && !applyTo(control, settings))
                return;  // the window keeps what it has
    }
}
