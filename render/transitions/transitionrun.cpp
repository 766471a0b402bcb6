#include "render/transitions/transitionrun.h"
#include "render/transitions/effect.h"
#include "render/transitions/registry.h"

#include <cmath>
#include <cstring>

namespace vistarel::render::transitions {

namespace {

constexpr std::uint64_t kDefaultSeedBase = 0x5EEDC0DE00000000ull;

QImage asRgb888(const QImage& image)
{
    return image.format() == QImage::Format_RGB888 ? image
                                                   : image.convertToFormat(QImage::Format_RGB888);
}

void copyPicture(const QImage& from, QImage& out)
{
    if (out.size() != from.size() || out.format() != QImage::Format_RGB888)
        out = QImage(from.size(), QImage::Format_RGB888);
    const std::size_t rowBytes = std::size_t(3) * std::size_t(from.width());
    for (int y = 0; y < from.height(); ++y)
        std::memcpy(out.scanLine(y), from.constScanLine(y), rowBytes);
}

} // namespace

TransitionRun::TransitionRun(int ordinal, const QImage& start, const QImage& target,
                             const TransitionOptions& options)
    : m_ordinal(ordinal)
{
    if (ordinal < 0 || ordinal > 250) {
        m_error = QStringLiteral("unknown transition effect %1").arg(ordinal);
        return;
    }
    if (start.isNull() || target.isNull() || start.size() != target.size()) {
        m_error = QStringLiteral("transition pictures differ in size (%1x%2, %3x%4)")
                      .arg(start.width())
                      .arg(start.height())
                      .arg(target.width())
                      .arg(target.height());
        return;
    }
    m_start = asRgb888(start);
    m_target = asRgb888(target);
    EffectContext context;
    context.pictures = Pictures(m_start, m_target);
    context.seed = options.seed != 0 ? options.seed : kDefaultSeedBase + std::uint64_t(ordinal);
    context.word = options.word;
    m_effect = createEffect(ordinal, context);
}

TransitionRun::~TransitionRun() = default;
TransitionRun::TransitionRun(TransitionRun&&) noexcept = default;
TransitionRun& TransitionRun::operator=(TransitionRun&&) noexcept = default;

bool TransitionRun::render(float progress, QImage& out) const
{
    if (!m_effect)
        return false;
    if (!(progress > 0.0f)) {
        copyPicture(m_start, out);
        return true;
    }
    if (progress >= 100.0f) {
        copyPicture(m_target, out);
        return true;
    }
    if (out.size() != m_start.size() || out.format() != QImage::Format_RGB888)
        out = QImage(m_start.size(), QImage::Format_RGB888);
    const Canvas canvas{out.bits(), out.bytesPerLine(), out.width(), out.height()};
    m_effect->render(double(progress) / 100.0, canvas);
    return true;
}

float frameProgress(int k, int n)
{
    return n > 1 ? float(k * 100.0 / (n - 1)) : 100.0f;
}

} // namespace vistarel::render::transitions
