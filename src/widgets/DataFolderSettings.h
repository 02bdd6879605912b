#pragma once

#include <QSettings>
#include <QString>

/**
 * What the windows remember for one data folder (the folder of the
 * accounting database at `DbPath`), in the user's settings: the contact data,
 * the signer. Another data folder has its own.
 */
class DataFolderSettings {
public:
    explicit DataFolderSettings(const QString& DbPath);

    bool contains(const QString& key) const { return m_settings.contains(key); }
    QString value(const QString& key) const { return m_settings.value(key).toString(); }
    void setValue(const QString& key, const QString& value) { m_settings.setValue(key, value); }

private:
    QSettings m_settings;
};
