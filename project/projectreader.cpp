#include "project/projectfile.h"

#include "lang/inifile.h"
#include "lang/textdecoding.h"
#include "project/myimageinfo.h"
#include "project/slidelist.h"
#include "project/transitioncatalogue.h"
#include "project/valuesyntax.h"
#include "subtitle/subtitleforms.h"

#include <QFile>
#include <QFileInfo>

namespace vistarel::project {

namespace {

using lang::IniDocument;

const QString kSettings = QStringLiteral("Settings");

std::int32_t readInteger(const IniDocument& doc, const QString& section, const char* key,
                         std::int32_t fallback)
{
    const auto text = doc.value(section, QLatin1String(key));
    if (!text)
        return fallback;
    return parseProjectInteger(*text).value_or(fallback);
}

QString readText(const IniDocument& doc, const QString& section, const char* key,
                 const QString& fallback = {})
{
    return doc.value(section, QLatin1String(key), fallback);
}

// The effect of a slide section: a known "TransitionName" wins over "Transition".
std::int32_t readTransition(const IniDocument& doc, const QString& section)
{
    const QString name = readText(doc, section, "TransitionName");
    if (!name.isEmpty()) {
        if (const auto ordinal = transitionOrdinal(name))
            return *ordinal;
    }
    return readInteger(doc, section, "Transition", 0);
}

TMyImageInfo readRecord(const IniDocument& doc, const QString& section)
{
    TMyImageInfo r;
    r.Duration = readInteger(doc, section, "Duration", 4);
    r.Transition = readTransition(doc, section);
    r.TransitionDuration = readInteger(doc, section, "TransitionDuration", 2);
    r.Stretch = parseProjectBoolean(readText(doc, section, "Stretch", QStringLiteral("False")));
    r.BlurBackground =
        parseProjectBoolean(readText(doc, section, "BlurBackground", QStringLiteral("False")));
    r.Subtitle = subtitle::DecodeSubtitleFromProject(readText(doc, section, "Subtitle"));
    r.SubtitleEdit = readText(doc, section, "SubtitleEdit");
    r.Font = readText(doc, section, "Font", QStringLiteral("Tahoma"));
    r.FontColor = parseProjectColour(readText(doc, section, "FontColor")).value_or(kWhite);
    r.FontSize = readInteger(doc, section, "FontSize", 1);
    r.AudioMode = readInteger(doc, section, "AudioMode", 0);
    return r;
}

OutputSettings readOutputSettings(const IniDocument& doc)
{
    OutputSettings s;
    s.ResolutionIndex = readInteger(doc, kSettings, "ResolutionIndex", 0);
    s.ResolutionX = readText(doc, kSettings, "ResolutionX", QStringLiteral("1920"));
    s.ResolutionY = readText(doc, kSettings, "ResolutionY", QStringLiteral("1080"));
    s.MusicIndex = readInteger(doc, kSettings, "MusicIndex", 1);
    s.MusicRepeat = readInteger(doc, kSettings, "MusicRepeat", 1);
    s.MusicFiles = splitMusicFileValue(readText(doc, kSettings, "MusicFile"));
    s.OutputFile = readText(doc, kSettings, "OutputFile");
    return s;
}

// Reads the file whole, refusing what cannot be a project (too large, unreadable).
std::optional<QString> readFileText(const QString& path, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return std::nullopt;
    }
    if (file.size() > kMaxProjectFileBytes) {
        error = QStringLiteral("The file is too large to be a project (%1 bytes).")
                    .arg(file.size());
        return std::nullopt;
    }
    const QByteArray bytes = file.read(kMaxProjectFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return std::nullopt;
    }
    return lang::decodeTextFile(bytes);
}

} // namespace

LoadResult readProjectFile(const QString& path, SlideList& slides, OutputSettings& output,
                           const LoadCallbacks& callbacks)
{
    LoadResult result;
    if (!QFileInfo(path).isFile()) {
        result.status = LoadResult::Status::FileNotFound;
        return result;
    }
    const auto text = readFileText(path, result.error);
    if (!text) {
        result.status = LoadResult::Status::Unreadable;
        return result;
    }
    return readProjectText(*text, slides, output, callbacks);
}

LoadResult readProjectText(const QString& text, SlideList& slides, OutputSettings& output,
                           const LoadCallbacks& callbacks)
{
    LoadResult result;
    const IniDocument doc = IniDocument::parse(text);

    // Slide sections count from Image0 up to the first gap.
    for (int i = 0;; ++i) {
        const QString section = QStringLiteral("Image%1").arg(i);
        if (!doc.hasSection(section))
            break;
        if (callbacks.keepAlive)
            callbacks.keepAlive();
        const QString file = readText(doc, section, "Filename");
        if (!file.isEmpty() && QFileInfo(file).isFile()) {
            const int index = slides.appendFile(file);
            slides.setSettings(index, std::make_unique<TMyImageInfo>(readRecord(doc, section)));
            continue;
        }
        const bool skip = !callbacks.onMissingMedia ||
                          callbacks.onMissingMedia(file) == MissingMediaAnswer::Skip;
        if (!skip) {
            slides.clear();
            result.status = LoadResult::Status::Aborted;
            return result;
        }
        result.skipped << file;
    }
    output = readOutputSettings(doc);
    return result;
}

QStringList splitMusicFileValue(const QString& value)
{
    // The strict-delimiter reading of a delimited list: only '|' separates, and a part
    // that starts with a double quote runs to its closing quote.
    QStringList parts;
    const QStringView text(value);
    qsizetype pos = 0;
    while (pos < text.size()) {
        QString part;
        if (text[pos] == u'"') {
            ++pos;
            while (pos < text.size()) {
                if (text[pos] == u'"') {
                    if (pos + 1 < text.size() && text[pos + 1] == u'"') {
                        part += u'"';
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    break;
                }
                part += text[pos++];
            }
        } else {
            const qsizetype end = text.indexOf(u'|', pos);
            const qsizetype stop = end < 0 ? text.size() : end;
            part = text.sliced(pos, stop - pos).toString();
            pos = stop;
        }
        parts << part;
        if (pos < text.size() && text[pos] == u'|')
            ++pos;
    }
    QStringList files;
    for (const QString& part : parts) {
        const QString trimmed = part.trimmed();
        if (!trimmed.isEmpty())
            files << trimmed;
    }
    return files;
}

} // namespace vistarel::project
