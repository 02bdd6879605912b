#include "ContactFrames.h"

#include "DesignControls.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QSettings>
#include <QUrl>
#include <QWidget>

namespace {

constexpr int kFrameLeft = 1320;

// The settings group of a data folder: its path, percent-encoded, since a slash separates groups.
QString settingsGroup(const QString& DbPath) {
    return QStringLiteral("contacto/") +
           QString::fromLatin1(QUrl::toPercentEncoding(QFileInfo(DbPath).absolutePath()));
}

// The boxes kept between runs, by their index in Text1, and their keys.
const std::pair<int, QString> kRemembered[] = {
    {0, QStringLiteral("telefono")}, {1, QStringLiteral("persona")}, {3, QStringLiteral("correo")}};

QSettings userSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Ecorda"),
                     QStringLiteral("aeat"));
}
constexpr int kFrameWidth = 6612;
constexpr int kMaxLength = 40;
constexpr int kEmailMaxLength = 50;  // the width of its field in the record

QGroupBox* frame(QWidget* window, const char* name, const QString& caption, int top, int height) {
    return designControl(new QGroupBox(caption, window), name, kFrameLeft, top, kFrameWidth, height);
}

void label(QWidget* frame, const char* name, const QString& caption, int top, int height) {
    auto* label = designControl(new QLabel(caption, frame), name, 240, top, 6012, height);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

LostFocusLineEdit* textBox(QWidget* frame, const char* name, const QString& text, int top, int maxLength) {
    auto* box = designControl(new LostFocusLineEdit(text, frame), name, 240, top, 6012, 372);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    return box;
}

}  // namespace

QString trimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == QLatin1Char(' '))
        ++first;
    while (last > first && text[last - 1] == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

ContactFrames::ContactFrames(QWidget* window, int frame1Top, int frame2Top, const QString& model) {
    const ContactInputs initial = initialContactInputs(model);
    const bool withEmail = model == QLatin1String("190");
    Frame1 = frame(window, "Frame1", QStringLiteral("Datos de la persona de contacto"), frame1Top,
                   2892 + (withEmail ? kEmailHeight : 0));
    label(Frame1, "Label1", QStringLiteral("Teléfono (sólo las 9 cifras; los espacios y guiones se quitan)"),
          600, 252);
    Text1.append(textBox(Frame1, "Text1(0)", initial.telephone, 960, 0));
    label(Frame1, "Label3",
          QStringLiteral(
              "1er Apellido, 2º Apellido y Nombre (máx. 40 caracteres y separados por un espacio en blanco"),
          1440, 492);
    Text1.append(textBox(Frame1, "Text1(1)", initial.contactPerson, 2160, kMaxLength));
    Frame2 = frame(window, "Frame2", QString(), frame2Top, 1812);
    label(Frame2, "Label2",
          model == QLatin1String("347")
              ? QStringLiteral(
                    "Nº identificativo de la declaración ( 10 cifras ). El programa añadirá \"347\" a las "
                    "10 cifras")
              : QStringLiteral(
                    "Nº de justificante de la declaración ( 13 cifras ) sólo en el caso de declaración "
                    "sustitutiva"),
          360, 492);
    Text1.append(textBox(Frame2, "Text1(2)", initial.declarationNumber, 1080, kMaxLength));
    if (withEmail) {
        label(Frame1, "Label4", QStringLiteral("Correo electrónico de la persona de contacto"), 2640, 252);
        Text1.append(textBox(Frame1, "Text1(3)", initial.email, 3000, kEmailMaxLength));
        QWidget::setTabOrder(Text1[1], Text1[3]);  // the person's data together, then the declaration's
        QWidget::setTabOrder(Text1[3], Text1[2]);
    }
    for (int index = 0; index < Text1.size(); ++index)
        m_lostFocusConnections.append(QObject::connect(Text1[index], &LostFocusLineEdit::lostFocus, window,
                                                       [this, index] { Text1_LostFocus(index); }));
}

// The window deletes the boxes after its members, and a box that loses the focus on the way out must not
// reach this object then.
ContactFrames::~ContactFrames() {
    for (const QMetaObject::Connection& connection : m_lostFocusConnections)
        QObject::disconnect(connection);
}

ContactInputs ContactFrames::inputs() const {
    return {Text1[0]->text(), Text1[1]->text(), Text1[2]->text(),
            Text1.size() > 3 ? Text1[3]->text() : QString()};
}

void ContactFrames::show(const ContactInputs& inputs) {
    Text1[0]->setText(inputs.telephone);
    Text1[1]->setText(inputs.contactPerson);
    Text1[2]->setText(inputs.declarationNumber);
    if (Text1.size() > 3)
        Text1[3]->setText(inputs.email);
}

void ContactFrames::recall(const QString& DbPath) {
    QSettings settings = userSettings();
    settings.beginGroup(settingsGroup(DbPath));
    for (const auto& [index, key] : kRemembered)
        if (index < Text1.size() && settings.contains(key))
            Text1[index]->setText(settings.value(key).toString());
}

void ContactFrames::remember(const QString& DbPath) const {
    QSettings settings = userSettings();
    settings.beginGroup(settingsGroup(DbPath));
    for (const auto& [index, key] : kRemembered)
        if (index < Text1.size())
            settings.setValue(key, Text1[index]->text());
}

void ContactFrames::Text1_LostFocus(int index) {
    Text1[index]->setText(trimBlanks(Text1[index]->text()));
}
