#include "app/windowgeometry.h"

#include <algorithm>
#include <cmath>

namespace vistarel::app {

MaximizeStep toggleOwnMaximized(const QRect& current, const QRect& workArea,
                                const QRect& remembered, const QSize& designSize)
{
    if (current.size() == workArea.size()) {
        QRect back = remembered;
        if (back.isEmpty()) {
            back = QRect(QPoint(), designSize);
            back.moveCenter(workArea.center());
        }
        return {false, back, remembered};
    }
    return {true, workArea, current};
}

QRect moveIntoArea(const QRect& window, const QRect& area)
{
    QRect r = window;
    if (r.right() > area.right())
        r.moveRight(area.right());
    if (r.bottom() > area.bottom())
        r.moveBottom(area.bottom());
    if (r.left() < area.left())
        r.moveLeft(area.left());
    if (r.top() < area.top())
        r.moveTop(area.top());
    return r;
}

int pixelsPerInch(double devicePixelRatio)
{
    return static_cast<int>(std::nearbyint(96.0 * devicePixelRatio));
}

int toDevicePixels(int logical, double devicePixelRatio)
{
    return static_cast<int>(std::nearbyint(logical * devicePixelRatio));
}

int toLogicalPixels(int device, double devicePixelRatio)
{
    return static_cast<int>(std::nearbyint(device / std::max(devicePixelRatio, 0.01)));
}

} // namespace vistarel::app
