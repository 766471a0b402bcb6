#include "app/mediadrag.h"

#include <QMimeData>

namespace vistarel::app {

namespace {
const QString kMediaFiles = QStringLiteral("application/x-vistarel-media-files");
const QString kSlideRows = QStringLiteral("application/x-vistarel-slide-rows");
} // namespace

std::unique_ptr<QMimeData> mediaFilesMime(const QStringList& files)
{
    auto mime = std::make_unique<QMimeData>();
    mime->setData(kMediaFiles, files.join(u'\n').toUtf8());
    return mime;
}

std::optional<QStringList> mediaFilesOf(const QMimeData* mime)
{
    if (!mime || !mime->hasFormat(kMediaFiles))
        return std::nullopt;
    const QString text = QString::fromUtf8(mime->data(kMediaFiles));
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

std::unique_ptr<QMimeData> slideRowsMime(quintptr strip, const QList<int>& rows)
{
    QStringList parts{QString::number(strip)};
    for (int row : rows)
        parts << QString::number(row);
    auto mime = std::make_unique<QMimeData>();
    mime->setData(kSlideRows, parts.join(u' ').toLatin1());
    return mime;
}

std::optional<QList<int>> slideRowsOf(const QMimeData* mime, quintptr strip)
{
    if (!mime || !mime->hasFormat(kSlideRows))
        return std::nullopt;
    const QStringList parts = QString::fromLatin1(mime->data(kSlideRows)).split(u' ');
    if (parts.isEmpty() || parts.first() != QString::number(strip))
        return std::nullopt;
    QList<int> rows;
    for (qsizetype i = 1; i < parts.size(); ++i)
        rows << parts[i].toInt();
    return rows;
}

} // namespace vistarel::app
