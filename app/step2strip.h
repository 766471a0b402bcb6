#pragma once

#include "app/thumbnailcache.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace vistarel::app {

class CoverFlowStrip;

// One item of the step-2 strip: the slide's file when it exists (its thumbnail is made
// when the item is first shown), otherwise the picture the step-1 strip had of it.
struct Step2StripItem
{
    QString file;    // empty when the file is gone
    QImage fallback; // used only when file is empty; may be null
};

// The items for the slides' files in list order: item i shows slide i.
// stripPicture(file) gives the step-1 strip's picture of a file that is gone; keepAlive
// runs after each item (the 75 ms rule).
std::vector<Step2StripItem>
step2StripItems(const QStringList& files, const std::function<QImage(const QString&)>& stripPicture,
                const std::function<void()>& keepAlive);

// Fills the step-2 strip and answers its requests for pictures from a background
// thumbnail cache, so that a long slide list never blocks the window.
class Step2Thumbnails : public QObject
{
    Q_OBJECT

public:
    Step2Thumbnails(CoverFlowStrip& strip, const QString& appDataDir, QObject* parent);

    // Replaces the strip's items: names[i] for slide i; a gone file shows its fallback.
    void fill(const QStringList& names, const std::vector<Step2StripItem>& items);

private:
    void wanted(int index);
    void arrived(const QString& file, QSize box);

    CoverFlowStrip& m_strip;
    ThumbnailCache m_cache;
};

} // namespace vistarel::app
