#include "db/Clock.h"
#include "mod347/Mod347.h"
#include "support/FixtureDatabase.h"
#include "support/ScriptedUserInterface.h"
#include "widgets/ReportPreview.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

namespace {

QRect screenArea() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// Every control inside the window's area, and the window, frame included, inside the screen's.
void verifyOnScreen(const QWidget& window) {
    QVERIFY2(screenArea().contains(window.frameGeometry()),
             qPrintable(QStringLiteral("%1,%2 %3x%4")
                            .arg(window.frameGeometry().x())
                            .arg(window.frameGeometry().y())
                            .arg(window.frameGeometry().width())
                            .arg(window.frameGeometry().height())));
    for (const QWidget* control : window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (control->isVisible())
            QVERIFY2(window.rect().contains(control->geometry()), qPrintable(control->objectName()));
}

}  // namespace

class TestScreenFit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { Clock::pin(QDateTime(QDate(2026, 3, 15), QTime(11, 30))); }
    void cleanup() { Clock::unpin(); }
    void screenIsSmall() { QCOMPARE(screenArea().size(), QSize(1366, 768)); }
    void modelo347WindowFits();
    void reportPreviewFits();
};

void TestScreenFit::modelo347WindowFits() {
    FixtureDatabase f;
    f.native(
        QStringLiteral("insert into Centro values ('Q2826000H', 'Centro');"
                       "insert into provedores values ('B12345674', 'Beta', '28001')"));
    f.addEntry(QStringLiteral("B12345674"), 5000, QStringLiteral("2025-05-05"), {});
    QDir(f.folder()).mkdir(QStringLiteral("Mdb"));
    StartupSettings settings;
    settings.programFolder = f.folder();
    settings.DbPath = f.path();
    ScriptedUserInterface ui;
    Mod347 window(settings, ui);
    QVERIFY(window.Form_Load());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    verifyOnScreen(window);
    // As tall as the screen allows, less the frame that a window manager would add: the Modelo 347
    // window is designed taller than wide screens are.
    QVERIFY(window.frameGeometry().height() > screenArea().height() * 9 / 10);
}

void TestScreenFit::reportPreviewFits() {
    FixtureDatabase f;
    f.addSupplier(QStringLiteral("B1"), QStringLiteral("Uno"), {});
    StartupSettings settings;
    settings.DbPath = f.path();
    ScriptedUserInterface ui;
    const std::unique_ptr<ReportPreview> preview(ReportPreview::create(settings, ui));
    QVERIFY(preview);
    preview->show();
    QVERIFY(QTest::qWaitForWindowExposed(preview.get()));
    verifyOnScreen(*preview);
}

// The offscreen platform with a laptop's screen, 1366 by 768.
int main(int argc, char* argv[]) {
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(R"({"screens": [{"name": "portatil", "x": 0, "y": 0, "width": 1366, "height": 768,
                       "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})") < 0)
        return 1;
    file.close();
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + config.toLocal8Bit());
    QApplication app(argc, argv);
    TestScreenFit test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screenfit.moc"
