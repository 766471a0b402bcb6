#include "render/export/renderjob.h"

#include "project/optionlists.h"
#include "project/outputsettings.h"
#include "project/slidelist.h"
#include "render/export/finalassembly.h"
#include "render/export/slideexport.h"
#include "render/export/workfolder.h"
#include "render/tools/toolrunner.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace vistarel::render {

namespace {

constexpr int kMinNameLength = 5;
constexpr MessageTriple kNoOutputMessages{47, 48, 49};
constexpr MessageTriple kNoJobFileMessages{50, 51, 52};
constexpr MessageTriple kMissingMusicMessages{53, 54, 55};

void showRefusal(Host& host, const MessageTriple& ids, const QString& detail = {})
{
    QString content = host.message(ids[1]);
    if (!detail.isEmpty())
        content += QStringLiteral("\r\n\r\n") + detail;
    host.taskDialog({host.message(ids[0]), content, host.message(ids[2])});
}

// What tells whether the encoder has touched a file that existed before it ran.
struct FileStamp
{
    bool exists = false;
    QDateTime modified;
    qint64 size = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

FileStamp stampOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {true, info.lastModified(), info.size()};
}

class RenderJob
{
public:
    RenderJob(Host& host, const project::SlideList& slides, const RenderJobSettings& settings,
              const RenderJobHooks& hooks)
        : m_host(host), m_slides(slides), m_settings(settings), m_hooks(hooks)
    {
    }

    RenderJobResult run();

private:
    bool prepare(RenderLock& lock, QSize& size);
    bool encode(int frames);
    void stage(RenderStage stage)
    {
        if (m_hooks.stageChanged)
            m_hooks.stageChanged(stage);
        m_host.pumpMessages();
    }

    Host& m_host;
    const project::SlideList& m_slides;
    const RenderJobSettings& m_settings;
    const RenderJobHooks& m_hooks;
    RenderJobResult m_result;
    TSlideSegments m_segments;
    FileStamp m_outputBeforeEncode;
    bool m_encoderRan = false;
};

// The checks, the lock and the output folder; true when the job may start.
bool RenderJob::prepare(RenderLock& lock, QSize& size)
{
    const auto exists = [](const QString& file) { return QFileInfo::exists(file); };
    if (const auto refusal = checkRenderSettings(m_settings, exists)) {
        showRefusal(m_host, *refusal);
        return false;
    }
    size = *parseFrameSize(m_settings.widthText, m_settings.heightText);
    if (!lock.acquire()) {
        showRefusal(m_host, kJobRunningMessages);
        return false;
    }
    m_result.outputFile = QFileInfo(m_settings.outputFile).absoluteFilePath();
    // The default output goes to the Videos folder, which a fresh account may not have.
    const QString folder = QFileInfo(m_result.outputFile).absolutePath();
    if (!QDir().mkpath(folder)) {
        showRefusal(m_host, kOutputFolderMessages, folder);
        return false;
    }
    return true;
}

RenderJobResult RenderJob::run()
{
    RenderLock lock(m_host.AppDataDir());
    QSize size;
    if (!prepare(lock, size))
        return m_result;
    if (m_settings.saveJobFile && m_hooks.writeJobFile)
        m_hooks.writeJobFile(m_settings.jobFile);

    m_host.ActionCanceled = false;
    m_host.setProgress(0);
    stage(RenderStage::Started);
    stage(RenderStage::Exporting);
    m_result.frames = ExportSlideshowToFrames(m_host, m_slides, m_segments, m_host.AppDataDir(),
                                              size.width(), size.height());
    bool ok = false;
    if (!m_host.ActionCanceled) {
        stage(RenderStage::Encoding);
        ok = encode(m_result.frames);
    }
    if (!m_hooks.keepWorkFiles)
        CleanupWorkFolder(m_host.AppDataDir());
    m_segments.clear();

    const QString& output = m_result.outputFile;
    if (!m_host.ActionCanceled && ok) {
        if (m_hooks.openVideo)
            m_host.openFile(output);
    } else if (m_encoderRan && stampOf(output) != m_outputBeforeEncode && QFile::exists(output)) {
        // Only what the encoder began to write is removed: a failure before the encode
        // leaves an older file at the output path alone.
        QFile::remove(output);
    }
    m_result.outcome = ok ? RenderOutcome::Succeeded : RenderOutcome::Failed;
    stage(ok ? RenderStage::Succeeded : RenderStage::Failed);
    return m_result;
}

// The final encode; true when it succeeded and the video exists.
bool RenderJob::encode(int frames)
{
    const QFileInfo output(m_result.outputFile);
    const QStringList music = m_settings.withMusic ? m_settings.musicFiles : QStringList();
    m_outputBeforeEncode = stampOf(output.absoluteFilePath());
    m_encoderRan = true;
    if (RunFFmpeg(m_host, m_segments, output.absolutePath(), output.fileName(), frames, music,
                  m_settings.repeatMusic) != 1)
        return false;
    if (QFile::exists(output.absoluteFilePath()))
        return true;
    m_host.appendLog(QStringLiteral("The encoder ended without writing ") +
                     output.absoluteFilePath());
    ShowRenderError(m_host);
    return false;
}

} // namespace

RenderJobSettings jobSettingsOf(const project::OutputSettings& output)
{
    RenderJobSettings settings;
    settings.outputFile = output.OutputFile;
    settings.withMusic = output.MusicIndex == project::kYesPosition;
    settings.musicFiles = output.MusicFiles;
    settings.repeatMusic = output.MusicRepeat == project::kYesPosition;
    settings.widthText = output.ResolutionX;
    settings.heightText = output.ResolutionY;
    return settings;
}

int stageStateMessage(RenderStage stage)
{
    switch (stage) {
    case RenderStage::Started:
        return 0;
    case RenderStage::Exporting:
        return 57;
    case RenderStage::Encoding:
        return 58;
    case RenderStage::Succeeded:
        return 60;
    case RenderStage::Failed:
        return 59;
    }
    return 0;
}

int stageButtonMessage(RenderStage stage)
{
    const bool ended = stage == RenderStage::Succeeded || stage == RenderStage::Failed;
    return ended ? 11 : 56;
}

std::optional<MessageTriple> checkRenderSettings(const RenderJobSettings& settings,
                                                 const std::function<bool(const QString&)>& exists)
{
    if (settings.outputFile.size() < kMinNameLength)
        return kNoOutputMessages;
    if (settings.saveJobFile && settings.jobFile.size() < kMinNameLength)
        return kNoJobFileMessages;
    if (settings.withMusic) {
        for (const QString& file : settings.musicFiles) {
            if (!exists(file))
                return kMissingMusicMessages;
        }
    }
    if (!parseFrameSize(settings.widthText, settings.heightText))
        return kBadFrameSizeMessages;
    return std::nullopt;
}

std::optional<QSize> parseFrameSize(const QString& widthText, const QString& heightText)
{
    static const QRegularExpression digits(QStringLiteral("^\\d{1,5}$"));
    const auto side = [](const QString& text) -> int {
        const QString trimmed = text.trimmed();
        if (!digits.match(trimmed).hasMatch())
            return 0;
        const int value = trimmed.toInt();
        return value > 0 && value % 2 == 0 && value <= kMaxFrameSide ? value : 0;
    };
    const int width = side(widthText);
    const int height = side(heightText);
    if (width == 0 || height == 0)
        return std::nullopt;
    return QSize(width, height);
}

RenderJobResult runRenderJob(Host& host, const project::SlideList& slides,
                             const RenderJobSettings& settings, const RenderJobHooks& hooks)
{
    RenderJob job(host, slides, settings, hooks);
    return job.run();
}

} // namespace vistarel::render
