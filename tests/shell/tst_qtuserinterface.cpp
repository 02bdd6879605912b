#include "shell/QtUserInterface.h"
#include "shell/SpanishTranslations.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

class TestQtUserInterface : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(installSpanishTranslations(*qApp)); }
    void qtTextsInSpanish_data();
    void qtTextsInSpanish();
    void messageBelongsToTheActiveWindow_data();
    void messageBelongsToTheActiveWindow();
    void progressLineUntilTheWorkEnds();
    void questionThatDefaultsToNo();
};

void TestQtUserInterface::qtTextsInSpanish_data() {
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("spanish");
    const QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Save);
    QTest::newRow("Cancel") << buttons.button(QDialogButtonBox::Cancel)->text() << "Cancelar";
    QTest::newRow("Save") << buttons.button(QDialogButtonBox::Save)->text() << "Guardar";
    QLineEdit edit(QStringLiteral("texto"));
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList actions;
    for (const QAction* action : menu->actions())
        if (!action->isSeparator())
            actions.append(action->text().section(QLatin1Char('\t'), 0, 0));
    QTest::newRow("text box menu") << actions.join(QLatin1Char(' '))
                                   << "Deshacer Rehacer Cortar Copiar Pegar Borrar Seleccionar todo";
    // What Qt's Spanish catalogue lacks in the print dialog, from the program's own.
    QPrinter printer;
    const QPrintDialog dialog(&printer);
    QStringList texts;
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        texts.append(button->text());
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts.append(label->text());
    for (const QGroupBox* group : dialog.findChildren<QGroupBox*>())
        texts.append(group->title());
    for (const QComboBox* combo : dialog.findChildren<QComboBox*>())
        for (int item = 0; item < combo->count(); ++item)
            texts.append(combo->itemText(item));
    for (const char* english : {"Pages", "Double Sided Printing", "Off", "Long side binding",
                                "Short side binding", "Page Set:", "Set de páginas:"})
        QTest::newRow(english) << QString::number(texts.count(QString::fromUtf8(english))) << "0";
    QTest::newRow("Páginas") << QString::number(texts.count(QStringLiteral("Páginas")) > 0) << "1";
    QTest::newRow("Advanced") << QCoreApplication::translate("QPrintPropertiesWidget", "Advanced")
                              << "Avanzadas";
}

// The program's own texts are Spanish; Qt's must be too, whatever the machine's language.
void TestQtUserInterface::qtTextsInSpanish() {
    QFETCH(QString, shown);
    QFETCH(QString, spanish);
    QCOMPARE(shown.remove(QLatin1Char('&')), spanish);
}

void TestQtUserInterface::messageBelongsToTheActiveWindow_data() {
    QTest::addColumn<bool>("activeBetween");
    QTest::newRow("the window active again") << true;
    // As on a desktop, where the window is not active yet when the run's next message comes.
    QTest::newRow("no window active between them") << false;
}

// Every message raised by a window is centred over it and modal to it, not over the main menu: the
// check's message and "PROCESO TERMINADO" after it alike.
void TestQtUserInterface::messageBelongsToTheActiveWindow() {
    QFETCH(bool, activeBetween);
    QWidget menu;
    menu.setGeometry(0, 0, 300, 200);
    menu.show();
    QWidget raiser;
    raiser.setGeometry(300, 150, 400, 300);  // away from the edges, which a box does not pass
    raiser.show();
    QApplication::setActiveWindow(&raiser);
    QVERIFY(QTest::qWaitForWindowActive(&raiser));
    QtUserInterface ui;
    for (const QString& title :
         {QStringLiteral("COMPROBACIÓN DEL FICHERO"), QStringLiteral("PROCESO TERMINADO")}) {
        QWidget* parent = nullptr;
        QPoint centre;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            parent = box->parentWidget();
            centre = box->frameGeometry().center();
            box->buttons().first()->click();
        });
        ui.showMessage(QStringLiteral("Texto"), title, MessageIcon::Information, MessageButtons::Ok);
        QCOMPARE(parent, &raiser);
        QVERIFY2((centre - raiser.frameGeometry().center()).manhattanLength() < 40,
                 qPrintable(QStringLiteral("%1,%2").arg(centre.x()).arg(centre.y())));
        QApplication::setActiveWindow(activeBetween ? &raiser : nullptr);
    }
}

// The doubtful CIF/NIF question: Enter answers No; the box names the first ten suppliers, all of them on
// request, and is as wide as its title.
void TestQtUserInterface::questionThatDefaultsToNo() {
    QStringList suppliers;
    for (int i = 1; i <= 12; ++i)
        suppliers.append(QStringLiteral("B%1 PROVEEDOR %1").arg(i));
    const QString title = QStringLiteral("POSIBLES ERRORES EN CIF/NIF DE PROVEEDORES");
    QtUserInterface ui;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        QCOMPARE(box->defaultButton()->text(), QStringLiteral("No"));
        QCOMPARE(box->icon(), QMessageBox::Critical);
        QCOMPARE(box->informativeText().split(QLatin1Char('\n')).size(), 11);
        QVERIFY(box->informativeText().endsWith(QStringLiteral("... y 2 más")));
        QCOMPARE(box->detailedText().split(QLatin1Char('\n')), suppliers);
        QFont bold = box->font();
        bold.setBold(true);
        QVERIFY(box->width() > QFontMetrics(bold).horizontalAdvance(title));
        QTest::keyClick(box, Qt::Key_Return);
    });
    QCOMPARE(ui.askDefaultingToNo(QStringLiteral("Vea el fichero \r\nRevisarNIF.txt\r\n¿Desea continuar?"),
                                  title, MessageIcon::Critical, suppliers),
             MessageAnswer::No);
}

// A long piece of work says what it does in a small window of its own, gone when the work ends.
void TestQtUserInterface::progressLineUntilTheWorkEnds() {
    const auto shownProgress = [] {
        QStringList lines;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QProgressDialog*>(window); dialog && dialog->isVisible())
                lines.append(dialog->labelText());
        return lines;
    };
    QtUserInterface ui;
    {
        const BusyCursor busy(ui, QStringLiteral("Leyendo los proveedores..."));
        QCOMPARE(shownProgress(), QStringList{QStringLiteral("Leyendo los proveedores...")});
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    QCOMPARE(shownProgress(), QStringList());
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(TestQtUserInterface)
#include "tst_qtuserinterface.moc"
