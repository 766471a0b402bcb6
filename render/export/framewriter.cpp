#include "render/export/framewriter.h"

#include "render/jpegwriter.h"

#include <QFile>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace vistarel::render {

namespace {

constexpr int kJpegQuality = 80;
constexpr int kWaitSliceMs = 20;

} // namespace

bool writeFramePicture(const QImage& picture, const QString& path)
{
    const QByteArray jpeg = encodeJpeg(picture, kJpegQuality);
    QFile file(path);
    if (jpeg.isEmpty() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(jpeg) == jpeg.size();
}

FrameWriter::FrameWriter(Host& host)
    : m_host(host)
    // Two frames per worker keep every core busy while the caller prepares the next one.
    , m_maxPending(2 * std::max(1, QThreadPool::globalInstance()->maxThreadCount()))
{
}

FrameWriter::~FrameWriter()
{
    while (m_pending > 0) {
        m_done.acquire();
        --m_pending;
    }
}

void FrameWriter::submit(const QString& path, std::function<QImage()> produce)
{
    while (m_pending >= m_maxPending)
        waitForOne();
    ++m_pending;
    QSemaphore* done = &m_done;
    (void)QtConcurrent::run([path, produce = std::move(produce), done] {
        writeFramePicture(produce(), path);
        done->release();
    });
}

void FrameWriter::finish()
{
    while (m_pending > 0)
        waitForOne();
}

void FrameWriter::waitForOne()
{
    while (!m_done.tryAcquire(1, kWaitSliceMs))
        m_host.pumpIfDue();
    --m_pending;
    m_host.pumpIfDue();
}

} // namespace vistarel::render
