#include "shell/ApplyFontSettings.h"
#include "widgets/WindowControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

namespace {

const QString kDesignFace = QStringLiteral("DejaVu Serif");

// One control of each kind, in this order, all in the design font.
struct TestWindow {
    QWidget window;
    QGroupBox* frame = new QGroupBox(QStringLiteral("Marco"), &window);
    QLabel* label = new QLabel(QStringLiteral("Etiqueta"), frame);
    QLineEdit* text = new QLineEdit(frame);
    QPushButton* button = new QPushButton(QStringLiteral("Botón"), &window);
    QComboBox* combo = new QComboBox(&window);
    QCheckBox* check = new QCheckBox(&window);
    QRadioButton* option = new QRadioButton(&window);
    QListWidget* list = new QListWidget(&window);
    QTableView* grid = new QTableView(&window);

    TestWindow() {
        int n = 0;
        for (QWidget* control :
             std::initializer_list<QWidget*>{frame, label, text, button, combo, check, option, list, grid}) {
            control->setObjectName(QStringLiteral("control%1").arg(n++));
            control->setFont(QFont(kDesignFace, 8));
            QPalette palette = control->palette();
            palette.setColor(QPalette::ButtonText, Qt::darkGreen);
            control->setPalette(palette);
        }
    }

    QList<QWidget*> takingSettings() const {
        return {frame, label, text, button, combo, check, option, list};
    }
};

FontSettings verdanaBoldRed() {
    FontSettings settings;
    settings.ConfigFontName = QStringLiteral("DejaVu Sans");
    settings.ConfigFontSize = QStringLiteral("11");
    settings.ConfigFontBold = true;
    settings.ConfigFontUnderline = true;
    settings.ConfigForeColor = 255;  // red in the lowest byte
    return settings;
}

}  // namespace

class TestApplyFontSettings : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void controlKinds();
    void eightKindsTakeTheSettings();
    void buttonsKeepTheirColour();
    void coloursAreBlueGreenRed_data();
    void coloursAreBlueGreenRed();
    void unusableValueStopsSilently_data();
    void unusableValueStopsSilently();
};

void TestApplyFontSettings::controlKinds() {
    TestWindow w;
    QCOMPARE(controlKind(w.button), ControlKind::CommandButton);
    QCOMPARE(controlKind(w.frame), ControlKind::Frame);
    QCOMPARE(controlKind(w.text), ControlKind::TextBox);
    QCOMPARE(controlKind(w.label), ControlKind::Label);
    QCOMPARE(controlKind(w.combo), ControlKind::ComboBox);
    QCOMPARE(controlKind(w.check), ControlKind::CheckBox);
    QCOMPARE(controlKind(w.option), ControlKind::OptionButton);
    QCOMPARE(controlKind(w.list), ControlKind::ListBox);
    QCOMPARE(controlKind(w.grid), ControlKind::Other);
    QCOMPARE(windowControls(&w.window).first(), w.frame);
    QCOMPARE(windowControls(&w.window).size(), 9);
}

void TestApplyFontSettings::eightKindsTakeTheSettings() {
    TestWindow w;
    ApplyFontSettings(verdanaBoldRed());
    for (QWidget* control : w.takingSettings()) {
        QCOMPARE(control->font().family(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(control->font().pointSizeF(), 11.0);
        QVERIFY(control->font().bold());
        QVERIFY(control->font().underline());
        QVERIFY(!control->font().italic());
        QVERIFY(!control->font().strikeOut());
    }
    QCOMPARE(w.grid->font().family(), kDesignFace);
    QCOMPARE(w.label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(w.text->palette().color(QPalette::Text), QColor(255, 0, 0));
}

void TestApplyFontSettings::buttonsKeepTheirColour() {
    TestWindow w;
    const QColor before = w.button->palette().color(QPalette::WindowText);
    ApplyFontSettings(verdanaBoldRed());
    QCOMPARE(w.button->palette().color(QPalette::WindowText), before);
    QCOMPARE(w.button->palette().color(QPalette::ButtonText), QColor(Qt::darkGreen));
}

void TestApplyFontSettings::coloursAreBlueGreenRed_data() {
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("black") << QVariant(0) << QColor(0, 0, 0);
    QTest::newRow("red") << QVariant(255) << QColor(255, 0, 0);
    QTest::newRow("green") << QVariant(0xFF00) << QColor(0, 255, 0);
    QTest::newRow("blue as text") << QVariant(QStringLiteral("16711680")) << QColor(0, 0, 255);
    QTest::newRow("mixed") << QVariant(0x123456) << QColor(0x56, 0x34, 0x12);
}

void TestApplyFontSettings::coloursAreBlueGreenRed() {
    QFETCH(QVariant, stored);
    QFETCH(QColor, colour);
    TestWindow w;
    FontSettings settings;
    settings.ConfigForeColor = stored;
    ApplyFontSettings(settings);
    QCOMPARE(w.label->palette().color(QPalette::WindowText), colour);
}

void TestApplyFontSettings::unusableValueStopsSilently_data() {
    QTest::addColumn<QString>("what");
    QTest::newRow("size not numeric") << "size";
    QTest::newRow("size out of range") << "range";
    QTest::newRow("no face name") << "face";
    QTest::newRow("empty colour") << "colour";
}

void TestApplyFontSettings::unusableValueStopsSilently() {
    QFETCH(QString, what);
    TestWindow w;
    FontSettings settings = verdanaBoldRed();
    if (what == QLatin1String("size"))
        settings.ConfigFontSize = QStringLiteral("grande");
    else if (what == QLatin1String("range"))
        settings.ConfigFontSize = 0;
    else if (what == QLatin1String("face"))
        settings.ConfigFontName = QVariant();
    else
        settings.ConfigForeColor = QVariant();
    ApplyFontSettings(settings);
    const QFont first = w.frame->font();
    if (what == QLatin1String("colour")) {
        QVERIFY(first.bold());  // the whole font went in before the colour stopped it
    } else if (what == QLatin1String("face")) {
        QCOMPARE(first.family(), kDesignFace);
    } else {
        QCOMPARE(first.family(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(first.pointSizeF(), 8.0);
    }
    QCOMPARE(w.label->font().family(), kDesignFace);
    QCOMPARE(w.list->font().family(), kDesignFace);
}

QTEST_MAIN(TestApplyFontSettings)
#include "tst_applyfontsettings.moc"
