#include "QtUserInterface.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QUrl>

#include <cerrno>

MessageAnswer QtUserInterface::showMessage(const QString& text, const QString& title, MessageIcon icon,
                                           MessageButtons buttons) {
    // A message in the middle of a busy piece of work shows the ordinary pointer.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    // Over the window that raised it, and modal to it.
    QMessageBox box(ownerWindow());
    box.setWindowTitle(title);
    QString shown = text;
    box.setText(shown.replace(QLatin1String("\r\n"), QLatin1String("\n")));
    switch (icon) {
        case MessageIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageIcon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
    }
    if (buttons == MessageButtons::YesNo) {
        const QAbstractButton* yes = box.addButton(QStringLiteral("Sí"), QMessageBox::YesRole);
        box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
        box.exec();
        return box.clickedButton() == yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
    box.exec();
    return MessageAnswer::Ok;
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

void QtUserInterface::endProgram(int status) {
    QApplication::closeAllWindows();
    QCoreApplication::exit(status);
}
