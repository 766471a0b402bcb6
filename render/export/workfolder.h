#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QLockFile;

namespace vistarel::render {

// Deletes the export's work files in the folder: "frame_*.jpg", "run_*.txt",
// "seg_*.mkv", "clip_*.png", "clipsub_*.png", "segments.txt" and "frames.txt". Files that
// cannot be deleted stay; the logs, the lock and the thumbnail cache are not touched.
void CleanupWorkFolder(const QString& folder);

// The lock that keeps two render jobs (two windows, or the window and the command line)
// from sharing one work folder. Held from acquire() until the object is destroyed; a
// lock left behind by a process that no longer runs is taken over.
class RenderLock
{
public:
    explicit RenderLock(const QString& workFolder);
    ~RenderLock();
    RenderLock(const RenderLock&) = delete;
    RenderLock& operator=(const RenderLock&) = delete;

    // True when this object now holds the lock; false when another job holds it.
    bool acquire();
    bool isHeld() const;

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace vistarel::render
