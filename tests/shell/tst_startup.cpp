#include "db/DbError.h"
#include "shell/ExecuteLink.h"
#include "shell/StartupSettings.h"
#include "support/BrokenStartup.h"
#include "support/FixtureDatabase.h"
#include "support/ScriptedUserInterface.h"

#include <QTest>

class TestStartup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void commandLine_data();
    void commandLine();
    void fontRow_data();
    void fontRow();
    void fontDefaultsWithoutRow();
    void failures_data();
    void failures();
    void linkThatCannotOpen();
    void linkThatOpens();
};

void TestStartup::commandLine_data() {
    QTest::addColumn<QString>("argumentText");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("dataFolder");
    QTest::addColumn<QString>("dbPath");
    QTest::newRow("no arguments") << ""
                                  << ""
                                  << "\\Mdb"
                                  << "/opt/aeat/Mdb/ecordadb.mdb";
    QTest::newRow("one character") << "1"
                                   << "1"
                                   << ""
                                   << "/opt/aeat/ecordadb.mdb";
    QTest::newRow("mode, blank, folder") << "2 \\Datos"
                                         << "2"
                                         << "\\Datos"
                                         << "/opt/aeat/Datos/ecordadb.mdb";
    QTest::newRow("folder without backslash") << "9\\Datos"
                                              << "9"
                                              << "Datos"
                                              << "/opt/aeatDatos/ecordadb.mdb";
    QTest::newRow("second character skipped") << "1x\\D"
                                              << "1"
                                              << "\\D"
                                              << "/opt/aeat/D/ecordadb.mdb";
    QTest::newRow("two characters") << "2 "
                                    << "2"
                                    << ""
                                    << "/opt/aeat/ecordadb.mdb";
    QTest::newRow("nested folders") << "1 \\A\\B"
                                    << "1"
                                    << "\\A\\B"
                                    << "/opt/aeat/A/B/ecordadb.mdb";
}

void TestStartup::commandLine() {
    QFETCH(QString, argumentText);
    QFETCH(QString, mode);
    QFETCH(QString, dataFolder);
    QFETCH(QString, dbPath);
    const CommandLine commandLine = parseCommandLine(argumentText);
    QCOMPARE(commandLine.modeCharacter, mode);
    QCOMPARE(commandLine.DataFolder, dataFolder);
    QCOMPARE(buildDbPath(QStringLiteral("/opt/aeat"), commandLine.DataFolder), dbPath);
}

void TestStartup::fontRow_data() {
    QTest::addColumn<QString>("row");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<bool>("strikethrough");
    QTest::newRow("-1 as text sets, 0 clears") << "'-1', 0, null, null" << true << false << false << false;
    QTest::newRow("-1 as number") << "-1, -1, -1, -1" << true << true << true << true;
    QTest::newRow("other values clear") << "1, 'si', 'True', '-1.0'" << false << false << false << false;
}

void TestStartup::fontRow() {
    QFETCH(QString, row);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(bool, strikethrough);
    FixtureDatabase f;
    // Columns in the order c (bold), f (italic), e (underline), d (strikethrough).
    f.native(QStringLiteral(
                 "insert into config (tipo, a, b, c, f, e, d, h) values ('Font', 'Verdana', '10', %1, 33023)")
                 .arg(row));
    f.native(QStringLiteral("insert into config (tipo, a) values ('Font', 'Second row')"));
    const FontSettings settings = readFontSettings(f.db());
    QCOMPARE(settings.ConfigFontName, QVariant(QStringLiteral("Verdana")));
    QCOMPARE(settings.ConfigFontSize, QVariant(QStringLiteral("10")));
    QCOMPARE(settings.ConfigFontBold, bold);
    QCOMPARE(settings.ConfigFontItalic, italic);
    QCOMPARE(settings.ConfigFontUnderline, underline);
    QCOMPARE(settings.ConfigFontStrikethrough, strikethrough);
    QCOMPARE(settings.ConfigForeColor, QVariant(33023LL));
}

void TestStartup::fontDefaultsWithoutRow() {
    FixtureDatabase f;
    f.native(QStringLiteral("insert into config (tipo, a) values ('Otra', 'Verdana')"));
    const FontSettings settings = readFontSettings(f.db());
    QCOMPARE(settings.ConfigFontName, QVariant(QStringLiteral("Arial")));
    QCOMPARE(settings.ConfigFontSize.toInt(), 9);
    QVERIFY(!settings.ConfigFontBold && !settings.ConfigFontItalic);
    QVERIFY(!settings.ConfigFontUnderline && !settings.ConfigFontStrikethrough);
    QCOMPARE(settings.ConfigForeColor.toInt(), 0);
}

void TestStartup::failures_data() {
    QTest::addColumn<QString>("fault");
    for (const QString& fault : BrokenStartup::kFaults)
        QTest::newRow(qPrintable(fault)) << fault;
}

void TestStartup::failures() {
    QFETCH(QString, fault);
    const BrokenStartup startup(fault);
    try {
        loadStartupSettings(startup.programFolder(), parseCommandLine(QString()));
        QFAIL("the start-up went on");
    } catch (const DbError& error) {
        QCOMPARE(error.message(), startup.expectedMessage());
    }
}

void TestStartup::linkThatCannotOpen() {
    ScriptedUserInterface ui;
    ui.shellError = 2;
    ExecuteLink(kAgencyAddress, ui);
    QCOMPARE(ui.opened, QStringList{kAgencyAddress});
    QCOMPARE(ui.messages.size(), 1);
    QCOMPARE(ui.messages[0].title, QStringLiteral("ExecuteLink"));
    QCOMPARE(ui.messages[0].text,
             QStringLiteral("error Opening Link to ") + kAgencyAddress + QStringLiteral("\r\n\r\n2"));
    QCOMPARE(ui.messages[0].icon, MessageIcon::None);
    QCOMPARE(ui.messages[0].buttons, MessageButtons::Ok);
    QVERIFY(!ui.busy);
}

void TestStartup::linkThatOpens() {
    ScriptedUserInterface ui;
    ExecuteLink(kSupportAddress, ui);
    QCOMPARE(ui.opened, QStringList{kSupportAddress});
    QVERIFY(ui.messages.isEmpty());
    QVERIFY(!ui.busy);
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
