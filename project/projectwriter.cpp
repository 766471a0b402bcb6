#include "project/projectfile.h"

#include "project/myimageinfo.h"
#include "project/slidelist.h"
#include "project/transitioncatalogue.h"
#include "project/valuesyntax.h"
#include "subtitle/subtitleforms.h"

#include <QSaveFile>

namespace vistarel::project {

namespace {

class LineWriter
{
public:
    void line(const QString& text) { m_text += text + QStringLiteral("\r\n"); }
    void key(const char* name, const QString& value)
    {
        line(QLatin1String(name) + u'=' + value);
    }
    void key(const char* name, std::int32_t value) { key(name, QString::number(value)); }
    QByteArray bytes() const { return m_text.toUtf8(); }

private:
    QString m_text;
};

void writeSettings(LineWriter& w, const OutputSettings& s, const VersionNumbers& version)
{
    w.line(QStringLiteral("[Settings]"));
    w.key("Version", versionDigits(version));
    w.key("ResolutionIndex", s.ResolutionIndex);
    w.key("ResolutionX", s.ResolutionX);
    w.key("ResolutionY", s.ResolutionY);
    w.key("MusicIndex", s.MusicIndex);
    w.key("MusicRepeat", s.MusicRepeat);
    w.key("MusicFile", s.MusicFiles.join(u'|'));
    w.key("OutputFile", s.OutputFile);
    w.line({});
}

void writeRecord(LineWriter& w, const TMyImageInfo& r)
{
    w.key("Duration", r.Duration);
    w.key("Transition", r.Transition);
    w.key("TransitionName", transitionIdentifier(r.Transition));
    w.key("TransitionDuration", r.TransitionDuration);
    w.key("Stretch", formatProjectBoolean(r.Stretch));
    w.key("BlurBackground", formatProjectBoolean(r.BlurBackground));
    w.key("Subtitle", subtitle::EncodeSubtitleForProject(r.Subtitle));
    w.key("SubtitleEdit", r.SubtitleEdit);
    w.key("Font", r.Font);
    w.key("FontColor", formatProjectColour(r.FontColor));
    w.key("FontSize", r.FontSize);
    w.key("AudioMode", r.AudioMode);
}

// What a slide without record is saved as: a fixed block, which differs from a record's
// form in "FontColor" ($00FFFFFF rather than clWhite).
void writeDefaultsBlock(LineWriter& w)
{
    for (const char* line : {"Duration=4", "Transition=0", "TransitionName=iettNone",
                             "TransitionDuration=2", "Stretch=False", "BlurBackground=False",
                             "Subtitle=", "SubtitleEdit=", "Font=Tahoma", "FontColor=$00FFFFFF",
                             "FontSize=0", "AudioMode=0"})
        w.line(QLatin1String(line));
}

} // namespace

QByteArray buildProjectFile(const SlideList& slides, const OutputSettings& output,
                            const VersionNumbers& version)
{
    LineWriter w;
    writeSettings(w, output, version);
    for (int i = 0; i < slides.count(); ++i) {
        w.line(QStringLiteral("[Image%1]").arg(i));
        w.key("Filename", slides.fileName(i));
        const TMyImageInfo* record = slides.settings(i);
        if (record)
            writeRecord(w, *record);
        else
            writeDefaultsBlock(w);
        w.line({});
    }
    return w.bytes();
}

SaveResult saveProjectFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return {false, error};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {true, {}};
}

} // namespace vistarel::project
