#include "render/export/workfolder.h"

#include <QDir>
#include <QFile>
#include <QLockFile>

namespace vistarel::render {

void CleanupWorkFolder(const QString& folder)
{
    const QDir dir(folder);
    const char* const patterns[] = {"frame_*.jpg", "run_*.txt", "seg_*.mkv",
                                    "clip_*.png", "clipsub_*.png", "segments.txt",
                                    "frames.txt"};
    for (const char* pattern : patterns) {
        const QStringList names =
            dir.entryList({QString::fromLatin1(pattern)}, QDir::Files | QDir::Hidden);
        for (const QString& name : names)
            QFile::remove(dir.filePath(name));
    }
}

RenderLock::RenderLock(const QString& workFolder)
    : m_lock(std::make_unique<QLockFile>(QDir(workFolder).filePath(QStringLiteral("render.lock"))))
{
    // A render may run for hours: only a lock whose process is gone counts as stale.
    m_lock->setStaleLockTime(0);
}

RenderLock::~RenderLock() = default;

bool RenderLock::acquire()
{
    return m_lock->isLocked() || m_lock->tryLock(0);
}

bool RenderLock::isHeld() const
{
    return m_lock->isLocked();
}

} // namespace vistarel::render
