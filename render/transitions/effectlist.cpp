#include "render/transitions/effectlist.h"

#include "project/transitioncatalogue.h"

#include <QStringList>

namespace vistarel::render::transitions {

namespace {

std::optional<int> ordinalOf(const QString& item)
{
    bool isNumber = false;
    const int n = item.toInt(&isNumber);
    if (isNumber)
        return n >= 0 && n < project::kTransitionCount ? std::optional<int>(n) : std::nullopt;
    if (auto ordinal = project::transitionOrdinal(item))
        return ordinal;
    return project::transitionOrdinal(QStringLiteral("iett") + item);
}

} // namespace

std::optional<std::vector<int>> parseEffectList(const QString& text, QString* error)
{
    std::vector<int> effects;
    for (const QString& raw : text.split(u',', Qt::SkipEmptyParts)) {
        const QString item = raw.trimmed();
        const qsizetype dash = item.indexOf(u'-', 1);
        std::optional<int> first = ordinalOf(dash > 0 ? item.left(dash) : item);
        std::optional<int> last = dash > 0 ? ordinalOf(item.mid(dash + 1)) : first;
        if (!first || !last || *last < *first) {
            if (error)
                *error = item;
            return std::nullopt;
        }
        for (int n = *first; n <= *last; ++n)
            effects.push_back(n);
    }
    if (effects.empty()) {
        if (error)
            *error = text;
        return std::nullopt;
    }
    return effects;
}

} // namespace vistarel::render::transitions
