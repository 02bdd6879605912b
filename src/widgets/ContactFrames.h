#pragma once

#include "LostFocusLineEdit.h"
#include "declaration/DeclarantHeader.h"

#include <QList>

class QGroupBox;

/**
 * The contact inputs of a declaration window: Frame1 ("Datos de la persona de
 * contacto") with the telephone Text1(0), the contact person Text1(1) and, for
 * model "190", the e-mail Text1(3); and Frame2 with the declaration number
 * Text1(2). Each box is trimmed of its outer blanks when it loses the focus.
 */
class ContactFrames {
public:
    /** How much taller, in twips, the e-mail makes Frame1: what lies below moves down by as much. */
    static constexpr int kEmailHeight = 840;

    /** Creates both frames in `window` at their design places, for model "190" or "347". */
    ContactFrames(QWidget* window, int frame1Top, int frame2Top, const QString& model);
    ~ContactFrames();
    ContactFrames(const ContactFrames&) = delete;
    ContactFrames& operator=(const ContactFrames&) = delete;

    ContactInputs inputs() const;
    void show(const ContactInputs& inputs);

    /**
     * The telephone, contact person and e-mail of the last run that wrote its
     * file for the accounting database at `DbPath`, kept in the user's settings
     * for its folder: recall shows them in place of the example data, remember
     * keeps what the boxes hold. The declaration number is never kept.
     */
    void recall(const QString& DbPath);
    void remember(const QString& DbPath) const;
    void Text1_LostFocus(int index);

    QGroupBox* Frame1;
    QGroupBox* Frame2;
    /** Text1(0) to Text1(2), and Text1(3) for model "190". */
    QList<LostFocusLineEdit*> Text1;

private:
    QList<QMetaObject::Connection> m_lostFocusConnections;
};

/** Removes leading and trailing blanks, as the boxes do when they lose the focus. */
QString trimBlanks(const QString& text);
