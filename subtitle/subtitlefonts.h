#pragma once

#include "subtitle/subtitlelayout.h"

#include <QFont>
#include <QFontMetrics>

#include <map>
#include <tuple>

namespace vistarel::subtitle {

// Makes the Tahoma-compatible font of Wine's font package available when no "Tahoma"
// family is installed (it lives outside the font search path). Runs once; any thread,
// after the QGuiApplication exists.
void ensureSubtitleFonts();

// The QFont for a TFontSpec: family resolved by the platform with a sans fallback, em height
// in pixels, style bits, grey-scale anti-aliasing (the same shapes on every background).
QFont subtitleFont(const TFontSpec& wanted);

// Measures with the real fonts; caches the metrics of the fonts it has seen. One object
// per drawing call or thread.
class QtTextMeasure final : public TextMeasure
{
public:
    TFontMetricsPx metrics(const TFontSpec& font) override;
    std::int32_t advance(const TFontSpec& font, QStringView text) override;

private:
    const QFontMetrics& fontMetrics(const TFontSpec& font);

    std::map<std::tuple<QString, std::int32_t, std::uint8_t>, QFontMetrics> m_cache;
};

} // namespace vistarel::subtitle
