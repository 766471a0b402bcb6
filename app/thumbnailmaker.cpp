#include "app/thumbnailmaker.h"

#include "lang/messagelist.h"
#include "project/mediakind.h"
#include "render/picture/compose.h"
#include "render/picture/pictureloader.h"
#include "render/picture/resample.h"
#include "render/tools/mediaprobe.h"

#include <QSet>

#include <condition_variable>
#include <mutex>

namespace vistarel::app {

namespace {

const lang::MessageList& noMessages()
{
    static const lang::MessageList messages;
    return messages;
}

// Two threads asking for the same clip would both run ffmpeg onto the same cache file;
// the second waits for the first and then finds the file in the cache.
class ClipGate
{
public:
    class Pass
    {
    public:
        Pass(ClipGate& gate, const QString& clip)
            : m_gate(gate)
            , m_clip(clip)
        {
            std::unique_lock lock(m_gate.m_mutex);
            m_gate.m_changed.wait(lock, [this] { return !m_gate.m_busy.contains(m_clip); });
            m_gate.m_busy.insert(m_clip);
        }
        ~Pass()
        {
            {
                std::lock_guard lock(m_gate.m_mutex);
                m_gate.m_busy.remove(m_clip);
            }
            m_gate.m_changed.notify_all();
        }
        Pass(const Pass&) = delete;
        Pass& operator=(const Pass&) = delete;

    private:
        ClipGate& m_gate;
        QString m_clip;
    };

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    QSet<QString> m_busy;
};

ClipGate& clipGate()
{
    static ClipGate gate;
    return gate;
}

QString clipStill(const QString& clip, render::Host& host)
{
    const ClipGate::Pass pass(clipGate(), clip);
    return render::GetVideoThumbnail(host, clip);
}

} // namespace

QuietHost::QuietHost(const QString& appDataDir)
    : render::Host(appDataDir, noMessages())
{
}

render::DialogResult QuietHost::taskDialog(const lang::TaskDialogText&)
{
    return render::DialogResult::Cancel;
}

void QuietHost::messageBox(const QString&) {}

QImage makeThumbnail(const QString& file, QSize box, render::Host& host)
{
    if (box.isEmpty())
        return {};
    const QString source = project::IsVideoFile(file) ? clipStill(file, host) : file;
    if (source.isEmpty())
        return {};
    QImage picture = render::decodePicture(source, render::FitHint{box, false});
    if (picture.isNull())
        return {};
    const QSize fitted = render::fitDownSize(picture.size(), box.width(), box.height());
    if (fitted != picture.size()) {
        // One thread: the callers already run several thumbnails side by side.
        picture =
            render::resampleRegion(picture, fitted.width(), fitted.height(),
                                   QRect(QPoint(), fitted), render::ResampleFilter::FastLinear, 1);
    }
    return picture.convertToFormat(QImage::Format_RGB32);
}

} // namespace vistarel::app
