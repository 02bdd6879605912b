#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

/**
 * Compares `actual` with the golden file `name` under `folder` of the test
 * data, byte for byte. With AEAT_UPDATE_GOLDEN=1 in the environment, or when
 * the golden file is missing, it writes the file instead and fails, so that
 * a new golden file is always looked at before it is trusted.
 */
bool matchesGolden(const QByteArray& actual, const QString& folder, const QString& name, QString* why);

/** A file's whole content; empty when it cannot be read. */
QByteArray readAll(const QString& path);

/** Makes a file that holds exactly `content`; false when it cannot. */
bool writeAll(const QString& path, const QByteArray& content);

/** The records of a declaration file, one byte a character, without their line ends. */
QStringList recordLines(const QByteArray& file);
