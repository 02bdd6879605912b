#include "QtUserInterface.h"

#include "base/ApplicationTitle.h"

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
    // The progress line steps aside while the user reads or answers.
    if (m_progress)
        m_progress->hide();
    const auto restore = qScopeGuard([this] {
        QApplication::restoreOverrideCursor();
        if (m_progress)
            m_progress->show();
    });
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
