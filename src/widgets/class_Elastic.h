#pragma once

#include <QList>

#include <optional>

class QWidget;

/**
 * Makes a window's layout follow its size. Init records where every control
 * of the window lies in the design layout (in twips, as 16-bit values) and
 * fits the window to the screen; every later FormResize moves and stretches
 * the controls in proportion to the window's size and scales their font size
 * with its width, never below 8 points. A control is a line when it carries the properties X1, Y1,
 * X2 and Y2; a line is scaled by its end points.
 */
class class_Elastic {
public:
    /** Only whether `nWindState` is given matters: then the window takes the whole screen. */
    void Init(QWidget* frm, std::optional<int> nWindState = std::nullopt);
    void FormResize(QWidget* frm);

private:
    void layOut(QWidget* frm);

    qint16 m_designHeight = 0;
    qint16 m_designWidth = 0;
    qint16 m_lastIndex = 0;
    QList<qint16> m_top;
    QList<qint16> m_left;
    QList<qint16> m_height;
    QList<qint16> m_width;
    QList<qint16> m_fontSize;
    QList<qint16> m_rightMargin;
    bool m_skip = false;
};
