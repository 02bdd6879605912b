#pragma once

#include <QString>

/** The menu's title, also the application's own title in its messages. */
inline const QString kApplicationTitle = QStringLiteral("Datos de Ecorda para AEAT");
