#include "ClickableImage.h"

#include <QMouseEvent>
#include <QPainter>

ClickableImage::ClickableImage(const QPixmap& picture, const QString& toolTip, QWidget* parent)
    : QWidget(parent), m_picture(picture) {
    setToolTip(toolTip);
    setCursor(Qt::PointingHandCursor);
}

void ClickableImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), m_picture);
}

void ClickableImage::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}
