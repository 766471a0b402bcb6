#pragma once

// The state of one segment export; used by slideexport.cpp (the walk over the slides,
// pictures and transitions) and segmentexport.cpp (runs and clips).

#include "render/export/framewriter.h"
#include "render/export/segments.h"
#include "render/export/timeline.h"
#include "render/host.h"
#include "render/picture/resample.h"

#include <QFuture>
#include <QImage>
#include <QStringList>

#include <vector>

namespace vistarel::project {
class SlideList;
class TMyImageInfo;
} // namespace vistarel::project

namespace vistarel::render {

// A slide's picture decoded and composed at the frame size on a worker thread.
struct PreparedPicture
{
    QImage picture;
    bool loaded = false; // false: the file could not be read (the picture is black)
};

class SlideshowExporter
{
public:
    SlideshowExporter(Host& host, const project::SlideList& slides, TSlideSegments& segments,
                      const QString& folder, int W, int H);

    int run();

private:
    // slideexport.cpp
    bool probeClips();
    // ffmpeg and ffprobe beside the program; otherwise says which is missing and cancels.
    bool clipToolsPresent();
    bool exportSlide(int index);
    bool loadClipFrame(const QString& clip, const SlideSettings& settings, QImage& into);
    void startPicture(int index);
    QImage takePicture(int index);
    void renderTransition(int index, const QImage& start, const QImage& target,
                          const SlideSettings& settings);
    void writeFallbackFrame(int index, const QImage& target, const QString& reason);
    void writeStill(int index, const QImage& picture, const SlideSettings& settings);
    int finishSegments();
    int finishFrames();
    void ReportFrameProgress();
    int fail();

    // segmentexport.cpp
    bool FlushImageRun();
    bool ProcessClip(int index, const project::TMyImageInfo* record, bool stretch, bool blur,
                     bool& lastFrameOk);
    QString clipOverlay(int index, const project::TMyImageInfo* record);
    void AddSegment(const QString& file, double duration, std::int32_t audioMode);

    bool nextSlideHasTransition(int index) const;
    int segmentNumber() const { return int(m_segments.size()); }
    bool isVideo(int index) const { return m_facts[std::size_t(index)].isVideo; }
    QString workFile(const char* name) const { return m_folder + QString::fromLatin1(name); }

    Host& m_host;
    const project::SlideList& m_slides;
    TSlideSegments& m_segments;
    QString m_folder;
    int m_W;
    int m_H;

    std::vector<SlideFacts> m_facts;
    std::vector<bool> m_hasSound;
    int m_frameNumber = 0;
    int m_framesDone = 0;
    int m_frameTotal = 0;
    QStringList m_run;
    QStringList m_errors;

    QImage m_previous;
    QImage m_current;
    int m_preparedIndex = -1;
    QFuture<PreparedPicture> m_prepared;
    FrameWriter m_writer;
};

} // namespace vistarel::render
