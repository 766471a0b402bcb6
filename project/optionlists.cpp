#include "project/optionlists.h"

namespace vistarel::project {

QStringList yesNoEntries()
{
    return {QStringLiteral("ja"), QStringLiteral("nein")};
}

QStringList displayDurationEntries()
{
    return {QStringLiteral("1"),  QStringLiteral("2"),  QStringLiteral("3"),
            QStringLiteral("4"),  QStringLiteral("5"),  QStringLiteral("6"),
            QStringLiteral("7"),  QStringLiteral("8"),  QStringLiteral("9"),
            QStringLiteral("10"), QStringLiteral("15"), QStringLiteral("20"),
            QStringLiteral("25"), QStringLiteral("30"), QStringLiteral("40"),
            QStringLiteral("50"), QStringLiteral("60")};
}

QStringList transitionDurationEntries()
{
    return {QStringLiteral("0.5"),  QStringLiteral("0.75"), QStringLiteral("1.0"),
            QStringLiteral("1.25"), QStringLiteral("1.5"),  QStringLiteral("1.75"),
            QStringLiteral("2.0"),  QStringLiteral("2.25"), QStringLiteral("2.5"),
            QStringLiteral("2.75")};
}

int displaySecondsOfDuration(std::int32_t position)
{
    static const QStringList entries = displayDurationEntries();
    if (position < 0 || position >= entries.size())
        return kFallbackDisplaySeconds;
    bool ok = false;
    const int seconds = entries[position].toInt(&ok);
    return ok ? seconds : kFallbackDisplaySeconds;
}

std::int64_t transitionMsOfPosition(std::int32_t position)
{
    return 500 + 250 * std::int64_t(position);
}

AudioMode audioModeOf(std::int32_t stored)
{
    return (stored >= 0 && stored <= 2) ? AudioMode(stored) : AudioMode::OwnSound;
}

} // namespace vistarel::project
