#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>
#include <memory>

namespace vistarel::render::transitions {

class Effect;

struct TransitionOptions
{
    // Seed of the random patterns; 0 means the effect's default, 0x5EEDC0DE00000000 plus
    // the ordinal, so the same pictures always give the same frames.
    std::uint64_t seed = 0;
    // The word of the word effects (241..249); the program always uses the default.
    QString word = QStringLiteral("PHOTO");
};

// One slide change: effect `ordinal` (0..250) from the start picture to the target picture.
// Both pictures must have the same size, at least 1 x 1; any format is accepted and taken
// as 24-bit RGB. The run keeps shallow copies of them and is immutable once built, so one
// run can draw frames on several threads at once. A run that could not be prepared (bad
// ordinal, sizes) is invalid and says why in errorString().
class TransitionRun
{
public:
    TransitionRun(int ordinal, const QImage& start, const QImage& target,
                  const TransitionOptions& options = {});
    ~TransitionRun();
    TransitionRun(TransitionRun&&) noexcept;
    TransitionRun& operator=(TransitionRun&&) noexcept;
    TransitionRun(const TransitionRun&) = delete;
    TransitionRun& operator=(const TransitionRun&) = delete;

    bool isValid() const { return m_effect != nullptr; }
    const QString& errorString() const { return m_error; }
    int ordinal() const { return m_ordinal; }
    QSize size() const { return m_start.size(); }

    // Draws the frame at progress 0..100 into out, which becomes (or stays) a W x H
    // Format_RGB888 picture; its buffer is reused when it already has that form. Progress
    // <= 0 or NaN gives the start picture byte for byte, >= 100 the target picture.
    // Pure and thread-safe; returns false (out untouched) for an invalid run.
    bool render(float progress, QImage& out) const;

private:
    int m_ordinal = 0;
    QImage m_start;
    QImage m_target;
    std::unique_ptr<const Effect> m_effect;
    QString m_error;
};

// The progress of frame k of an n-frame transition (n >= 2): k * 100 / (n - 1) computed in
// double precision and handed over as float, so frame 0 is 0 and frame n-1 exactly 100.
float frameProgress(int k, int n);

} // namespace vistarel::render::transitions
