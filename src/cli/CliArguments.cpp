#include "CliArguments.h"

std::optional<CliArguments> CliArguments::parse(const QStringList& arguments, const QStringList& valueOptions,
                                                const QStringList& flags) {
    CliArguments parsed;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (!arg.startsWith(QLatin1String("--")) || arg.size() == 2) {
            parsed.m_positional.append(arg);
            continue;
        }
        const QString name = arg.mid(2);
        if (flags.contains(name)) {
            parsed.m_flags.append(name);
        } else if (valueOptions.contains(name) && i + 1 < arguments.size()) {
            parsed.m_values.insert(name, arguments[++i]);
            parsed.m_repeated[name].append(arguments[i]);
        } else {
            return std::nullopt;
        }
    }
    return parsed;
}
