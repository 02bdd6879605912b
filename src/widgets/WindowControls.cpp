#include "WindowControls.h"

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
