#include "ScreenFit.h"

#include <QEvent>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace {

bool isFramed(const QWidget* window) {
    return window->frameGeometry().size() != window->geometry().size();
}

// Shrinks the window to the area and moves it inside when it must; see keepOnScreen.
void fitInAvailableArea(QWidget* window) {
    const QRect area = availableArea(window);
    const QSize frame = frameDecorations(window);
    QRect outer(window->frameGeometry().topLeft(), window->size() + frame);
    const QSize fitted = outer.size().boundedTo(area.size());
    const bool shrunk = fitted != outer.size();
    if (shrunk) {
        window->resize(fitted - frame);
        outer.setSize(fitted);
    }
    if ((shrunk || window->isVisible()) && !area.contains(outer))
        window->move(std::clamp(outer.left(), area.left(), area.right() - outer.width() + 1),
                     std::clamp(outer.top(), area.top(), area.bottom() - outer.height() + 1));
}

// Fits the window again, once, when the window manager has given it its frame.
class FramedFit : public QObject {
public:
    explicit FramedFit(QWidget* window) : QObject(window), m_window(window) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (watched == m_window && (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize) &&
            m_window->isVisible() && isFramed(m_window)) {
            m_window->removeEventFilter(this);
            fitInAvailableArea(m_window);
            deleteLater();
        }
        return false;
    }

private:
    QWidget* m_window;
};

}  // namespace

QRect availableArea(const QWidget* window) {
    const QScreen* screen = window->screen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

QSize frameDecorations(const QWidget* window) {
    if (isFramed(window))
        return window->frameGeometry().size() - window->geometry().size();
    const int border = window->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    return QSize(2 * border, window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * border);
}

void keepOnScreen(QWidget* window) {
    fitInAvailableArea(window);
    if (!window->findChild<FramedFit*>(QString(), Qt::FindDirectChildrenOnly))
        new FramedFit(window);
}
