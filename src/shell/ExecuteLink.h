#pragma once

#include <QString>

class UserInterface;

/** The accounting package's support page, behind the menu's Image1. */
inline const QString kSupportAddress = QStringLiteral("https://www.ecorda.es/soporte");
/** The tax agency's web site, behind the menu's Image2. */
inline const QString kAgencyAddress = QStringLiteral("https://sede.agenciatributaria.gob.es");

/** Opens an address with the desktop shell; a refusal is told in the "ExecuteLink" message. */
void ExecuteLink(const QString& sLinkTo, UserInterface& ui);
