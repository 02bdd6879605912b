#pragma once

#include "LostFocusLineEdit.h"
#include "declaration/DeclarantHeader.h"

#include <array>

class QGroupBox;

/**
 * The contact inputs of a declaration window: Frame1 ("Datos de la persona de
 * contacto") with the telephone Text1(0) and the contact person Text1(1), and
 * Frame2 with the declaration number Text1(2), each box trimmed of its outer
 * blanks when it loses the focus.
 */
class ContactFrames {
public:
    /** Creates both frames in `window` at their design places, for model "190" or "347". */
    ContactFrames(QWidget* window, int frame1Top, int frame2Top, const QString& model);

    ContactInputs inputs() const;
    void show(const ContactInputs& inputs);
    void Text1_LostFocus(int index);

    QGroupBox* Frame1;
    QGroupBox* Frame2;
    std::array<LostFocusLineEdit*, 3> Text1;
};

/** Removes leading and trailing blanks, as the boxes do when they lose the focus. */
QString trimBlanks(const QString& text);
