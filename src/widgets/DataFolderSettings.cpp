#include "DataFolderSettings.h"

#include <QFileInfo>
#include <QUrl>

// The group of a data folder is its path, percent-encoded, since a slash separates groups.
DataFolderSettings::DataFolderSettings(const QString& DbPath)
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Ecorda"),
                 QStringLiteral("aeat")) {
    m_settings.beginGroup(QStringLiteral("contacto/") +
                          QString::fromLatin1(QUrl::toPercentEncoding(QFileInfo(DbPath).absolutePath())));
}
