// vistarel-cli transitions: the effect catalogue as a list or as a contact sheet.
#include "cli/commands.h"

#include "project/transitioncatalogue.h"
#include "render/transitions/effectlist.h"
#include "render/transitions/registry.h"
#include "render/transitions/samplepictures.h"
#include "render/transitions/transitionrun.h"

#include <QFont>
#include <QPainter>
#include <QRegularExpression>

#include <array>

namespace vistarel::cli {

namespace {

namespace tr = render::transitions;

constexpr std::array<float, 6> kSheetProgress{0.0f, 20.0f, 40.0f, 60.0f, 80.0f, 100.0f};
constexpr int kLabelWidth = 360;
constexpr int kGap = 6;
constexpr int kHeaderHeight = 28;
const QColor kBackground(32, 32, 32);

QString effectName(int ordinal)
{
    return project::transitionListName(ordinal);
}

const char* familyOfOrdinal(int ordinal)
{
    return tr::familyName(tr::familyOf(tr::effectParams(ordinal)));
}

int printList(CliContext& context)
{
    for (int n = 0; n < project::kTransitionCount; ++n)
        context.out << QStringLiteral("%1  %2  %3\n")
                           .arg(n, 3)
                           .arg(effectName(n), -40)
                           .arg(QLatin1String(familyOfOrdinal(n)));
    return kExitOk;
}

std::optional<QSize> parseSize(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QSize size(m.captured(1).toInt(), m.captured(2).toInt());
    if (size.width() < 1 || size.height() < 1 || size.width() > 4096 || size.height() > 4096)
        return std::nullopt;
    return size;
}

void drawHeader(QPainter& p, QSize cell)
{
    p.setPen(QColor(200, 200, 200));
    for (std::size_t k = 0; k < kSheetProgress.size(); ++k) {
        const QRect box(kLabelWidth + int(k) * (cell.width() + kGap), 0, cell.width(),
                        kHeaderHeight);
        p.drawText(box, Qt::AlignCenter, QStringLiteral("%1 %").arg(kSheetProgress[k]));
    }
}

void drawRow(QPainter& p, int row, int ordinal, QSize cell, const QImage& start,
             const QImage& target)
{
    const int top = kHeaderHeight + row * (cell.height() + kGap);
    p.setPen(QColor(255, 255, 255));
    p.drawText(QRect(8, top, kLabelWidth - 16, cell.height() / 2), Qt::AlignLeft | Qt::AlignBottom,
               QStringLiteral("%1  %2").arg(ordinal).arg(effectName(ordinal)));
    p.setPen(QColor(150, 150, 150));
    p.drawText(QRect(8, top + cell.height() / 2, kLabelWidth - 16, cell.height() / 2),
               Qt::AlignLeft | Qt::AlignTop, QLatin1String(familyOfOrdinal(ordinal)));
    const tr::TransitionRun run(ordinal, start, target);
    QImage frame;
    for (std::size_t k = 0; k < kSheetProgress.size(); ++k) {
        run.render(kSheetProgress[k], frame);
        p.drawImage(kLabelWidth + int(k) * (cell.width() + kGap), top, frame);
    }
}

int writeSheet(CliContext& context, const QString& path, QSize cell,
               const std::vector<int>& effects)
{
    const int columns = int(kSheetProgress.size());
    const QSize sheetSize(kLabelWidth + columns * (cell.width() + kGap),
                          kHeaderHeight + int(effects.size()) * (cell.height() + kGap));
    QImage sheet(sheetSize, QImage::Format_RGB32);
    sheet.fill(kBackground);
    const QImage start = tr::sampleStartPicture(cell);
    const QImage target = tr::sampleTargetPicture(cell);
    QPainter p(&sheet);
    QFont font = p.font();
    font.setPixelSize(14);
    p.setFont(font);
    drawHeader(p, cell);
    for (std::size_t i = 0; i < effects.size(); ++i)
        drawRow(p, int(i), effects[i], cell, start, target);
    p.end();
    if (!sheet.save(path, "PNG")) {
        context.err << "error: cannot write " << path << Qt::endl;
        return kExitFailure;
    }
    context.out << "wrote " << path << " (" << effects.size() << " effects, " << sheetSize.width()
                << " x " << sheetSize.height() << ")\n";
    return kExitOk;
}

} // namespace

int runTransitions(CliContext& context)
{
    static const char* usage =
        "usage: vistarel-cli transitions --list\n"
        "       vistarel-cli transitions --sheet OUT.png [--size WxH] [--effects LIST]\n";
    QStringList args = context.args;
    if (takeFlag(args, QStringLiteral("--list")) && args.isEmpty())
        return printList(context);
    bool missing = false;
    const std::optional<QString> out = takeOption(args, QStringLiteral("--sheet"), missing);
    const std::optional<QString> sizeText = takeOption(args, QStringLiteral("--size"), missing);
    const std::optional<QString> list = takeOption(args, QStringLiteral("--effects"), missing);
    if (!out || missing || !args.isEmpty()) {
        context.err << usage;
        return kExitUsage;
    }
    const std::optional<QSize> cell = sizeText ? parseSize(*sizeText) : QSize(192, 108);
    if (!cell) {
        context.err << "error: --size wants WIDTHxHEIGHT, 1 to 4096 each, not " << *sizeText
                    << Qt::endl;
        return kExitUsage;
    }
    QString bad;
    const auto effects = tr::parseEffectList(list.value_or(QStringLiteral("1-250")), &bad);
    if (!effects) {
        context.err << "error: not an effect: " << bad << Qt::endl;
        return kExitUsage;
    }
    return writeSheet(context, *out, *cell, *effects);
}

} // namespace vistarel::cli
