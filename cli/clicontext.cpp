#include "cli/clicontext.h"

#include "lang/languagefile.h"
#include "project/appdata.h"
#include "project/settings.h"

namespace vistarel::cli {

lang::MessageList loadUserMessages()
{
    lang::MessageList messages;
    const project::Settings settings;
    const QString file =
        lang::resolveLanguageFile(project::executableDir(), project::startLanguage(settings));
    if (!file.isEmpty())
        messages.load(lang::LanguageFile::load(file));
    return messages;
}

bool takeFlag(QStringList& args, const QString& name)
{
    return args.removeAll(name) > 0;
}

std::optional<QString> takeOption(QStringList& args, const QString& name, bool& missingValue)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == name) {
            if (i + 1 >= args.size()) {
                missingValue = true;
                args.removeAt(i);
                return std::nullopt;
            }
            const QString value = args[i + 1];
            args.remove(i, 2);
            return value;
        }
        if (args[i].startsWith(name + u'=')) {
            const QString value = args[i].mid(name.size() + 1);
            args.removeAt(i);
            return value;
        }
    }
    return std::nullopt;
}

} // namespace vistarel::cli
