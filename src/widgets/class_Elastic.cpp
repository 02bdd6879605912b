#include "class_Elastic.h"

#include "ScreenFit.h"
#include "Twips.h"
#include "WindowControls.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QResizeEvent>
#include <QWidget>

#include <cmath>
#include <limits>

namespace {

constexpr double kReferenceScreenHeight = 7290;
constexpr double kReferenceScreenWidth = 9690;
constexpr double kHeightAllowance = 400;
constexpr double kFontFactor = 0.7;
// The smallest font the layout gives a control, in points: smaller, the office cannot read it.
constexpr double kSmallestFontSize = 8;

// A value recorded in 16 bits, rounded to the nearest whole number with
// halves to the even one; one that does not fit is not recorded.
std::optional<qint16> to16(double value) {
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<qint16>::min() ||
        rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

void record(QList<qint16>& values, int index, double value) {
    if (const auto recorded = to16(value))
        values[index] = *recorded;
}

// ⌊x⌋, or nothing for a value no control can take (a division by zero, say).
std::optional<int> floorOf(double value) {
    const double result = std::floor(value);
    if (!std::isfinite(result) || std::fabs(result) > 1e8)
        return std::nullopt;
    return static_cast<int>(result);
}

bool isLine(const QWidget* control) {
    return control->property("X1").isValid() && control->property("Y1").isValid() &&
           control->property("X2").isValid() && control->property("Y2").isValid();
}

double outerHeight(const QWidget* frm) {
    return Twips::fromPixels(frm->height() + frameDecorations(frm).height());
}
double outerWidth(const QWidget* frm) {
    return Twips::fromPixels(frm->width() + frameDecorations(frm).width());
}

// Sets the window's outer size. A hidden window holds its resize event until
// it is shown; it is sent at once, as a resize is a notification to the window.
void setOuterSize(QWidget* frm, double heightTwips, double widthTwips) {
    const QSize frame = frameDecorations(frm);
    const QSize oldSize = frm->size();
    frm->resize(std::max(1, Twips::toPixels(static_cast<int>(widthTwips)) - frame.width()),
                std::max(1, Twips::toPixels(static_cast<int>(heightTwips)) - frame.height()));
    if (!frm->isVisible() && frm->size() != oldSize) {
        QResizeEvent event(frm->size(), oldSize);
        QCoreApplication::sendEvent(frm, &event);
    }
}

// The screen as a window may take it, without the desktop's panels.
QSizeF screenTwips(const QWidget* frm) {
    const QRect pixels = availableArea(frm);
    return QSizeF(Twips::fromPixels(pixels.width()), Twips::fromPixels(pixels.height()));
}

}  // namespace

void class_Elastic::Init(QWidget* frm, std::optional<int> nWindState) {
    m_designHeight = to16(outerHeight(frm)).value_or(0);
    m_designWidth = to16(outerWidth(frm)).value_or(0);
    const QList<QWidget*> controls = windowControls(frm);
    m_lastIndex = static_cast<qint16>(controls.size() - 1);
    m_skip = true;
    const qsizetype count = std::max<qsizetype>(controls.size(), 1);
    for (QList<qint16>* values : {&m_top, &m_left, &m_height, &m_width, &m_fontSize, &m_rightMargin})
        *values = QList<qint16>(count, 0);

    const double windowFontSize = frm->font().pointSizeF();
    for (int i = 0; i < controls.size(); ++i) {
        const QWidget* control = controls[i];
        if (isLine(control)) {
            record(m_top, i, control->property("Y1").toDouble());
            record(m_left, i, control->property("X1").toDouble());
            record(m_height, i, control->property("Y2").toDouble());
            record(m_width, i, control->property("X2").toDouble());
            continue;
        }
        const QRect g = control->geometry();
        record(m_top, i, Twips::fromPixels(g.y()));
        record(m_left, i, Twips::fromPixels(g.x()));
        record(m_height, i, Twips::fromPixels(g.height()));
        record(m_width, i, Twips::fromPixels(g.width()));
        record(m_fontSize, i, windowFontSize);
        if (const auto* edit = qobject_cast<const QLineEdit*>(control))
            record(m_rightMargin, i, Twips::fromPixels(edit->textMargins().right()));
    }

    const QSizeF screen = screenTwips(frm);
    if (frm->isMaximized() || nWindState) {
        if (!frm->isMaximized())
            setOuterSize(frm, screen.height(), screen.width());
    } else {
        // Scaled to the screen, but never past it: every control stays within reach.
        setOuterSize(frm,
                     std::min(outerHeight(frm) * screen.height() / kReferenceScreenHeight, screen.height()),
                     outerWidth(frm));
        setOuterSize(frm, outerHeight(frm),
                     std::min(outerWidth(frm) * screen.width() / kReferenceScreenWidth, screen.width()));
    }
    keepOnScreen(frm);
    m_skip = true;
}

void class_Elastic::FormResize(QWidget* frm) {
    if (m_skip) {
        m_skip = false;
        return;
    }
    const bool updates = frm->updatesEnabled();
    frm->setUpdatesEnabled(false);
    if (outerHeight(frm) < m_designHeight / 2.0)
        setOuterSize(frm, m_designHeight / 2.0, outerWidth(frm));
    if (outerWidth(frm) < m_designWidth / 2.0)
        setOuterSize(frm, outerHeight(frm), m_designWidth / 2.0);
    layOut(frm);
    frm->setUpdatesEnabled(updates);
}

void class_Elastic::layOut(QWidget* frm) {
    if (m_top.isEmpty())
        return;  // Init has not run
    const double ry = (m_designHeight - kHeightAllowance) / (outerHeight(frm) - kHeightAllowance);
    const double rx = m_designWidth / outerWidth(frm);
    const QList<QWidget*> controls = windowControls(frm);
    const int last = std::min<int>(m_lastIndex, static_cast<int>(controls.size()) - 1);
    for (int i = 0; i <= last; ++i) {
        QWidget* control = controls[i];
        const auto top = floorOf(m_top[i] / ry);
        const auto left = floorOf(m_left[i] / rx);
        const auto height = floorOf(m_height[i] / ry);
        const auto width = floorOf(m_width[i] / rx);
        if (isLine(control)) {
            if (top)
                control->setProperty("Y1", *top);
            if (left)
                control->setProperty("X1", *left);
            if (height)
                control->setProperty("Y2", *height);
            if (width)
                control->setProperty("X2", *width);
            continue;
        }
        QRect g = control->geometry();
        if (top)
            g.moveTop(Twips::toPixels(*top));
        if (left)
            g.moveLeft(Twips::toPixels(*left));
        if (height && *height >= 0)
            g.setHeight(Twips::toPixels(*height));
        if (width && *width >= 0)
            g.setWidth(Twips::toPixels(*width));
        control->setGeometry(g);
        if (const auto n = floorOf(m_fontSize[i] / rx); n && *n > 0) {
            QFont font = control->font();
            font.setPointSizeF(std::max(kSmallestFontSize, kFontFactor * (*n + *n % 2)));
            control->setFont(font);
        }
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            if (const auto margin = floorOf(m_rightMargin[i] / rx)) {
                QMargins margins = edit->textMargins();
                margins.setRight(Twips::toPixels(*margin));
                edit->setTextMargins(margins);
            }
        }
    }
}
