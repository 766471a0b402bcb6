#pragma once

#include "render/host.h"

#include <QImage>
#include <QSemaphore>
#include <QString>

#include <functional>

namespace vistarel::render {

// Writes frame pictures as JPEG files (quality 80) on the worker threads while the caller
// goes on with the next frames. The caller decides every file name and list line in
// order, so the result is the same as writing one frame after the other. At most a few
// frames are in flight at once; while the caller waits for room it keeps the host alive
// (pumpIfDue). A file that cannot be written is not reported (the encoder that reads
// the list fails later). Used on the host's thread.
class FrameWriter
{
public:
    explicit FrameWriter(Host& host);
    ~FrameWriter(); // waits for every queued frame
    FrameWriter(const FrameWriter&) = delete;
    FrameWriter& operator=(const FrameWriter&) = delete;

    // Queues a frame: `produce` runs on a worker thread and returns the picture written
    // to `path`. It must only read data that nothing changes meanwhile.
    void submit(const QString& path, std::function<QImage()> produce);
    // Waits until every queued frame is on disk.
    void finish();

private:
    void waitForOne();

    Host& m_host;
    QSemaphore m_done;
    int m_pending = 0;
    int m_maxPending;
};

// Encodes and writes one frame picture as the export does (JPEG, quality 80). Returns
// false when the file cannot be written. Any thread.
bool writeFramePicture(const QImage& picture, const QString& path);

} // namespace vistarel::render
