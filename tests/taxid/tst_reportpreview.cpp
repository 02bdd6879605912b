#include "shell/StartupSettings.h"
#include "support/FixtureDatabase.h"
#include "support/ScriptedUserInterface.h"
#include "taxid/ReportLayout.h"
#include "widgets/KeyboardConventions.h"
#include "widgets/ReportPreview.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

QPushButton* buttonWithText(const QWidget& window, const QString& text) {
    for (QPushButton* button : window.findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

}  // namespace

class TestReportPreview : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { EnterPressesButtons::install(); }
    void startsTheReviewAndPages();
    void reviewWithoutAnswerOpensNoReport();
};

void TestReportPreview::startsTheReviewAndPages() {
    FixtureDatabase f;
    for (int i = 0; i < ReportLayout::kRowsPerPage + 2; ++i)
        f.addSupplier(QStringLiteral("B%1").arg(i, 6, 10, QLatin1Char('0')),
                      QStringLiteral("Proveedor %1").arg(i), {});
    StartupSettings settings;
    settings.DbPath = f.path();
    ScriptedUserInterface ui;
    const std::unique_ptr<ReportPreview> preview(ReportPreview::create(settings, ui));
    QVERIFY(preview);
    QCOMPARE(preview->windowTitle(), QStringLiteral("PROVEEDORES"));
    QCOMPARE(preview->report().pageCount(), 2);
    QCOMPARE(preview->currentPage(), 0);
    QPushButton* previous = buttonWithText(*preview, QStringLiteral("< Anterior"));
    QPushButton* next = buttonWithText(*preview, QStringLiteral("Siguiente >"));
    QVERIFY(previous && next);
    QVERIFY(!previous->isEnabled());
    next->click();
    QCOMPARE(preview->currentPage(), 1);
    QVERIFY(!next->isEnabled());
    bool numbered = false;
    for (QLabel* label : preview->findChildren<QLabel*>())
        numbered = numbered || label->text() == QStringLiteral("Página 2 de 2");
    QVERIFY(numbered);
    QVERIFY(ui.messages.isEmpty());
    preview->show();
    QVERIFY(QTest::qWaitForWindowActive(preview.get()));
    previous->setFocus();
    QTest::keyClick(previous, Qt::Key_Return);
    QCOMPARE(preview->currentPage(), 0);
    QTest::keyClick(previous, Qt::Key_Escape);
    QVERIFY(!preview->isVisible());
}

void TestReportPreview::reviewWithoutAnswerOpensNoReport() {
    FixtureDatabase f;
    f.addSupplier(QStringLiteral("B1234567"), QStringLiteral("Uno"), {});
    f.damageTable(QStringLiteral("provedores"));
    StartupSettings settings;
    settings.DbPath = f.path();
    ScriptedUserInterface ui;
    QVERIFY(!ReportPreview::create(settings, ui));
    QCOMPARE(ui.messages.size(), 1);
    QCOMPARE(ui.messages[0].title, QStringLiteral("PROVEEDORES"));
    QCOMPARE(ui.messages[0].icon, MessageIcon::Critical);
    QVERIFY2(ui.messages[0].text.startsWith(
                 QStringLiteral("No se han podido revisar los CIF/NIF de los proveedores.\r\n")),
             qPrintable(ui.messages[0].text));
}

QTEST_MAIN(TestReportPreview)
#include "tst_reportpreview.moc"
