// vistarel-cli subtitle: a subtitle drawn onto a grey picture, to check how it looks.
#include "cli/commands.h"

#include "lang/textdecoding.h"
#include "subtitle/subtitledraw.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>

namespace vistarel::cli {

namespace {

constexpr const char* kUsage =
    "usage: vistarel-cli subtitle (FILE.rtf|TEXT) --out PICTURE.png [--size WxH]\n"
    "           [--font NAME] [--color RRGGBB] [--size-class 0|1|2]\n"
    "  --size        picture size, 1920x1080 unless given\n"
    "  --font, --color, --size-class  for plain text only: font (Tahoma), colour as\n"
    "                hexadecimal red, green, blue (000000), size class 0 large (default),\n"
    "                1 medium, 2 small\n";

constexpr int kMaxSide = 16384;

struct SubtitleOptions
{
    QString subject;
    QString out;
    int width = 1920;
    int height = 1080;
    QString font;
    std::uint32_t color = 0;
    std::int32_t sizeClass = 0;
};

bool parseSize(const QString& text, SubtitleOptions& o)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
    const auto match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    o.width = match.captured(1).toInt();
    o.height = match.captured(2).toInt();
    return o.width >= 1 && o.height >= 1 && o.width <= kMaxSide && o.height <= kMaxSide;
}

// RRGGBB as people write colours; stored with red in the low byte.
bool parseColor(const QString& text, std::uint32_t& color)
{
    bool ok = false;
    const uint rgb = text.toUInt(&ok, 16);
    if (!ok || text.size() != 6)
        return false;
    color = (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
    return true;
}

// Returns an empty text when the options are fine, else what is wrong with them.
QString parseOptions(QStringList args, SubtitleOptions& o)
{
    bool missing = false;
    const auto out = takeOption(args, QStringLiteral("--out"), missing);
    const auto size = takeOption(args, QStringLiteral("--size"), missing);
    const auto font = takeOption(args, QStringLiteral("--font"), missing);
    const auto color = takeOption(args, QStringLiteral("--color"), missing);
    const auto sizeClass = takeOption(args, QStringLiteral("--size-class"), missing);
    if (missing)
        return QStringLiteral("an option lacks its value");
    if (!out)
        return QStringLiteral("--out is required");
    if (args.size() != 1)
        return QStringLiteral("give one subtitle file or text");
    o.subject = args.first();
    o.out = *out;
    if (size && !parseSize(*size, o))
        return QStringLiteral("--size wants WIDTHxHEIGHT, each 1 to %1").arg(kMaxSide);
    if (font)
        o.font = *font;
    if (color && !parseColor(*color, o.color))
        return QStringLiteral("--color wants six hexadecimal digits, RRGGBB");
    bool ok = true;
    if (sizeClass)
        o.sizeClass = sizeClass->toInt(&ok);
    if (!ok)
        return QStringLiteral("--size-class wants a number");
    return {};
}

} // namespace

int runSubtitle(CliContext& context)
{
    SubtitleOptions o;
    if (const QString problem = parseOptions(context.args, o); !problem.isEmpty()) {
        context.err << "error: " << problem << '\n' << kUsage;
        return kExitUsage;
    }
    QString text = o.subject;
    if (QFileInfo(o.subject).isFile()) {
        QFile file(o.subject);
        if (!file.open(QIODevice::ReadOnly)) {
            context.err << "error: cannot read " << o.subject << ": " << file.errorString()
                        << Qt::endl;
            return kExitFailure;
        }
        text = lang::decodeTextFile(file.readAll());
    }
    QImage picture(o.width, o.height, QImage::Format_RGB888);
    if (picture.isNull()) {
        context.err << "error: no memory for a picture of " << o.width << 'x' << o.height
                    << Qt::endl;
        return kExitFailure;
    }
    picture.fill(QColor(128, 128, 128));
    subtitle::DrawSubtitle(picture, text, o.font, o.color, o.sizeClass);
    if (!picture.save(o.out, "PNG")) {
        context.err << "error: cannot write " << o.out << Qt::endl;
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace vistarel::cli
