#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QList>
#include <QObject>
#include <QSize>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>

namespace vistarel::render::transitions {
class TransitionRun;
}

namespace vistarel::app {

// A slide as the preview composes it: its media file and its fitting.
struct PreviewSlide
{
    QString file;
    bool stretch = false;
    bool blur = false; // the effective flag: BlurBackground and not Stretch
};

// The subtitle fields of a slide record; an empty text draws nothing.
struct PreviewSubtitle
{
    QString text;
    QString font;
    std::uint32_t colour = 0;
    std::int32_t sizeClass = 0;
};

struct PreviewRequest
{
    QSize size;                           // the view's size in device pixels
    std::optional<PreviewSlide> previous; // none: the transition starts from black
    PreviewSlide current;
    PreviewSubtitle subtitle;
    int effect = 0;
    int durationMs = 1000;
    bool stillOnly = true;
};

// Makes the step-2 preview without ever blocking the window: the pictures are loaded
// and composed at the view's size on worker threads (a clip by its cached first frame),
// and a transition is played from them by the transition engine, its frames rendered
// ahead on the workers and shown on a timer in step with the clock (frames that would be
// late are skipped, never the end). The still picture (current slide with its subtitle)
// ends every play. A new play() replaces the one under way. UI thread only.
class PreviewPlayer : public QObject
{
    Q_OBJECT

public:
    // Transition frames are due every 20 ms (50 per second).
    static constexpr int kFrameIntervalMs = 20;

    explicit PreviewPlayer(QString appDataDir, QObject* parent = nullptr);
    ~PreviewPlayer() override; // waits for the workers

    void play(const PreviewRequest& request);
    void stop();
    bool isBusy() const { return m_busy; }

    // How the last transition went.
    struct Statistics
    {
        int framesShown = 0; // transition frames shown, the still not counted
        int durationMs = 0;
        int longestGapMs = 0; // the longest time between two shown frames
    };
    Statistics statistics() const { return m_stats; }

signals:
    // A new preview is being made; the view hides until the next frame.
    void preparing();
    void frameReady(const QImage& frame);
    // A slide's media could not be read; the preview goes on with a black picture.
    void loadFailed(const QString& file);
    // The still picture is shown: the play is over.
    void finished();

private:
    struct Composed;

    void composed(int generation, const Composed& result);
    void startTransition(std::shared_ptr<const render::transitions::TransitionRun> run);
    void dispatchFrames();
    void frameRendered(int generation, int frame, const QImage& image);
    void tick();
    void finish();
    float progressOf(int frame) const;
    QString cacheKey(const PreviewSlide& slide, QSize size) const;
    std::optional<QImage> cached(const QString& key) const;
    void remember(const QString& key, const QImage& picture);

    QString m_appDataDir;
    QThreadPool m_pool;
    int m_generation = 0;
    bool m_busy = false;
    PreviewRequest m_request;
    QImage m_still;
    std::shared_ptr<const render::transitions::TransitionRun> m_run;
    QElapsedTimer m_clock;
    QTimer m_tick;
    int m_lastFrame = 0;     // the frame index at the transition's end
    int m_nextDispatch = 0;
    int m_inFlight = 0;
    int m_shownFrame = -1;
    qint64 m_lastShownMs = 0;
    std::map<int, QImage> m_ready;
    Statistics m_stats;
    QList<std::pair<QString, QImage>> m_cache; // most recent last
};

} // namespace vistarel::app
