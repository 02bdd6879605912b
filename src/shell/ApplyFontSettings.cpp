#include "ApplyFontSettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

namespace {

constexpr double kLargestFontSize = 2048;
constexpr qint64 kLargestColour = 0xFFFFFF;

// Stops the routine where a value cannot be applied.
struct Unusable {};

QString faceName(const QVariant& value) {
    const QString name = value.isNull() ? QString() : value.toString();
    if (name.isEmpty())
        throw Unusable();
    return name;
}

double pointSize(const QVariant& value) {
    bool ok = false;
    const double size = value.isNull() ? 0 : value.toDouble(&ok);
    if (!ok || size <= 0 || size > kLargestFontSize)
        throw Unusable();
    return size;
}

QColor textColour(const QVariant& value) {
    bool ok = false;
    const qint64 number = value.isNull() ? -1 : value.toLongLong(&ok);
    if (!ok || number < 0 || number > kLargestColour)
        throw Unusable();
    return QColor(static_cast<int>(number & 0xFF), static_cast<int>((number >> 8) & 0xFF),
                  static_cast<int>((number >> 16) & 0xFF));
}

void applyTo(QWidget* control, const FontSettings& settings) {
    QFont font = control->font();
    font.setFamily(faceName(settings.ConfigFontName));
    control->setFont(font);
    font.setPointSizeF(pointSize(settings.ConfigFontSize));
    font.setItalic(settings.ConfigFontItalic);
    font.setBold(settings.ConfigFontBold);
    font.setStrikeOut(settings.ConfigFontStrikethrough);
    font.setUnderline(settings.ConfigFontUnderline);
    control->setFont(font);
    if (controlKind(control) == ControlKind::CommandButton)
        return;
    const QColor colour = textColour(settings.ConfigForeColor);
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    control->setPalette(palette);
}

}  // namespace

ControlKind controlKind(const QWidget* control) {
    if (qobject_cast<const QPushButton*>(control))
        return ControlKind::CommandButton;
    if (qobject_cast<const QGroupBox*>(control))
        return ControlKind::Frame;
    if (qobject_cast<const QLineEdit*>(control) || qobject_cast<const QPlainTextEdit*>(control) ||
        qobject_cast<const QTextEdit*>(control))
        return ControlKind::TextBox;
    if (qobject_cast<const QLabel*>(control))
        return ControlKind::Label;
    if (qobject_cast<const QComboBox*>(control))
        return ControlKind::ComboBox;
    if (qobject_cast<const QCheckBox*>(control))
        return ControlKind::CheckBox;
    if (qobject_cast<const QRadioButton*>(control))
        return ControlKind::OptionButton;
    if (qobject_cast<const QListView*>(control))
        return ControlKind::ListBox;
    return ControlKind::Other;
}

QList<QWidget*> windowControls(QWidget* window) {
    QList<QWidget*> controls;
    for (QWidget* child : window->findChildren<QWidget*>()) {
        const QString name = child->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
            controls.append(child);
    }
    return controls;
}

void ApplyFontSettings(const FontSettings& settings) {
    try {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->windowType() != Qt::Window)
                continue;
            for (QWidget* control : windowControls(window))
                if (controlKind(control) != ControlKind::Other)
                    applyTo(control, settings);
        }
    } catch (const Unusable&) {
        // The settings cannot be applied further; the window keeps what it has.
    }
}
