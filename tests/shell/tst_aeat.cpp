#include "access/AccountingDatabase.h"
#include "documents/DocumentsWindow.h"
#include "mod190/Mod190.h"
#include "mod347/Mod347.h"
#include "shell/Aeat.h"
#include "support/BrokenStartup.h"
#include "support/FixtureDatabase.h"
#include "support/Golden.h"
#include "support/ScriptedUserInterface.h"
#include "widgets/ClickableImage.h"
#include "widgets/KeyboardConventions.h"
#include "widgets/Twips.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

namespace {

int topInTwips(const QWidget* control) {
    return Twips::fromPixels(control->y());
}

}  // namespace

class TestAeat : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        EnterPressesButtons::install();
        QStandardPaths::setTestModeEnabled(true);  // the contact data and signer that the windows remember
    }
    void designLayout();
    void commandLine_data();
    void commandLine();
    void startupFailureShowsTheEngineMessage_data();
    void startupFailureShowsTheEngineMessage();
    void oneInstancePerWindow();
    void salirEndsTheProgram();
    void imageLinkFailure();
    void eachDataFolderKeepsItsFiles();
};

void TestAeat::designLayout() {
    StartupSettings settings;
    ScriptedUserInterface ui;
    Aeat menu(settings, ui);
    QCOMPARE(menu.windowTitle(), QStringLiteral("Datos de Ecorda para AEAT"));
    QCOMPARE(menu.size(), QSize(Twips::toPixels(8124), Twips::toPixels(4980)));
    QCOMPARE(menu.palette().color(QPalette::Window), QColor(255, 224, 192));
    const auto* command1 = menu.findChild<QPushButton*>(QStringLiteral("Command1"));
    QVERIFY(command1);
    QCOMPARE(command1->text(),
             QStringLiteral("DECLARACIÓN ANUAL DE OPERACIONES CON TERCERAS PERSONAS (Modelo 347)"));
    QCOMPARE(command1->geometry(), Twips::toPixels(1680, 2400, 4452, 732));
    QCOMPARE(command1->palette().color(QPalette::Button), QColor(255, 224, 192));
    QVERIFY(!command1->icon().isNull());
    QCOMPARE(menu.findChild<QPushButton*>(QStringLiteral("Command3"))->text(), QStringLiteral("Salir"));
    QCOMPARE(menu.findChild<QPushButton*>(QStringLiteral("Command4"))->geometry(),
             Twips::toPixels(360, 3960, 5052, 732));
    const auto* image2 = menu.findChild<ClickableImage*>(QStringLiteral("Image2"));
    QCOMPARE(image2->geometry(), Twips::toPixels(6600, 1920, 1020, 900));
    QVERIFY(image2->toolTip().contains(QLatin1String("agenciatributaria")));
    QCOMPARE(command1->nextInFocusChain(), menu.findChild<QWidget*>(QStringLiteral("Command2")));
}

void TestAeat::commandLine_data() {
    QTest::addColumn<QString>("argumentText");
    QTest::addColumn<QString>("databaseFolder");  // inside the program folder, or beside it
    QTest::addColumn<bool>("shows347");
    QTest::addColumn<bool>("shows190");
    QTest::addColumn<int>("top347");
    QTest::addColumn<int>("top190");
    QTest::newRow("no arguments") << ""
                                  << "/Mdb" << true << true << 2400 << 1560;
    QTest::newRow("1: only Modelo 347") << "1"
                                        << "" << true << false << 2040 << 2040;
    QTest::newRow("2 \\Datos: only Modelo 190") << "2 \\Datos"
                                                << "/Datos" << false << true << 2040 << 2040;
    QTest::newRow("9\\Datos: both") << "9\\Datos"
                                    << "Datos" << true << true << 2400 << 1560;
}

void TestAeat::commandLine() {
    QFETCH(QString, argumentText);
    QFETCH(QString, databaseFolder);
    QFETCH(bool, shows347);
    QFETCH(bool, shows190);
    QFETCH(int, top347);
    QFETCH(int, top190);
    FixtureDatabase fixture;
    const QString program = fixture.folder() + QStringLiteral("/prog");
    QDir().mkpath(program + databaseFolder);
    QVERIFY(QFile::copy(fixture.path(), program + databaseFolder + QStringLiteral("/ecordadb.mdb")));

    StartupSettings settings;
    ScriptedUserInterface ui;
    Aeat menu(settings, ui);
    QVERIFY(menu.Form_Load(argumentText, program));
    QVERIFY(ui.messages.isEmpty());
    QCOMPARE(settings.DbPath, program + databaseFolder + QStringLiteral("/ecordadb.mdb"));
    menu.show();
    const auto* command1 = menu.findChild<QPushButton*>(QStringLiteral("Command1"));
    const auto* command2 = menu.findChild<QPushButton*>(QStringLiteral("Command2"));
    QCOMPARE(command1->isVisible(), shows347);
    QCOMPARE(command2->isVisible(), shows190);
    QCOMPARE(topInTwips(command1), top347);
    QCOMPARE(topInTwips(command2), top190);
}

void TestAeat::startupFailureShowsTheEngineMessage_data() {
    QTest::addColumn<QString>("fault");
    for (const QString& fault : BrokenStartup::kFaults)
        QTest::newRow(qPrintable(fault)) << fault;
}

void TestAeat::startupFailureShowsTheEngineMessage() {
    QFETCH(QString, fault);
    const BrokenStartup startup(fault);
    const QByteArray before = QFile::exists(startup.dbPath()) ? readAll(startup.dbPath()) : QByteArray();
    StartupSettings settings;
    ScriptedUserInterface ui;
    Aeat menu(settings, ui);
    QVERIFY(!menu.Form_Load(QString(), startup.programFolder()));
    QCOMPARE(ui.messages.size(), 1);
    const QString whatToDo = QStringLiteral(
        "\r\n\r\nCopie en esa carpeta el fichero ecordadb.mdb del programa de contabilidad y vuelva a "
        "abrir este programa.");
    QCOMPARE(ui.messages[0].text,
             startup.expectedMessage() + (fault == QLatin1String("missing") ? whatToDo : QString()));
    QCOMPARE(ui.messages[0].title, QStringLiteral("Datos de Ecorda para AEAT"));
    QCOMPARE(ui.messages[0].icon, MessageIcon::Critical);
    QVERIFY(!menu.isVisible());
    QCOMPARE(QFile::exists(startup.dbPath()), fault != QLatin1String("missing"));
    if (fault == QLatin1String("empty"))
        QCOMPARE(readAll(startup.dbPath()), before);
}

void TestAeat::oneInstancePerWindow() {
    StartupSettings settings;
    ScriptedUserInterface ui;
    Aeat menu(settings, ui);
    int made = 0;
    const auto factory = [&made] {
        ++made;
        return new QWidget;
    };
    menu.setWindowFactories({factory, factory, factory, factory});
    menu.Command1_Click();
    menu.Command1_Click();
    QCOMPARE(made, 1);
    menu.Command2_Click();
    menu.Command4_Click();
    QCOMPARE(made, 3);
    // The documents' window, from the menu bar.
    QAction* documents = nullptr;
    for (QAction* action : menu.findChildren<QAction*>())
        if (action->text() == QStringLiteral("&Certificados de retenciones y cartas del 347..."))
            documents = action;
    QVERIFY(documents);
    documents->trigger();
    documents->trigger();
    QCOMPARE(made, 4);
    QWidget* mod347 = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != &menu && w->isVisible() && !mod347)
            mod347 = w;
    QVERIFY(mod347);
    QApplication::closeAllWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    menu.Command1_Click();
    QCOMPARE(made, 5);
    QApplication::closeAllWindows();
}

void TestAeat::salirEndsTheProgram() {
    StartupSettings settings;
    ScriptedUserInterface ui;
    Aeat menu(settings, ui);
    menu.show();
    QVERIFY(QTest::qWaitForWindowActive(&menu));
    QTest::keyClick(&menu, Qt::Key_Escape);  // the menu stays: only Salir ends the program
    QVERIFY(menu.isVisible());
    QVERIFY(ui.endedWith.isEmpty());
    auto* salir = menu.findChild<QPushButton*>(QStringLiteral("Command3"));
    salir->setFocus();
    QTest::keyClick(salir, Qt::Key_Return);
    QCOMPARE(ui.endedWith, QList<int>{0});
}

void TestAeat::imageLinkFailure() {
    StartupSettings settings;
    ScriptedUserInterface ui;
    ui.shellError = 2;
    Aeat menu(settings, ui);
    menu.show();
    auto* image1 = menu.findChild<ClickableImage*>(QStringLiteral("Image1"));
    QTest::mouseClick(image1, Qt::LeftButton);
    QCOMPARE(ui.messages.size(), 1);
    QCOMPARE(ui.messages[0].title, QStringLiteral("ExecuteLink"));
    QVERIFY(ui.messages[0].text.startsWith(QStringLiteral("error Opening Link to ") + image1->toolTip()));
    QVERIFY(!ui.busy);
}

// A second set of accounts, started as «aeat 2 \\Datos», writes its declarations, review files and documents
// beside its own ecordadb.mdb; those of the main data folder stay as they were.
void TestAeat::eachDataFolderKeepsItsFiles() {
    FixtureDatabase accounts(QStringLiteral("Datos"));
    accounts.native(QStringLiteral(
        "insert into Centro values ('Q2826000H', 'Centro');"
        "insert into provedores values ('11111111H', 'Uno', '28001'), ('B12345674', 'Dos', null)"));
    accounts.addWithholding(QStringLiteral("11111111H"), QStringLiteral("Uno"), QStringLiteral("2025-05-05"),
                            1000, 150);
    accounts.addEntry(QStringLiteral("B12345674"), 5000, QStringLiteral("2025-05-05"),
                      QStringLiteral("2025-05-06"));
    const QDir program(accounts.folder());
    QVERIFY(program.mkdir(QStringLiteral("Mdb")));
    const QStringList mainFiles{QStringLiteral("Mod190.txt"), QStringLiteral("Mod347.txt"),
                                QStringLiteral("RevisarCP.txt"), QStringLiteral("Certificados190.pdf")};
    for (const QString& name : mainFiles)
        QVERIFY(writeAll(program.filePath(QStringLiteral("Mdb/") + name),
                         "the first centre's " + name.toLatin1()));

    const StartupSettings settings =
        loadStartupSettings(accounts.folder(), parseCommandLine(QStringLiteral("2 \\Datos")));
    QCOMPARE(settings.DbPath, accounts.path());
    QCOMPARE(settings.outputFolder(), program.filePath(QStringLiteral("Datos")));
    ScriptedUserInterface ui;
    {
        Mod190 window(settings, ui);
        QVERIFY(window.Form_Load());
        window.findChild<QLineEdit*>(QStringLiteral("Text1(0)"))->setText(QStringLiteral("957123456"));
        window.findChild<QLineEdit*>(QStringLiteral("Text1(1)"))->setText(QStringLiteral("Ana Pérez"));
        window.Command4_Click();
    }
    {
        Mod347 window(settings, ui);
        QVERIFY(window.Form_Load());
        window.Command4_Click();  // Dos has no postal code: RevisarCP.txt lists it
    }
    {
        DocumentsWindow window(settings, ui);
        window.setDeclarationPath(program.filePath(QStringLiteral("Datos/Mod190.txt")));
        window.makeDocuments();
    }
    for (const QString& name : {QStringLiteral("Mod190.txt"), QStringLiteral("RevisarCP.txt"),
                                QStringLiteral("Certificados190.pdf")})
        QVERIFY2(QFile::exists(program.filePath(QStringLiteral("Datos/") + name)), qPrintable(name));
    QStringList told;  // every file a message names lies in Datos
    for (const ScriptedUserInterface::Message& message : ui.messages)
        told.append(message.text);
    QVERIFY2(told.filter(program.filePath(QStringLiteral("Mdb"))).isEmpty(),
             qPrintable(told.join(QLatin1Char('\n'))));
    QCOMPARE(told.filter(program.filePath(QStringLiteral("Datos/"))).size(),
             4);  // a check, the end, the review, the documents
    for (const QString& name : mainFiles)
        QCOMPARE(readAll(program.filePath(QStringLiteral("Mdb/") + name)),
                 "the first centre's " + name.toLatin1());
    QCOMPARE(program.entryList({QStringLiteral("*")}, QDir::Files), QStringList());
}

QTEST_MAIN(TestAeat)
#include "tst_aeat.moc"
