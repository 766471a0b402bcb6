#include "subtitle/subtitlefonts.h"

#include <QFile>
#include <QFontDatabase>

#include <mutex>

namespace vistarel::subtitle {

namespace {

// Where Debian's fonts-wine keeps its Tahoma files.
constexpr const char* kTahomaFiles[] = {
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/share/wine/fonts/tahomabd.ttf",
};

} // namespace

void ensureSubtitleFonts()
{
    static std::once_flag once;
    std::call_once(once, [] {
        if (QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive))
            return;
        for (const char* path : kTahomaFiles) {
            const QString file = QString::fromLatin1(path);
            if (QFile::exists(file))
                QFontDatabase::addApplicationFont(file);
        }
    });
}

QFont subtitleFont(const TFontSpec& wanted)
{
    ensureSubtitleFonts();
    // No style hint: it would override the platform's own aliases (a monospaced face
    // for "Courier New"); an unknown family still falls back to the default sans.
    QFont font(wanted.family);
    font.setPixelSize(std::max(wanted.px, 1));
    font.setBold((wanted.style & kStyleBold) != 0);
    font.setItalic((wanted.style & kStyleItalic) != 0);
    font.setUnderline((wanted.style & kStyleUnderline) != 0);
    font.setStrikeOut((wanted.style & kStyleStrikeOut) != 0);
    font.setStyleStrategy(
        QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    return font;
}

const QFontMetrics& QtTextMeasure::fontMetrics(const TFontSpec& font)
{
    const auto key = std::make_tuple(font.family, font.px, font.style);
    auto found = m_cache.find(key);
    if (found == m_cache.end())
        found = m_cache.emplace(key, QFontMetrics(subtitleFont(font))).first;
    return found->second;
}

TFontMetricsPx QtTextMeasure::metrics(const TFontSpec& font)
{
    const QFontMetrics& m = fontMetrics(font);
    return {m.ascent(), m.descent()};
}

std::int32_t QtTextMeasure::advance(const TFontSpec& font, QStringView text)
{
    return fontMetrics(font).horizontalAdvance(text.toString());
}

} // namespace vistarel::subtitle
