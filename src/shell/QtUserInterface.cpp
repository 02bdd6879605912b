#include "QtUserInterface.h"

#include "base/ApplicationTitle.h"
#include "declaration/DeclarationMessages.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QUrl>

#include <cerrno>

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::None:
            break;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// The messages break their lines as Windows does; a box breaks them at "\n".
QString boxLines(QString text) {
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

// A box is as wide as its text; a long title would be cut by the window manager. A row of its own, as
// wide as the title, keeps the box at least that wide and leaves the text its own width.
void widenForTheTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    QFont titleFont = box.font();
    titleFont.setBold(true);
    constexpr int kTitleBarButtons = 120;  // the title bar's icon and buttons, in pixels
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarButtons;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

}  // namespace

MessageAnswer QtUserInterface::showMessage(const QString& text, const QString& title, MessageIcon icon,
                                           MessageButtons buttons) {
    QMessageBox box(ownerWindow());
    prepare(box, text, title, icon);
    if (buttons == MessageButtons::YesNo)
        return askYesNo(box, false);
    box.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
    exec(box);
    return MessageAnswer::Ok;
}

MessageAnswer QtUserInterface::askDefaultingToNo(const QString& text, const QString& title, MessageIcon icon,
                                                 const QStringList& items) {
    QMessageBox box(ownerWindow());
    prepare(box, text, title, icon);
    if (!items.isEmpty()) {
        box.setInformativeText(boxLines(DeclarationMessages::firstLines(items)));
        box.setDetailedText(items.join(QLatin1Char('\n')));
    }
    return askYesNo(box, true);
}

void QtUserInterface::prepare(QMessageBox& box, const QString& text, const QString& title, MessageIcon icon) {
    box.setWindowTitle(title);
    box.setIcon(boxIcon(icon));
    box.setText(boxLines(text));
}

MessageAnswer QtUserInterface::askYesNo(QMessageBox& box, bool noIsDefault) {
    QPushButton* yes = box.addButton(QStringLiteral("Sí"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    box.setDefaultButton(noIsDefault ? no : yes);
    box.setEscapeButton(no);
    exec(box);
    return box.clickedButton() == yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void QtUserInterface::exec(QMessageBox& box) {
    widenForTheTitle(box);  // last: the texts and the icon lay the box out anew
    // A message in the middle of a busy piece of work shows the ordinary pointer.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    // The progress line steps aside while the user reads or answers.
    if (m_progress)
        m_progress->hide();
    const auto restore = qScopeGuard([this] {
        QApplication::restoreOverrideCursor();
        if (m_progress)
            m_progress->show();
    });
    box.exec();
}

QWidget* QtUserInterface::ownerWindow() {
    if (QWidget* active = QApplication::activeWindow())
        m_owner = active;
    return m_owner;
}

int QtUserInterface::shellOpen(const QString& target) {
    const QUrl url = QFileInfo::exists(target) ? QUrl::fromLocalFile(target) : QUrl(target);
    errno = 0;
    if (QDesktopServices::openUrl(url))
        return 0;
    return errno != 0 ? errno : ENOENT;
}

void QtUserInterface::setBusyCursor(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
}

void QtUserInterface::stillWorking() {
    // Paints and the like, but no clicks or keys: they wait until the work is done.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtUserInterface::showProgress(const QString& line) {
    if (line.isEmpty()) {
        delete m_progress;
        return;
    }
    if (!m_progress) {
        m_progress = new QProgressDialog(ownerWindow());
        m_progress->setWindowTitle(kApplicationTitle);
        m_progress->setCancelButton(nullptr);
        m_progress->setRange(0, 0);  // a bar that moves without a count
        m_progress->setMinimumDuration(0);
        m_progress->setWindowModality(Qt::ApplicationModal);
    }
    m_progress->setLabelText(line);
    m_progress->show();
    stillWorking();
}

void QtUserInterface::endProgram(int status) {
    QApplication::closeAllWindows();
    QCoreApplication::exit(status);
}
