#pragma once

#include <QMap>
#include <QStringList>

#include <optional>

/**
 * The options and positional arguments of one subcommand. Options are
 * "--name value" or, for flags, "--name" alone.
 */
class CliArguments {
public:
    /** Parses; returns nothing on an unknown option or an option without its value. */
    static std::optional<CliArguments> parse(const QStringList& arguments, const QStringList& valueOptions,
                                             const QStringList& flags = {});

    bool has(const QString& option) const { return m_values.contains(option) || m_flags.contains(option); }
    /** The option's value; the last one when it was given more than once. */
    QString value(const QString& option, const QString& fallback = {}) const {
        return m_values.value(option, fallback);
    }
    /** Every value of an option given more than once, in order. */
    QStringList values(const QString& option) const { return m_repeated.value(option); }
    const QStringList& positional() const { return m_positional; }

private:
    QMap<QString, QString> m_values;
    QMap<QString, QStringList> m_repeated;
    QStringList m_flags;
    QStringList m_positional;
};
