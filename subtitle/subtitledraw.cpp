#include "subtitle/subtitledraw.h"

#include "subtitle/rtfparser.h"
#include "subtitle/subtitlefonts.h"
#include "subtitle/subtitleforms.h"
#include "subtitle/subtitlelayout.h"

#include <QPainter>

#include <algorithm>
#include <optional>

namespace vistarel::subtitle {

namespace {

QColor toQColor(std::uint32_t color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

// The subtitle is painted onto a transparent layer covering the rows it can touch, and
// the layer is then laid over the picture. The layer does not depend on the background
// and laying it over is a linear blend, so a render on black and one on white have the
// same shapes: the clip overlay derives its transparency from that pair.
class OverlayBand
{
public:
    OverlayBand(const QImage& picture, std::int64_t top, std::int64_t bottom)
        : m_top(clampToInt(std::max<std::int64_t>(top, 0)))
        , m_bottom(clampToInt(std::min<std::int64_t>(bottom, picture.height())))
    {
        if (m_bottom <= m_top)
            return;
        m_layer = QImage(picture.width(), m_bottom - m_top, QImage::Format_ARGB32_Premultiplied);
        if (m_layer.isNull())
            return;
        m_layer.fill(Qt::transparent);
        m_painter.emplace(&m_layer);
        m_painter->setRenderHint(QPainter::TextAntialiasing);
        m_painter->translate(0, -m_top);
    }

    bool isValid() const { return m_painter && m_painter->isActive(); }
    QPainter& painter() { return *m_painter; }

    void layOver(QImage& picture)
    {
        m_painter.reset();
        QPainter p(&picture);
        if (p.isActive())
            p.drawImage(0, m_top, m_layer);
    }

private:
    int m_top;
    int m_bottom;
    QImage m_layer;
    std::optional<QPainter> m_painter;
};

void drawPlacedTokens(QPainter& painter, const RtfPlacement& placement, std::int32_t width)
{
    std::optional<TFontSpec> current;
    for (const PlacedTok& placed : placement.toks) {
        const TRtfTok& tok = *placed.tok;
        if (placed.x >= width || placed.x + tok.Width < 0)
            continue;
        if (tok.HasBg)
            painter.fillRect(placed.highlight, toQColor(tok.Bg));
        if (!current || !(*current == tok.font())) {
            current = tok.font();
            painter.setFont(subtitleFont(*current));
        }
        painter.setPen(toQColor(tok.Color));
        painter.drawText(QPoint(clampToInt(placed.x), clampToInt(placed.baseline)), tok.Text);
    }
}

} // namespace

void DrawSubtitle(QImage& picture, const QString& subtitle, const QString& font,
                  std::uint32_t fontColor, std::int32_t fontSize)
{
    if (picture.isNull())
        return;
    if (IsRtfText(subtitle)) {
        DrawRtfSubtitle(picture, subtitle);
        return;
    }
    QtTextMeasure measure;
    const auto layout =
        LayoutPlainSubtitle(subtitle, font, fontSize, picture.width(), picture.height(), measure);
    if (!layout)
        return;
    const std::int64_t spare = layout->font.px;
    OverlayBand band(picture, std::int64_t(layout->y) - spare,
                     std::int64_t(layout->y) + layout->height + spare);
    if (!band.isValid())
        return;
    QPainter& painter = band.painter();
    painter.setFont(subtitleFont(layout->font));
    painter.setPen(toQColor(fontColor));
    // One line as it stands: line breaks in the text are not honoured.
    painter.drawText(QPoint(layout->x, layout->y + layout->ascent), layout->text);
    band.layOver(picture);
}

void DrawRtfSubtitle(QImage& picture, const QString& rtf)
{
    if (picture.isNull())
        return;
    const std::shared_ptr<const TRtfDoc> doc = GetParsedRtf(rtf);
    if (!doc || doc->Paras.empty())
        return;
    LayoutAndDrawRtf(picture, picture.width(), picture.height(), doc.get());
}

void LayoutAndDrawRtf(QImage& surface, std::int32_t width, std::int32_t height, const TRtfDoc* doc)
{
    if (!doc || doc->Paras.empty() || width < 10 || height < 10 || surface.isNull())
        return;
    const RtfGeometry geometry = rtfGeometry(width, height);
    QtTextMeasure measure;
    const std::vector<TRtfLine> lines = LayoutRtf(*doc, geometry, measure);
    const RtfPlacement placement = PlaceRtfLines(lines, geometry, height);
    if (placement.toks.empty())
        return;
    OverlayBand band(surface, placement.blockTop - placement.maxPx,
                     placement.blockTop + placement.blockHeight + placement.maxPx);
    if (!band.isValid())
        return;
    drawPlacedTokens(band.painter(), placement, width);
    band.layOver(surface);
}

} // namespace vistarel::subtitle
