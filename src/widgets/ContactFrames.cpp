#include "ContactFrames.h"

#include "DataFolderSettings.h"
#include "DesignControls.h"
#include "declaration/DeclarationMessages.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QWidget>

namespace {

constexpr int kFrameLeft = 1320;

// The boxes kept between runs, by their index in Text1, and their keys.
const std::pair<int, QString> kRemembered[] = {
    {0, QStringLiteral("telefono")}, {1, QStringLiteral("persona")}, {3, QStringLiteral("correo")}};

const QString kRefusedRecordsCaption =
    QStringLiteral("Sólo los registros que rechazó la Agencia (su fichero de errores)…");
const QString kRefusedRecordsHelp = QStringLiteral(
    "Tras presentar, la Agencia ofrece «descargar los mensajes de error». Elija ese fichero: la "
    "declaración complementaria llevará solo esos registros, hechos de nuevo con los datos de hoy.");

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

ContactFrames::ContactFrames(QWidget* window, int frame1Top, int frame2Top, const QString& model)
    : m_window(window) {
    const ContactInputs initial = initialContactInputs();
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
    Frame2 = frame(window, "Frame2", QString(), frame2Top, 1812 + kKindHeight);
    label(Frame2, "Label2",
          QStringLiteral(
              "Nº identificativo de la declaración ( 10 cifras ). El programa añadirá \"%1\" a las 10 cifras")
              .arg(model),
          360, 492);
    Text1.append(textBox(Frame2, "Text1(2)", initial.declarationNumber, 1020, kMaxLength));
    if (withEmail) {
        label(Frame1, "Label4", QStringLiteral("Correo electrónico de la persona de contacto"), 2640, 252);
        Text1.append(textBox(Frame1, "Text1(3)", initial.email, 3000, kEmailMaxLength));
        QWidget::setTabOrder(Text1[1], Text1[3]);  // the person's data together, then the declaration's
        QWidget::setTabOrder(Text1[3], Text1[2]);
    }
    for (int index = 0; index < Text1.size(); ++index)
        m_connections.append(QObject::connect(Text1[index], &LostFocusLineEdit::lostFocus, window,
                                              [this, index] { Text1_LostFocus(index); }));
    createKindControls();
}

// The window deletes the boxes after its members, and a box that loses the focus on the way out must not
// reach this object then.
ContactFrames::~ContactFrames() {
    for (const QMetaObject::Connection& connection : m_connections)
        QObject::disconnect(connection);
}

void ContactFrames::createKindControls() {
    const std::pair<const char*, QString> kinds[] = {
        {"Option1(0)", QStringLiteral("Declaración normal")},
        {"Option1(1)", QStringLiteral("Complementaria")},
        {"Option1(2)", QStringLiteral("Sustitutiva")},
    };
    const QString help[] = {
        QStringLiteral("La primera declaración del ejercicio."),
        QStringLiteral("Añade perceptores o proveedores que faltaron en una declaración ya presentada, o los "
                       "registros que la Agencia le rechazó: lleva solo los que faltaron."),
        QStringLiteral("Anula una declaración ya presentada y la sustituye entera: lleva todos los "
                       "registros."),
    };
    constexpr int kOptionWidths[] = {2280, 1860, 1872};
    int left = 240;
    for (int index = 0; index < 3; ++index) {
        auto* option = designControl(new QRadioButton(kinds[index].second, Frame2), kinds[index].first, left,
                                     1500, kOptionWidths[index], 300);
        option->setToolTip(help[index]);
        Option1.append(option);
        left += kOptionWidths[index];
    }
    Option1[0]->setChecked(true);
    label(Frame2, "Label5", QStringLiteral("Nº identificativo de la declaración anterior ( 13 cifras )"),
          1860, 252);
    Text3 = textBox(Frame2, "Text3", QString(), 2130, kMaxLength);
    Text3->setToolTip(
        QStringLiteral("El número de la declaración que esta completa o sustituye, tal como "
                       "figura en su justificante: empieza por el código del modelo."));
    m_connections.append(QObject::connect(Text3, &LostFocusLineEdit::lostFocus, m_window,
                                          [this] { Text3->setText(trimBlanks(Text3->text())); }));
    Check1 = designControl(new QCheckBox(kRefusedRecordsCaption, Frame2), "Check1", 240, 2580, 6012, 300);
    Check1->setToolTip(kRefusedRecordsHelp);
    m_connections.append(QObject::connect(Check1, &QCheckBox::clicked, m_window, [this] { Check1_Click(); }));
    for (QRadioButton* option : Option1)
        m_connections.append(
            QObject::connect(option, &QRadioButton::toggled, m_window, [this] { Option1_Click(); }));
    QWidget::setTabOrder(Text1[2], Option1[0]);
    QWidget::setTabOrder(Option1[0], Option1[1]);
    QWidget::setTabOrder(Option1[1], Option1[2]);
    QWidget::setTabOrder(Option1[2], Text3);
    QWidget::setTabOrder(Text3, Check1);
    Option1_Click();
}

DeclarationKind ContactFrames::kind() const {
    if (Option1[1]->isChecked())
        return DeclarationKind::Complementary;
    return Option1[2]->isChecked() ? DeclarationKind::Substitutive : DeclarationKind::Normal;
}

// The number before, and the refused records alone, only where the kind of declaration has them.
void ContactFrames::Option1_Click() {
    const DeclarationKind chosen = kind();
    Frame2->findChild<QLabel*>(QStringLiteral("Label5"))->setEnabled(chosen != DeclarationKind::Normal);
    Text3->setEnabled(chosen != DeclarationKind::Normal);
    Check1->setEnabled(chosen == DeclarationKind::Complementary);
    if (chosen != DeclarationKind::Complementary)
        setRefusedRecordsFile(QString());
}

void ContactFrames::Check1_Click() {
    QString path;
    if (Check1->isChecked())
        path =
            QFileDialog::getOpenFileName(m_window, QStringLiteral("Fichero de errores de la Agencia"),
                                         QString(), QStringLiteral("Ficheros de texto (*.txt);;Todos (*)"));
    setRefusedRecordsFile(path);
}

void ContactFrames::setRefusedRecordsFile(const QString& path) {
    m_refusedRecordsFile = path;
    Check1->setChecked(!path.isEmpty());
    Check1->setText(path.isEmpty() ? kRefusedRecordsCaption
                                   : QStringLiteral("Sólo los registros que rechazó la Agencia, de %1")
                                         .arg(QFileInfo(path).fileName()));
    Check1->setToolTip(path.isEmpty() ? kRefusedRecordsHelp : QDir::toNativeSeparators(path));
}

void ContactFrames::focusWrongPreviousNumber(const QString& model) {
    if (declarationIdentityProblem(model, inputs()).isEmpty())
        return;
    Text3->setFocus();
    Text3->selectAll();
}

ContactInputs ContactFrames::inputs() const {
    ContactInputs inputs;
    inputs.telephone = Text1[0]->text();
    inputs.contactPerson = Text1[1]->text();
    inputs.declarationNumber = Text1[2]->text();
    inputs.email = Text1.size() > 3 ? Text1[3]->text() : QString();
    inputs.kind = kind();
    inputs.previousNumber = inputs.kind == DeclarationKind::Normal ? QString() : trimBlanks(Text3->text());
    inputs.refusedRecordsFile = m_refusedRecordsFile;
    return inputs;
}

void ContactFrames::show(const ContactInputs& inputs) {
    Text1[0]->setText(inputs.telephone);
    Text1[1]->setText(inputs.contactPerson);
    Text1[2]->setText(inputs.declarationNumber);
    if (Text1.size() > 3)
        Text1[3]->setText(inputs.email);
}

void ContactFrames::recall(const QString& DbPath) {
    const DataFolderSettings settings(DbPath);
    for (const auto& [index, key] : kRemembered)
        if (index < Text1.size() && settings.contains(key))
            Text1[index]->setText(settings.value(key));
}

void ContactFrames::remember(const QString& DbPath) const {
    DataFolderSettings settings(DbPath);
    for (const auto& [index, key] : kRemembered)
        if (index < Text1.size())
            settings.setValue(key, Text1[index]->text());
}

std::optional<ContactInputs> ContactFrames::startRun(const QString& model, const QString& DbPath,
                                                     UserInterface& ui) {
    const ContactInputs typed = inputs();
    for (const ContactProblem& problem : contactProblems(model, typed)) {
        if (DeclarationMessages::askWriteDespiteContact(ui, problem.text) != MessageAnswer::Yes) {
            Text1[problem.box]->setFocus();
            Text1[problem.box]->selectAll();
            return std::nullopt;
        }
    }
    remember(DbPath);
    return typed;
}

void ContactFrames::endRun(const ContactInputs& used, RunResult result, const QString& model,
                           const QString& DbPath) {
    show(used);
    remember(DbPath);
    if (result == RunResult::BadInput)
        focusWrongPreviousNumber(model);
}

void ContactFrames::Text1_LostFocus(int index) {
    Text1[index]->setText(trimBlanks(Text1[index]->text()));
}
