#include "app/thumbnailmaker.h"

#include "lang/messagelist.h"
#include "render/picture/compose.h"
#include "render/picture/pictureloader.h"
#include "render/picture/resample.h"

namespace vistarel::app {

namespace {

const lang::MessageList& noMessages()
{
    static const lang::MessageList messages;
    return messages;
}

} // namespace

QuietHost::QuietHost(const QString& appDataDir)
    : render::Host(appDataDir, noMessages())
{
}

render::DialogResult QuietHost::taskDialog(const lang::TaskDialogText&)
{
    return render::DialogResult::Cancel;
}

void QuietHost::messageBox(const QString&) {}

QImage makeThumbnail(const QString& file, QSize box, render::Host& host)
{
    if (box.isEmpty())
        return {};
    QImage picture = render::loadSlidePicture(host, file, render::FitHint{box, false});
    if (picture.isNull())
        return {};
    const QSize fitted = render::fitDownSize(picture.size(), box.width(), box.height());
    if (fitted != picture.size()) {
        // One thread: the callers already run several thumbnails side by side.
        picture =
            render::resampleRegion(picture, fitted.width(), fitted.height(),
                                   QRect(QPoint(), fitted), render::ResampleFilter::FastLinear, 1);
    }
    return picture.convertToFormat(QImage::Format_RGB32);
}

} // namespace vistarel::app
