#include "db/Clock.h"
#include "declaration/Windows1252.h"
#include "mod190/Mod190.h"
#include "mod190/PerceptorKeysModel.h"
#include "support/FixtureDatabase.h"
#include "support/Golden.h"
#include "support/ScriptedUserInterface.h"
#include "widgets/DataGrid.h"
#include "widgets/Twips.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>

namespace {

// A centre that withheld from one supplier last year, with its Mdb folder.
struct OneWithholding : FixtureDatabase {
    OneWithholding() {
        native(
            QStringLiteral("insert into Centro values ('Q2826000H', 'Centro');"
                           "insert into provedores values ('11111111H', 'Uno', '28001')"));
        addWithholding(QStringLiteral("11111111H"), QStringLiteral("Uno"), QStringLiteral("2025-05-05"), 1000,
                       150);
        QDir(folder()).mkdir(QStringLiteral("Mdb"));
    }
    StartupSettings settings() const {
        StartupSettings settings;
        settings.programFolder = folder();
        settings.DbPath = path();
        return settings;
    }
};

}  // namespace

class TestMod190Window : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { Clock::pin(QDateTime(QDate(2026, 3, 15), QTime(11, 30))); }
    void cleanup() { Clock::unpin(); }
    void designLayout();
    void blanksGoWhenABoxLosesTheFocus();
    void iniciarWritesTheFileAndEndsTheProgram_data();
    void iniciarWritesTheFileAndEndsTheProgram();
    void kindOfDeclarationReachesTheRecord_data();
    void kindOfDeclarationReachesTheRecord();
    void keyPickedInTheGridReachesTheRecord();
    void filedModelo111Figures();
    void contactThatTheCheckWouldRefuse_data();
    void contactThatTheCheckWouldRefuse();
    void contactDataAreRemembered();
    void contactDataOfAStoppedRunAreRemembered();
    void loadFailureShowsTheEngineMessage();
};

void TestMod190Window::designLayout() {
    StartupSettings settings;
    ScriptedUserInterface ui;
    Mod190 window(settings, ui);
    QCOMPARE(window.windowTitle(),
             QStringLiteral(
                 "Obtención del fichero de perceptores para el modelo 190 de la A.E.A.T. — Ejercicio 2025"));
    QCOMPARE(window.size(), QSize(Twips::toPixels(9168), Twips::toPixels(9288)));
    QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(window.windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(window.findChild<QGroupBox*>(QStringLiteral("Frame1"))->geometry(),
             Twips::toPixels(1320, 720, 6612, 3732));
    QCOMPARE(window.findChild<QGroupBox*>(QStringLiteral("Frame2"))->geometry(),
             Twips::toPixels(1320, 4560, 6612, 3012));
    QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("Command4"))->geometry(),
             Twips::toPixels(1320, 8280, 6612, 492));
    const auto* phone = window.findChild<QLineEdit*>(QStringLiteral("Text1(0)"));
    const auto* contact = window.findChild<QLineEdit*>(QStringLiteral("Text1(1)"));
    const auto* number = window.findChild<QLineEdit*>(QStringLiteral("Text1(2)"));
    const auto* email = window.findChild<QLineEdit*>(QStringLiteral("Text1(3)"));
    QCOMPARE(phone->text(), QStringLiteral("123456789"));
    QCOMPARE(contact->text(), QStringLiteral("Papellido Sapellido Nombre"));
    QCOMPARE(contact->maxLength(), 40);
    QCOMPARE(number->text(), QStringLiteral("0000000001"));
    QCOMPARE(number->maxLength(), 40);
    QCOMPARE(phone->parentWidget()->objectName(), QStringLiteral("Frame1"));
    QCOMPARE(number->parentWidget()->objectName(), QStringLiteral("Frame2"));
    QCOMPARE(email->text(), QString());
    QCOMPARE(email->maxLength(), 50);
    QCOMPARE(email->parentWidget()->objectName(), QStringLiteral("Frame1"));
}

void TestMod190Window::blanksGoWhenABoxLosesTheFocus() {
    StartupSettings settings;
    ScriptedUserInterface ui;
    Mod190 window(settings, ui);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* contact = window.findChild<QLineEdit*>(QStringLiteral("Text1(1)"));
    auto* number = window.findChild<QLineEdit*>(QStringLiteral("Text1(2)"));
    contact->setFocus();
    contact->setText(QStringLiteral("  Núñez (Ana)  "));
    QTest::keyClick(contact, Qt::Key_Tab);  // the e-mail comes after the contact person
    QCOMPARE(contact->text(), QStringLiteral("Núñez (Ana)"));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text1(3)"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), number);
    QTest::keyClick(number, Qt::Key_Escape);
    QVERIFY(!window.isVisible());
}

void TestMod190Window::iniciarWritesTheFileAndEndsTheProgram_data() {
    QTest::addColumn<QString>("email");
    QTest::addColumn<QByteArray>("emailField");
    QTest::addColumn<QString>("checkFinding");
    QTest::newRow("an address") << "ana.nunez@centro.es"
                                << QByteArray("ANA.NUNEZ@CENTRO.ES").leftJustified(50) << QString();
    QTest::newRow("none") << "" << QByteArray(50, ' ') << "aviso: está en blanco";
}

void TestMod190Window::iniciarWritesTheFileAndEndsTheProgram() {
    QFETCH(QString, email);
    QFETCH(QByteArray, emailField);
    QFETCH(QString, checkFinding);
    OneWithholding f;
    StartupSettings settings = f.settings();
    ScriptedUserInterface ui;
    Mod190 window(settings, ui);
    QVERIFY(window.Form_Load());
    window.findChild<QLineEdit*>(QStringLiteral("Text1(0)"))->setText(QStringLiteral("915550123"));
    window.findChild<QLineEdit*>(QStringLiteral("Text1(1)"))->setText(QStringLiteral("Núñez (Ana)"));
    window.findChild<QLineEdit*>(QStringLiteral("Text1(3)"))->setText(email);
    window.findChild<QPushButton*>(QStringLiteral("Command4"))->click();
    QCOMPARE(ui.messages.last().title, QStringLiteral("PROCESO TERMINADO"));
    QCOMPARE(ui.messages.last().text,
             QStringLiteral("Fichero : ") + f.folder() + QStringLiteral("/Mdb/Mod190.txt"));
    QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("Text1(1)"))->text(), QStringLiteral("NUÑEZ ANA"));
    QCOMPARE(ui.endedWith, QList<int>{0});
    QCOMPARE(readAll(f.folder() + QStringLiteral("/Mdb/Mod190.txt")).mid(175, 50), emailField);
    const QString checkList =
        Windows1252::decode(readAll(f.folder() + QStringLiteral("/Mdb/Comprobacion190.txt")));
    QCOMPARE(ui.messages.size(), checkFinding.isEmpty() ? 1 : 2);
    QVERIFY2(checkFinding.isEmpty() ? checkList.isEmpty() : checkList.contains(checkFinding),
             qPrintable(checkList));
}

void TestMod190Window::kindOfDeclarationReachesTheRecord_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QByteArray>("positions121To135");  // empty when the run is refused
    QTest::newRow("normal") << 0 << "1900000000007" << QByteArray("  0000000000000");
    QTest::newRow("complementary") << 1 << " 1900000000007 " << QByteArray("C 1900000000007");
    QTest::newRow("substitutive") << 2 << "1900000000007" << QByteArray(" S1900000000007");
    QTest::newRow("an earlier number of 12 digits") << 1 << "190000000007" << QByteArray();
    QTest::newRow("the same number as this one") << 2 << "1900000000001" << QByteArray();
}

void TestMod190Window::kindOfDeclarationReachesTheRecord() {
    QFETCH(int, option);
    QFETCH(QString, previous);
    QFETCH(QByteArray, positions121To135);
    OneWithholding f;
    StartupSettings settings = f.settings();
    ScriptedUserInterface ui;
    Mod190 window(settings, ui);
    QVERIFY(window.Form_Load());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* earlier = window.findChild<QLineEdit*>(QStringLiteral("Text3"));
    QCOMPARE(earlier->isEnabled(), false);
    window.findChild<QRadioButton*>(QStringLiteral("Option1(%1)").arg(option))->click();
    QCOMPARE(earlier->isEnabled(), option != 0);
    earlier->setText(previous);
    window.findChild<QPushButton*>(QStringLiteral("Command4"))->click();
    const QString path = f.folder() + QStringLiteral("/Mdb/Mod190.txt");
    if (positions121To135.isEmpty()) {
        QVERIFY(!QFile::exists(path));
        QVERIFY(ui.endedWith.isEmpty());
        QVERIFY(ui.messages.last().text.startsWith(QStringLiteral("El número de la declaración anterior")));
        QCOMPARE(QApplication::focusWidget(), earlier);
        return;
    }
    QCOMPARE(ui.endedWith, QList<int>{0});
    QCOMPARE(readAll(path).mid(107, 28), QByteArray("1900000000001") + positions121To135);
}

// The office picks a perceptor's key in the grid, closes it, and the run writes it.
void TestMod190Window::keyPickedInTheGridReachesTheRecord() {
    OneWithholding f;
    StartupSettings settings = f.settings();
    ScriptedUserInterface ui;
    Mod190 window(settings, ui);
    QVERIFY(window.Form_Load());
    window.findChild<QPushButton*>(QStringLiteral("Command5"))->click();
    PerceptionKeysWindow* keys = window.keysWindow();
    QVERIFY(keys && keys->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(keys));
    auto* grid = keys->findChild<DataGrid*>(QStringLiteral("DBGrid1"));
    QCOMPARE(grid->table()->model()->rowCount(), 1);
    QCOMPARE(grid->table()->model()->index(0, PerceptorKeysModel::KeyByRates).data().toString(),
             QStringLiteral("F02"));
    auto* combo = keys->findChild<QComboBox*>(QStringLiteral("Combo1"));
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_G);  // the first key of G: G01, a professional's
    QCOMPARE(grid->table()->model()->index(0, PerceptorKeysModel::ChosenKey).data().toString(),
             QStringLiteral("G01"));
    QTest::keyClick(combo, Qt::Key_Escape);
    QVERIFY(!keys->isVisible());
    window.findChild<QPushButton*>(QStringLiteral("Command4"))->click();
    QCOMPARE(recordLines(readAll(f.folder() + QStringLiteral("/Mdb/Mod190.txt")))[1].mid(77, 3),
             QStringLiteral("G01"));
}

// The office types what its filed 111 said: bad text is told and changes nothing; good figures are kept
// for the exercise and the reconciliation opens in the preview.
void TestMod190Window::filedModelo111Figures() {
    OneWithholding f;
    StartupSettings settings = f.settings();
    ScriptedUserInterface ui;
    Mod190 window(settings, ui);
    QVERIFY(window.Form_Load());
    window.findChild<QPushButton*>(QStringLiteral("Command6"))->click();
    Reconciliation111Window* filed = window.reconciliationWindow();
    QVERIFY(filed && filed->isVisible());
    QCOMPARE(filed->windowTitle(), QStringLiteral("Cuadre con los modelos 111 — Ejercicio 2025"));
    const auto box = [&](const char* name) {
        return filed->findChild<QLineEdit*>(QString::fromLatin1(name));
    };
    box("Casilla28_2")->setText(QStringLiteral("150,00"));
    box("Casilla3_2")->setText(QStringLiteral("ciento cincuenta"));
    filed->showReconciliation();
    QCOMPARE(ui.messages.size(), 1);
    QVERIFY(ui.messages[0].text.startsWith(
        QStringLiteral("«ciento cincuenta», en la casilla 03 del 2.º trimestre")));
    QVERIFY(!filed->preview());
    QVERIFY(Reconciliation111::filedFigures(f.db(), 2025).isEmpty());
    box("Casilla3_2")->setText(QStringLiteral("140"));
    filed->showReconciliation();
    QVERIFY(filed->preview() && filed->preview()->isVisible());
    QCOMPARE(Reconciliation111::filedFigures(f.db(), 2025),
             (Reconciliation111::FiledFigures{{{2, 28}, 15000}, {{2, 3}, 14000}}));
    filed->close();
    window.findChild<QPushButton*>(QStringLiteral("Command6"))->click();
    QCOMPARE(window.reconciliationWindow()->findChild<QLineEdit*>(QStringLiteral("Casilla3_2"))->text(),
             QStringLiteral("140,00"));
}

// What a run that wrote its file was given comes back in the next window of the same data folder.
void TestMod190Window::contactDataAreRemembered() {
    OneWithholding f;
    StartupSettings settings = f.settings();
    ScriptedUserInterface ui;
    const auto box = [](Mod190& window, const char* name) {
        return window.findChild<QLineEdit*>(QString::fromLatin1(name));
    };
    {
        Mod190 first(settings, ui);
        QVERIFY(first.Form_Load());
        box(first, "Text1(0)")->setText(QStringLiteral("957 123 456"));
        box(first, "Text1(1)")->setText(QStringLiteral("Núñez Ana"));
        box(first, "Text1(2)")->setText(QStringLiteral("1900000000123"));
        box(first, "Text1(3)")->setText(QStringLiteral("ana@centro.es"));
        first.Command4_Click();
    }
    Mod190 again(settings, ui);
    QVERIFY(again.Form_Load());
    QCOMPARE(box(again, "Text1(0)")->text(), QStringLiteral("957123456"));
    QCOMPARE(box(again, "Text1(1)")->text(), QStringLiteral("NUÑEZ ANA"));
    QCOMPARE(box(again, "Text1(2)")->text(), QStringLiteral("0000000001"));
    QCOMPARE(box(again, "Text1(3)")->text(), QStringLiteral("ana@centro.es"));
    // Another data folder has its own, the example data until a run there.
    FixtureDatabase other;
    settings.DbPath = other.path();
    Mod190 elsewhere(settings, ui);
    QVERIFY(elsewhere.Form_Load());
    QCOMPARE(box(elsewhere, "Text1(0)")->text(), kExampleTelephone);
}

void TestMod190Window::contactThatTheCheckWouldRefuse_data() {
    QTest::addColumn<int>("box");  // in Text1
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("goOn");
    QTest::addColumn<QString>("question");
    QTest::newRow("eight digits")
        << 0 << "957 12 34 5" << false
        << "El teléfono debe tener 9 cifras (ha escrito 8). ¿Desea generar el fichero de todos modos?";
    QTest::newRow("letters in the telephone") << 0 << "95A123456" << false
                                              << "El teléfono debe tener solo cifras (ha escrito "
                                                 "«95A123456»). ¿Desea generar el fichero de todos modos?";
    QTest::newRow("no contact person")
        << 1 << "" << false
        << "Falta la persona de contacto, a la que llamará la Agencia. ¿Desea generar "
           "el fichero de todos modos?";
    QTest::newRow("an e-mail that is no address") << 3 << "ana.garcia" << false
                                                  << "El correo electrónico «ana.garcia» no es una "
                                                     "dirección. ¿Desea generar el fichero de todos modos?";
    QTest::newRow("eight digits, written all the same")
        << 0 << "95712345" << true
        << "El teléfono debe tener 9 cifras (ha escrito 8). ¿Desea generar el fichero de todos modos?";
}

// Contact data that the check would call errors are asked about before the file is written; No, the
// default, leaves the window open on the box, the earlier file as it was and nothing remembered.
void TestMod190Window::contactThatTheCheckWouldRefuse() {
    QFETCH(int, box);
    QFETCH(QString, typed);
    QFETCH(bool, goOn);
    QFETCH(QString, question);
    OneWithholding f;
    const QString file = f.folder() + QStringLiteral("/Mdb/Mod190.txt");
    QVERIFY(writeAll(file, "earlier\r\n"));
    StartupSettings settings = f.settings();
    ScriptedUserInterface ui;
    ui.answers = {goOn ? MessageAnswer::Yes : MessageAnswer::No};
    Mod190 window(settings, ui);
    QVERIFY(window.Form_Load());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.findChild<QLineEdit*>(QStringLiteral("Text1(0)"))->setText(QStringLiteral("915550123"));
    window.findChild<QLineEdit*>(QStringLiteral("Text1(1)"))->setText(QStringLiteral("Ana Pérez"));
    auto* wrong = window.findChild<QLineEdit*>(QStringLiteral("Text1(%1)").arg(box));
    wrong->setText(typed);
    window.findChild<QPushButton*>(QStringLiteral("Command4"))->click();
    QCOMPARE(ui.messages[0].text, question);
    QVERIFY(ui.messages[0].defaultsToNo);
    QCOMPARE(ui.endedWith, goOn ? QList<int>{0} : QList<int>{});
    QCOMPARE(readAll(file) == "earlier\r\n", !goOn);
    if (goOn)
        return;
    QCOMPARE(ui.messages.size(), 1);
    QCOMPARE(QApplication::focusWidget(), wrong);
    Mod190 again(settings, ui);
    QVERIFY(again.Form_Load());
    QCOMPARE(again.findChild<QLineEdit*>(QStringLiteral("Text1(0)"))->text(), kExampleTelephone);
}

// A run that stops for a missing postal code keeps what was typed, for the window that opens after it.
void TestMod190Window::contactDataOfAStoppedRunAreRemembered() {
    OneWithholding f;
    f.native(QStringLiteral("update provedores set codpost = null"));
    StartupSettings settings = f.settings();
    ScriptedUserInterface ui;
    {
        Mod190 first(settings, ui);
        QVERIFY(first.Form_Load());
        first.findChild<QLineEdit*>(QStringLiteral("Text1(0)"))->setText(QStringLiteral("957123456"));
        first.findChild<QLineEdit*>(QStringLiteral("Text1(1)"))->setText(QStringLiteral("Ana Pérez"));
        first.Command4_Click();
        QVERIFY(ui.endedWith.isEmpty());  // the window stays open for the data to be corrected
    }
    Mod190 again(settings, ui);
    QVERIFY(again.Form_Load());
    QCOMPARE(again.findChild<QLineEdit*>(QStringLiteral("Text1(0)"))->text(), QStringLiteral("957123456"));
    QCOMPARE(again.findChild<QLineEdit*>(QStringLiteral("Text1(1)"))->text(), QStringLiteral("Ana Pérez"));
}

void TestMod190Window::loadFailureShowsTheEngineMessage() {
    StartupSettings settings;
    settings.DbPath = QStringLiteral("/no/such/ecordadb.mdb");
    ScriptedUserInterface ui;
    Mod190 window(settings, ui);
    QVERIFY(!window.Form_Load());
    QCOMPARE(ui.messages.size(), 1);
    QVERIFY(ui.messages[0].text.contains(settings.DbPath));
}

QTEST_MAIN(TestMod190Window)
#include "tst_mod190window.moc"
