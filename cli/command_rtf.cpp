// vistarel-cli rtf: how the subtitle reader understands an RTF file.
#include "cli/commands.h"

#include "lang/textdecoding.h"
#include "subtitle/rtfparser.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace vistarel::cli {

namespace {

using subtitle::TRtfDoc;
using subtitle::TRtfPara;
using subtitle::TRtfRun;

QJsonObject runJson(const TRtfRun& run)
{
    return {{"text", run.Text},         {"fontIdx", run.FontIdx},     {"size", run.Size},
            {"colorIdx", run.ColorIdx}, {"hlIdx", run.HlIdx},         {"bold", run.Bold},
            {"italic", run.Italic},     {"underline", run.Underline}, {"strike", run.Strike}};
}

QJsonObject docJson(const TRtfDoc& doc)
{
    QJsonArray fonts;
    for (const auto& [number, name] : doc.Fonts)
        fonts.append(QJsonObject{{"number", number}, {"name", name}});
    QJsonArray colors;
    for (std::int32_t color : doc.Colors)
        colors.append(color);
    QJsonArray paras;
    for (const TRtfPara& para : doc.Paras) {
        QJsonArray runs;
        for (const TRtfRun& run : para.Runs)
            runs.append(runJson(run));
        paras.append(QJsonObject{{"align", para.Align},
                                 {"emptyFont", para.EmptyFont},
                                 {"emptySize", para.EmptySize},
                                 {"runs", runs}});
    }
    return {{"fonts", fonts}, {"colors", colors}, {"paragraphs", paras}};
}

QString colorText(std::int32_t color)
{
    if (color < 0)
        return QStringLiteral("auto");
    return QStringLiteral("%1/%2/%3")
        .arg(color & 0xFF)
        .arg(color >> 8 & 0xFF)
        .arg(color >> 16 & 0xFF);
}

QString runFormat(const TRtfRun& run)
{
    QString format = QStringLiteral("font %1, %2 pt").arg(run.FontIdx).arg(run.Size / 2.0);
    format += QStringLiteral(", colour %1").arg(run.ColorIdx);
    if (run.HlIdx >= 0)
        format += QStringLiteral(", highlight %1").arg(run.HlIdx);
    for (const auto& [on, name] :
         {std::pair{run.Bold, "bold"}, std::pair{run.Italic, "italic"},
          std::pair{run.Underline, "underline"}, std::pair{run.Strike, "strike"}})
        if (on)
            format += QStringLiteral(", ") + QLatin1String(name);
    return format;
}

void printReadable(QTextStream& out, const TRtfDoc& doc)
{
    static const char* const kAlignNames[] = {"left", "centred", "right", "justified"};
    out << "Fonts:\n";
    for (const auto& [number, name] : doc.Fonts)
        out << "  " << number << ": " << name << '\n';
    out << "Colours:\n";
    for (std::size_t i = 0; i < doc.Colors.size(); ++i)
        out << "  " << i << ": " << colorText(doc.Colors[i]) << '\n';
    out << "Paragraphs: " << doc.Paras.size() << '\n';
    for (const TRtfPara& para : doc.Paras) {
        const bool known = para.Align >= 0 && para.Align <= 3;
        out << "  "
            << (known ? QString::fromLatin1(kAlignNames[para.Align])
                      : QStringLiteral("alignment %1").arg(para.Align));
        if (para.Runs.empty())
            out << ", empty (font " << para.EmptyFont << ", " << para.EmptySize / 2.0 << " pt)";
        out << '\n';
        for (const TRtfRun& run : para.Runs) {
            QString text = run.Text;
            text.replace(u'\n', QStringLiteral("\\n"));
            out << "    \"" << text << "\"  " << runFormat(run) << '\n';
        }
    }
}

} // namespace

int runRtf(CliContext& context)
{
    QStringList args = context.args;
    const bool json = takeFlag(args, QStringLiteral("--json"));
    if (args.size() != 1 || args.first().startsWith(QStringLiteral("--"))) {
        context.err << "usage: vistarel-cli rtf [--json] FILE.rtf\n";
        return kExitUsage;
    }
    QFile file(args.first());
    if (!file.open(QIODevice::ReadOnly)) {
        context.err << "error: cannot read " << args.first() << ": " << file.errorString()
                    << Qt::endl;
        return kExitFailure;
    }
    const TRtfDoc doc = subtitle::ParseRtf(lang::decodeTextFile(file.readAll()));
    if (json)
        context.out << QJsonDocument(docJson(doc)).toJson(QJsonDocument::Indented);
    else
        printReadable(context.out, doc);
    return kExitOk;
}

} // namespace vistarel::cli
