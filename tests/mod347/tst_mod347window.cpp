#include "db/Clock.h"
#include "mod347/Mod347.h"
#include "mod347/SupplierGridModel.h"
#include "support/FixtureDatabase.h"
#include "support/Golden.h"
#include "support/ScriptedUserInterface.h"
#include "widgets/DataGrid.h"
#include "widgets/KeyboardConventions.h"
#include "widgets/Twips.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTableView>

#include <QTest>

namespace {

struct Window347 {
    FixtureDatabase f;
    StartupSettings settings;
    ScriptedUserInterface ui;
    std::unique_ptr<Mod347> window;

    Window347() {
        f.native(
            QStringLiteral("insert into Centro values ('Q2826000H', 'Centro');"
                           "insert into provedores values ('B12345674', 'Beta', '28001'), "
                           "  ('A00000000', 'Zeta', '08001'), ('12345678Z', 'Alfa', '41001'),"
                           "  ('Q2826000H', 'Pequeño', '41001')"));
        for (const char* nif : {"B12345674", "A00000000", "12345678Z"})
            f.addEntry(QString::fromLatin1(nif), 5000, QStringLiteral("2025-05-05"),
                       QStringLiteral("2025-06-05"));
        f.addEntry(QStringLiteral("Q2826000H"), 100, QStringLiteral("2025-05-05"), {});
        settings.programFolder = f.folder();
        settings.DbPath = f.path();
        QDir(f.folder()).mkdir(QStringLiteral("Mdb"));
        window = std::make_unique<Mod347>(settings, ui);
    }

    template <class T>
    T* child(const char* name) const {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    QTableView* grid() const { return child<DataGrid>("DBGrid1")->table(); }
    QStringList column(int c) const {
        QStringList values;
        for (int row = 0; row < grid()->model()->rowCount(); ++row)
            values.append(grid()->model()->index(row, c).data().toString());
        return values;
    }
    // Loads the window, shows it and enters the grid, which takes the focus.
    QTableView* openGrid() {
        if (!window->Form_Load())
            return nullptr;
        window->show();
        window->Command1_Click();
        grid()->setFocus();
        return grid();
    }
    QString storedIvacc(const QString& nif) {
        return f.db()
            .openRecordset(QStringLiteral("select IVACC from provedores where nif = ?"), {nif})
            .value(0)
            .toString();
    }
};

}  // namespace

class TestMod347Window : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { Clock::pin(QDateTime(QDate(2026, 3, 15), QTime(11, 30))); }
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);  // the contact data that runs remember
        EnterPressesButtons::install();
    }
    void cleanup() { Clock::unpin(); }
    void designLayout();
    void thresholdAsSpaniardsWriteIt_data();
    void thresholdAsSpaniardsWriteIt();
    void gridListsTheSelection();
    void headerClicksSort();
    void keyFilterAndWriteBack();
    void keysThatConfirmCancelOrMove_data();
    void keysThatConfirmCancelOrMove();
    void accentedNamesSortAsJet_data();
    void accentedNamesSortAsJet();
    void failedWriteBackKeepsTheProgram();
    void iniciarWritesTheFile_data();
    void iniciarWritesTheFile();
    void kindOfDeclarationReachesTheRecord_data();
    void kindOfDeclarationReachesTheRecord();
    void nothingToDeclareEndsTheProgram();
    void stoppedRunKeepsThePreviousFile();
    void enterPressesEscapeLeaves();
    void smallestWindowStaysReadable();
    void searchFindsASupplier_data();
    void searchFindsASupplier();
};

void TestMod347Window::designLayout() {
    Window347 w;
    QCOMPARE(w.window->windowTitle(),
             QStringLiteral(
                 "Obtención del fichero de proveedores para el modelo 347 de la A.E.A.T. — Ejercicio 2025"));
    QCOMPARE(w.window->palette().color(QPalette::Window), QColor(255, 224, 192));
    QCOMPARE(w.child<QGroupBox>("Frame3")->geometry(), Twips::toPixels(1320, 6600, 6612, 972));
    QCOMPARE(w.child<QGroupBox>("Frame3")->title(),
             QStringLiteral("Bienes y prestaciones de servicios superiores a "));
    QCOMPARE(w.child<QLineEdit>("Text2")->text(), QStringLiteral("3005.06"));
    QCOMPARE(w.child<QLineEdit>("Text1(2)")->text(), QStringLiteral("0000000001"));
    QCOMPARE(w.child<QPushButton>("Command1")->geometry(), Twips::toPixels(1320, 7680, 4212, 492));
    QCOMPARE(w.child<QPushButton>("Command4")->geometry(), Twips::toPixels(5640, 7680, 2292, 492));
    QCOMPARE(w.child<QGroupBox>("Frame4")->geometry(), Twips::toPixels(1320, 480, 6612, 7092));
    QCOMPARE(w.grid()->font().family(), QStringLiteral("Verdana"));
    QCOMPARE(w.grid()->font().pointSizeF(), 7.8);
    QVERIFY(w.child<QGroupBox>("Frame4")->isHidden());
    QCOMPARE(w.child<QPushButton>("Command2")->text(), QStringLiteral("Continuar"));
}

void TestMod347Window::thresholdAsSpaniardsWriteIt_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("declared");
    // Three suppliers bought 5000 each, one 100.
    QTest::newRow("a thousands point") << "3.005" << 3;
    QTest::newRow("thousands and decimal comma") << "3.005,06" << 3;
    QTest::newRow("a decimal comma") << "99,5" << 4;
}

// The box keeps what was typed, and the run reads it as Spaniards write it.
void TestMod347Window::thresholdAsSpaniardsWriteIt() {
    QFETCH(QString, typed);
    QFETCH(int, declared);
    Window347 w;
    QVERIFY(w.window->Form_Load());
    w.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    auto* text2 = w.child<QLineEdit>("Text2");
    text2->setFocus();
    text2->setText(typed);
    w.child<QLineEdit>("Text1(0)")->setFocus();
    QCOMPARE(text2->text(), typed);
    w.window->Command4_Click();
    QCOMPARE(recordLines(readAll(w.f.folder() + QStringLiteral("/Mdb/Mod347.txt"))).size(), 1 + declared);
}

void TestMod347Window::gridListsTheSelection() {
    Window347 w;
    QVERIFY(w.window->Form_Load());
    w.window->Command1_Click();
    QVERIFY(!w.child<QGroupBox>("Frame4")->isHidden());
    QVERIFY(w.child<QPushButton>("Command1")->isHidden());
    QVERIFY(w.child<QPushButton>("Command4")->isHidden());
    QCOMPARE(w.column(0), (QStringList{QStringLiteral("12345678Z"), QStringLiteral("A00000000"),
                                       QStringLiteral("B12345674")}));
    QCOMPARE(w.column(2), (QStringList{QStringLiteral("N"), QStringLiteral("N"), QStringLiteral("N")}));
    const int width = w.child<DataGrid>("DBGrid1")->width();
    QCOMPARE(w.grid()->horizontalHeader()->sectionSize(1), static_cast<int>(width / 15.0 * 8.8));
    w.window->Command2_Click();
    QVERIFY(w.child<QGroupBox>("Frame4")->isHidden());
    QVERIFY(!w.child<QPushButton>("Command4")->isHidden());
}

void TestMod347Window::headerClicksSort() {
    Window347 w;
    QVERIFY(w.window->Form_Load());
    w.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    w.window->Command1_Click();
    QHeaderView* header = w.grid()->horizontalHeader();
    const auto click = [&](int column) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    };
    click(1);
    QCOMPARE(w.column(1),
             (QStringList{QStringLiteral("Zeta"), QStringLiteral("Beta"), QStringLiteral("Alfa")}));
    click(1);
    QCOMPARE(w.column(1),
             (QStringList{QStringLiteral("Alfa"), QStringLiteral("Beta"), QStringLiteral("Zeta")}));
    click(0);
    QCOMPARE(w.column(0), (QStringList{QStringLiteral("B12345674"), QStringLiteral("A00000000"),
                                       QStringLiteral("12345678Z")}));
    w.window->Command2_Click();
    w.window->Command1_Click();  // entering the grid again starts from NIF ascending
    QCOMPARE(w.column(0).first(), QStringLiteral("12345678Z"));
}

void TestMod347Window::keyFilterAndWriteBack() {
    Window347 w;
    QTableView* grid = w.openGrid();
    QVERIFY(grid);
    grid->setCurrentIndex(grid->model()->index(0, 0));
    QTest::keyClick(grid, Qt::Key_X);
    QCOMPARE(w.column(0).first(), QStringLiteral("12345678Z"));  // the NIF takes no key
    grid->setCurrentIndex(grid->model()->index(0, 2));
    QTest::keyClicks(grid, QStringLiteral("s"));
    QCOMPARE(w.column(2).first(), QStringLiteral("S"));
    QCOMPARE(w.storedIvacc(QStringLiteral("12345678Z")),
             QStringLiteral("N"));  // not yet: the row is still current
    grid->setCurrentIndex(grid->model()->index(1, 2));
    QCOMPARE(w.storedIvacc(QStringLiteral("12345678Z")), QStringLiteral("S"));
    QTest::keyClicks(grid, QStringLiteral("x"));
    QCOMPARE(w.column(2).at(1), QStringLiteral("N"));
    QTest::keyClick(grid, Qt::Key_S, Qt::ShiftModifier);
    QCOMPARE(w.column(2).at(1), QStringLiteral("S"));
    w.window->Command2_Click();  // leaving the grid writes the row
    QCOMPARE(w.storedIvacc(QStringLiteral("A00000000")), QStringLiteral("S"));
}

void TestMod347Window::keysThatConfirmCancelOrMove_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("storedOnLeaving");
    // Enter and Return confirm at once; Tab and the arrows move, and leaving the row writes it.
    QTest::newRow("Enter") << int(Qt::Key_Enter) << "S"
                           << "S"
                           << "S";
    QTest::newRow("Return") << int(Qt::Key_Return) << "S"
                            << "S"
                            << "S";
    QTest::newRow("Escape") << int(Qt::Key_Escape) << "N"
                            << "N"
                            << "N";
    QTest::newRow("Tab") << int(Qt::Key_Tab) << "S"
                         << "S"
                         << "S";
    QTest::newRow("arrow down") << int(Qt::Key_Down) << "S"
                                << "S"
                                << "S";
    QTest::newRow("arrow left") << int(Qt::Key_Left) << "S"
                                << "N"
                                << "S";
    QTest::newRow("Delete") << int(Qt::Key_Delete) << "S"
                            << "N"
                            << "S";
}

// Real key events on the IVACC cell after typing "s", checked against provedores.
void TestMod347Window::keysThatConfirmCancelOrMove() {
    QFETCH(int, key);
    QFETCH(QString, shown);
    QFETCH(QString, stored);
    QFETCH(QString, storedOnLeaving);
    Window347 w;
    QTableView* grid = w.openGrid();
    QVERIFY(grid);
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    grid->setCurrentIndex(grid->model()->index(0, 2));
    QTest::keyClicks(grid, QStringLiteral("s"));
    QTest::keyClick(grid, static_cast<Qt::Key>(key));
    QCOMPARE(w.column(2).first(), shown);
    QCOMPARE(w.storedIvacc(QStringLiteral("12345678Z")), stored);
    w.window->Command2_Click();
    QCOMPARE(w.storedIvacc(QStringLiteral("12345678Z")), storedOnLeaving);
}

void TestMod347Window::accentedNamesSortAsJet_data() {
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QStringList>("names");
    const QStringList ascending{QStringLiteral("Alfa"),        QStringLiteral("Álvarez Martínez, María José"),
                                QStringLiteral("Beta"),        QStringLiteral("Ñoño Hermanos, S.L."),
                                QStringLiteral("transportes"), QStringLiteral("Zeta")};
    QStringList descending = ascending;
    std::reverse(descending.begin(), descending.end());
    QTest::newRow("descending") << 1 << descending;
    QTest::newRow("ascending") << 2 << ascending;
}

// Through the grid's own record source: "order by 2" with a direction.
void TestMod347Window::accentedNamesSortAsJet() {
    QFETCH(int, clicks);
    QFETCH(QStringList, names);
    Window347 w;
    w.f.native(
        QStringLiteral("insert into provedores values ('11111111H', 'Álvarez Martínez, María José', "
                       "'28001'), ('22222222J', 'transportes', '28001'), "
                       "('33333333P', 'Ñoño Hermanos, S.L.', '28001')"));
    for (const char* nif : {"11111111H", "22222222J", "33333333P"})
        w.f.addEntry(QString::fromLatin1(nif), 5000, QStringLiteral("2025-05-05"), {});
    QVERIFY(w.window->Form_Load());
    w.window->Command1_Click();
    for (int click = 0; click < clicks; ++click)
        w.window->DBGrid1_HeadClick(1);
    QCOMPARE(w.column(1), names);
}

// Another program holds the database past the busy timeout while the user marks a supplier.
void TestMod347Window::failedWriteBackKeepsTheProgram() {
    Window347 w;
    QTableView* grid = w.openGrid();
    QVERIFY(grid);
    grid->setCurrentIndex(grid->model()->index(0, 2));
    QTest::keyClicks(grid, QStringLiteral("s"));
    w.f.db().beginTransaction();
    grid->setCurrentIndex(grid->model()->index(1, 2));  // leaving the row writes it back
    QCOMPARE(w.ui.messages.size(), 1);
    QVERIFY2(w.ui.messages[0].text.startsWith(
                 QStringLiteral("No se ha podido guardar el IVA de caja del proveedor.\r\n")),
             qPrintable(w.ui.messages[0].text));
    QVERIFY(w.ui.messages[0].text.contains(QLatin1String("bloqueada")));
    QCOMPARE(w.column(2).first(), QStringLiteral("N"));  // what provedores still holds
    QTest::keyClicks(grid, QStringLiteral("s"));
    w.window->close();  // closing writes back too
    QCOMPARE(w.ui.messages.size(), 2);
    w.f.db().rollback();
    QCOMPARE(w.storedIvacc(QStringLiteral("12345678Z")), QStringLiteral("N"));
    QCOMPARE(w.storedIvacc(QStringLiteral("A00000000")), QStringLiteral("N"));
    QVERIFY(w.ui.endedWith.isEmpty());
}

void TestMod347Window::iniciarWritesTheFile_data() {
    QTest::addColumn<QString>("telephone");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("real contact") << "915550123" << QStringList{QStringLiteral("PROCESO TERMINADO")};
    // The example data are warnings of the run's own check, told before the end.
    QTest::newRow("example contact") << "123456789"
                                     << QStringList{QStringLiteral("COMPROBACIÓN DEL FICHERO"),
                                                    QStringLiteral("PROCESO TERMINADO")};
}

void TestMod347Window::iniciarWritesTheFile() {
    QFETCH(QString, telephone);
    QFETCH(QStringList, titles);
    Window347 w;
    QVERIFY(w.window->Form_Load());
    w.child<QLineEdit>("Text1(0)")->setText(telephone);
    if (telephone != kExampleTelephone)
        w.child<QLineEdit>("Text1(1)")->setText(QStringLiteral("Garcia Lopez Ana"));
    w.window->Command4_Click();
    QStringList shown;
    for (const ScriptedUserInterface::Message& message : w.ui.messages) {
        shown.append(message.title);
        QVERIFY(message.shownWhileBusy);  // the run works under the busy pointer
    }
    QCOMPARE(shown, titles);
    QVERIFY(!w.ui.busy);
    QCOMPARE(w.ui.progressLines,
             (QStringList{QStringLiteral("Leyendo los proveedores y sus compras del año..."), QString(),
                          QStringLiteral("Escribiendo el fichero del modelo 347..."), QString()}));
    QCOMPARE(w.ui.endedWith, QList<int>{0});
    QVERIFY(QFile::exists(w.f.folder() + QStringLiteral("/Mdb/Mod347.txt")));
    QCOMPARE(QFile::exists(w.f.folder() + QStringLiteral("/Mdb/Comprobacion347.txt")), titles.size() == 2);
}

void TestMod347Window::kindOfDeclarationReachesTheRecord_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<bool>("onlyRefused");
    QTest::addColumn<QByteArray>("positions121To135");
    QTest::addColumn<int>("records");
    QTest::newRow("substitutive") << 2 << false << QByteArray(" S3470000000009") << 3;
    QTest::newRow("complementary of the refused record") << 1 << true << QByteArray("C 3470000000009") << 1;
}

void TestMod347Window::kindOfDeclarationReachesTheRecord() {
    QFETCH(int, option);
    QFETCH(bool, onlyRefused);
    QFETCH(QByteArray, positions121To135);
    QFETCH(int, records);
    Window347 w;
    QVERIFY(w.window->Form_Load());
    w.child<QRadioButton>(qPrintable(QStringLiteral("Option1(%1)").arg(option)))->click();
    w.child<QLineEdit>("Text3")->setText(QStringLiteral("3470000000009"));
    const QString errors = w.f.folder() + QStringLiteral("/errores.txt");
    QVERIFY(writeAll(errors, "23472025Q2826000HB12345674;E010330 Caracteres no v\xE1lidos\r\n"));
    QCOMPARE(w.child<QCheckBox>("Check1")->isEnabled(), onlyRefused);
    if (onlyRefused)
        w.window->contactFrames().setRefusedRecordsFile(errors);
    w.window->Command4_Click();
    QCOMPARE(w.ui.endedWith, QList<int>{0});
    const QStringList written = recordLines(readAll(w.f.folder() + QStringLiteral("/Mdb/Mod347.txt")));
    QCOMPARE(written.size(), 1 + records);
    QCOMPARE(written[0].mid(120, 15).toLatin1(), positions121To135);
    if (onlyRefused)
        QCOMPARE(written[1].mid(17, 9), QStringLiteral("B12345674"));
}

// Enter presses the focused button; Escape leaves the grid, then the window.
void TestMod347Window::enterPressesEscapeLeaves() {
    Window347 w;
    QVERIFY(w.window->Form_Load());
    w.window->show();
    QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
    auto* command1 = w.child<QPushButton>("Command1");
    command1->setFocus();
    QTest::keyClick(command1, Qt::Key_Enter);
    QVERIFY(w.child<QGroupBox>("Frame4")->isVisible());
    w.grid()->setFocus();
    w.grid()->setCurrentIndex(w.grid()->model()->index(0, SupplierGridModel::kIvaccColumn));
    QTest::keyClick(w.grid(), Qt::Key_S);
    QTest::keyClick(w.grid(), Qt::Key_Escape);  // undoes the edit alone
    QVERIFY(w.child<QGroupBox>("Frame4")->isVisible());
    QTest::keyClick(w.grid(), Qt::Key_Escape);
    QVERIFY(!w.child<QGroupBox>("Frame4")->isVisible());
    QVERIFY(w.window->isVisible());
    QTest::keyClick(w.child<QLineEdit>("Text2"), Qt::Key_Escape);
    QVERIFY(!w.window->isVisible());
    QVERIFY(w.ui.endedWith.isEmpty());
}

void TestMod347Window::searchFindsASupplier_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("nifs");  // where the grid stands after typing, then after each Enter
    QTest::addColumn<bool>("found");
    // The grid lists 12345678Z Ibérica de Limpiezas, B12345674 Ruiz Ibáñez and X1234567L Ñandú Müller, and
    // stands on the second.
    QTest::newRow("without accents") << "iberica" << QStringList{QStringLiteral("12345678Z")} << true;
    QTest::newRow("an eñe as an n") << "nandu" << QStringList{QStringLiteral("X1234567L")} << true;
    QTest::newRow("a diaeresis") << "MULLER" << QStringList{QStringLiteral("X1234567L")} << true;
    QTest::newRow("accents where the name has none")
        << "límpíézás" << QStringList{QStringLiteral("12345678Z")} << true;
    QTest::newRow("part of the NIF, then the next, round to the first")
        << "4567"
        << QStringList{QStringLiteral("12345678Z"), QStringLiteral("B12345674"), QStringLiteral("X1234567L"),
                       QStringLiteral("12345678Z")}
        << true;
    QTest::newRow("a name part, twice")
        << "iba" << QStringList{QStringLiteral("B12345674"), QStringLiteral("B12345674")} << true;
    QTest::newRow("nobody: the selection stays")
        << "gamma" << QStringList{QStringLiteral("B12345674")} << false;
}

// The search box moves to the first supplier whose NIF or name holds the text, whatever its accents and
// case, and Enter to the next; finding nobody, it says so and leaves the selection where it was.
void TestMod347Window::searchFindsASupplier() {
    QFETCH(QString, typed);
    QFETCH(QStringList, nifs);
    QFETCH(bool, found);
    QStandardItemModel suppliers;
    for (const auto& [nif, name] :
         {std::pair(QStringLiteral("12345678Z"), QStringLiteral("Ibérica de Limpiezas, S.A.")),
          std::pair(QStringLiteral("B12345674"), QStringLiteral("Ruiz Ibáñez, Zoë")),
          std::pair(QStringLiteral("X1234567L"), QStringLiteral("Ñandú Müller, Ana"))})
        suppliers.appendRow({new QStandardItem(nif), new QStandardItem(name)});
    DataGrid grid(QStringLiteral("Proveedores"), nullptr);
    grid.setModel(&suppliers);
    grid.setSearchColumns({0, 1});
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.table()->setCurrentIndex(suppliers.index(1, 0));
    QLineEdit* search = grid.searchBox();
    search->setFocus();
    for (const QChar c : typed)  // as typed, accents too, which keyClicks cannot send
        QTest::sendKeyEvent(QTest::Click, search, Qt::Key_unknown, QString(c), Qt::NoModifier);
    for (int step = 0; step < nifs.size(); ++step) {
        if (step > 0)
            QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(suppliers.index(grid.table()->currentIndex().row(), 0).data().toString(), nifs[step]);
    }
    QCOMPARE(grid.findChild<QLabel*>(QStringLiteral("noSeEncuentra"))->isVisible(), !found);
}

// Shrunk as far as it goes, the window keeps every control inside it and its text readable.
void TestMod347Window::smallestWindowStaysReadable() {
    Window347 w;
    QVERIFY(w.window->Form_Load());
    w.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    w.window->resize(100, 100);
    QCOMPARE(w.window->size(), QSize(Twips::toPixels(9168), Twips::toPixels(8892)));
    const QRect inside = w.window->rect();
    for (const char* name : {"Command1", "Command4", "Text2", "Frame1", "Frame2", "Frame3"}) {
        QVERIFY2(inside.contains(w.child<QWidget>(name)->geometry()), name);
        QVERIFY2(w.child<QWidget>(name)->font().pointSizeF() >= 8, name);
    }
}

// Nobody passes the threshold typed before "Iniciar": the program ends, and last year's file stays.
void TestMod347Window::stoppedRunKeepsThePreviousFile() {
    Window347 w;
    const QString declaration = w.f.folder() + QStringLiteral("/Mdb/Mod347.txt");
    QVERIFY(writeAll(declaration, "1347 EL FICHERO DE LA VEZ ANTERIOR\r\n"));
    QVERIFY(w.window->Form_Load());
    w.child<QLineEdit>("Text2")->setText(QStringLiteral("9999999"));
    w.window->Command4_Click();
    QCOMPARE(w.ui.endedWith, QList<int>{0});
    QCOMPARE(readAll(declaration), QByteArray("1347 EL FICHERO DE LA VEZ ANTERIOR\r\n"));
}

void TestMod347Window::nothingToDeclareEndsTheProgram() {
    Window347 w;
    w.f.native(QStringLiteral("delete from TdApt"));
    QVERIFY(!w.window->Form_Load());
    QCOMPARE(w.ui.messages.size(), 1);
    QCOMPARE(w.ui.messages[0].text, QStringLiteral("No hay perceptores para incluir en el fichero."));
    QVERIFY(w.ui.messages[0].shownWhileBusy);  // the load works under the busy pointer
    QVERIFY(!w.ui.busy);
    QCOMPARE(w.ui.endedWith, QList<int>{0});
}

QTEST_MAIN(TestMod347Window)
#include "tst_mod347window.moc"
