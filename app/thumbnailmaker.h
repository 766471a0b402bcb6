#pragma once

#include "render/host.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace vistarel::app {

// A render host for background work: it never pumps events, never shows a dialog
// (dialogs are answered with Cancel) and keeps its log to itself. Its ActionCanceled may
// be set from any thread to stop a tool it runs.
class QuietHost : public render::Host
{
public:
    explicit QuietHost(const QString& appDataDir);

    render::DialogResult taskDialog(const lang::TaskDialogText& text) override;
    void messageBox(const QString& text) override;
};

// The picture of a media file fitted into box (never enlarged), upright, as
// Format_RGB32. Pictures go through the picture loader, which decodes large JPEGs at a
// reduced scale; clips show their first frame from the clip-thumbnail cache of
// host.AppDataDir(), which runs ffmpeg on a miss (one run per clip at a time, whatever
// the number of threads asking). Returns a null image when the file cannot be read or
// the box is empty. Callable from any thread; uses host only for the clip tool run.
QImage makeThumbnail(const QString& file, QSize box, render::Host& host);

} // namespace vistarel::app
