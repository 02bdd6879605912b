#include "PictureButton.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace {
constexpr int kLargestPicture = 24;
constexpr int kSmallestPicture = 12;
constexpr int kMargin = 3;

// The raised (or, pressed, sunken) edge of a classic command button.
void drawBevel(QPainter& painter, const QRect& r, const QPalette& palette, bool sunken) {
    painter.fillRect(r, palette.color(QPalette::Button));
    const QColor light = sunken ? palette.color(QPalette::Dark) : palette.color(QPalette::Light);
    const QColor dark = sunken ? palette.color(QPalette::Light) : palette.color(QPalette::Shadow);
    painter.setPen(light);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(dark);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    painter.setPen(palette.color(QPalette::Mid));
    painter.drawLine(r.bottomLeft() + QPoint(1, -1), r.bottomRight() + QPoint(-1, -1));
    painter.drawLine(r.topRight() + QPoint(-1, 1), r.bottomRight() + QPoint(-1, -1));
}
}  // namespace

PictureButton::PictureButton(const QString& caption, const QIcon& picture, QWidget* parent)
    : QPushButton(caption, parent) {
    setIcon(picture);
}

void PictureButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    const bool sunken = isDown() || isChecked();
    drawBevel(painter, rect(), palette(), sunken);

    const QRect inner =
        rect().adjusted(kMargin, kMargin, -kMargin, -kMargin).translated(sunken ? 1 : 0, sunken ? 1 : 0);
    const QRect textNeed =
        fontMetrics().boundingRect(QRect(0, 0, inner.width(), inner.height()), Qt::TextWordWrap, text());
    const int pictureSize = std::clamp(inner.height() - textNeed.height() - 1,
                                       std::min(kSmallestPicture, inner.height()), kLargestPicture);
    const QRect pictureRect(inner.center().x() - pictureSize / 2, inner.top(), pictureSize, pictureSize);
    icon().paint(&painter, pictureRect, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);

    const QRect textRect(inner.left(), pictureRect.bottom() + 1, inner.width(),
                         inner.bottom() - pictureRect.bottom());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(textRect, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap, text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = inner;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}
