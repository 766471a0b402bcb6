#include "app/updateinfo.h"

#include <QHostAddress>
#include <QStringList>

namespace vistarel::app {

namespace {

QStringList informationLines(const QString& text)
{
    QStringList lines = text.split(u'\n');
    lines.removeLast(); // the part after the last LF is not a finished line
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return lines;
}

void readExtraKeys(const QStringList& lines, qsizetype from, TUpdateInfo& info)
{
    for (qsizetype i = from; i < lines.size() && !lines[i].startsWith(u'['); ++i) {
        const QString line = lines[i].trimmed();
        if (line.startsWith(QLatin1String("url=")))
            info.DownloadUrl = line.mid(4).trimmed();
        else if (line.startsWith(QLatin1String("page=")))
            info.PageUrl = line.mid(5).trimmed();
    }
}

} // namespace

TUpdateInfo ParseUpdateInfo(const QString& text, const QString& thisVersion)
{
    TUpdateInfo info;
    info.ThisVersion = thisVersion;
    info.NetVersion = thisVersion;
    info.NetVersionSize = QStringLiteral("0");
    const QStringList lines = informationLines(text);
    if (lines.size() <= 2)
        return info;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!lines[i].contains(QLatin1String("[data full]")))
            continue;
        // A block cut short counts as garbled: nothing is offered.
        if (i + 2 >= lines.size())
            return info;
        info.NetVersion = lines[i + 1].mid(8);
        info.NetVersionSize = lines[i + 2].mid(5);
        info.complete = true;
        readExtraKeys(lines, i + 3, info);
        break;
    }
    return info;
}

std::optional<int> versionNumber(const QString& version)
{
    if (version.size() < 5)
        return std::nullopt;
    int n = 0;
    for (qsizetype pos : {0, 2, 3, 4}) {
        const QChar c = version[pos];
        if (c < u'0' || c > u'9')
            return std::nullopt;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

bool offersUpdate(const TUpdateInfo& info)
{
    if (!info.complete)
        return false;
    const auto own = versionNumber(info.ThisVersion);
    const auto published = versionNumber(info.NetVersion);
    return own && published && *own < *published;
}

bool isAllowedUpdateUrl(const QUrl& url)
{
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == u"https")
        return true;
    if (scheme != u"http")
        return false;
    if (url.host().compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(url.host());
    return !address.isNull() && address.isLoopback();
}

QString downloadFileName(const QUrl& url)
{
    const QString name = url.fileName();
    if (name.isEmpty() || name == u"." || name == u".." || name.contains(u'/') ||
        name.contains(u'\\'))
        return QStringLiteral("vistarel-update");
    return name;
}

} // namespace vistarel::app
