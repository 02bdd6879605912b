#include "shell/StartupSettings.h"
#include "support/FixtureDatabase.h"
#include "support/ScriptedUserInterface.h"
#include "taxid/ReportPreview.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestReportPreview : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startsTheReviewAndPages();
};

void TestReportPreview::startsTheReviewAndPages() {
    FixtureDatabase f;
    for (int i = 0; i < 30; ++i)
        f.addSupplier(QStringLiteral("B%1").arg(i, 6, 10, QLatin1Char('0')),
                      QStringLiteral("Proveedor %1").arg(i), {});
    StartupSettings settings;
    settings.DbPath = f.path();
    ScriptedUserInterface ui;
    ReportPreview preview(settings, ui);
    QCOMPARE(preview.windowTitle(), QStringLiteral("PROVEEDORES"));
    QCOMPARE(preview.report().pageCount(), 2);
    QCOMPARE(preview.currentPage(), 0);
    auto buttons = preview.findChildren<QPushButton*>();
    const auto button = [&](const QString& text) {
        for (QPushButton* b : buttons)
            if (b->text() == text)
                return b;
        return static_cast<QPushButton*>(nullptr);
    };
    QVERIFY(!button(QStringLiteral("< Anterior"))->isEnabled());
    button(QStringLiteral("Siguiente >"))->click();
    QCOMPARE(preview.currentPage(), 1);
    QVERIFY(!button(QStringLiteral("Siguiente >"))->isEnabled());
    bool numbered = false;
    for (QLabel* label : preview.findChildren<QLabel*>())
        numbered = numbered || label->text() == QStringLiteral("Página 2 de 2");
    QVERIFY(numbered);
    QVERIFY(ui.messages.isEmpty());
}

QTEST_MAIN(TestReportPreview)
#include "tst_reportpreview.moc"
