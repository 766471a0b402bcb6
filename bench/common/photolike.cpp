#include "bench/common/photolike.h"

#include <QPainter>
#include <QRandomGenerator>

#include <algorithm>

namespace vistarel::bench {

QImage photoLike(int w, int h, quint32 seed)
{
    QImage image(w, h, QImage::Format_RGB888);
    QRandomGenerator random(seed);
    for (int y = 0; y < h; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < w; ++x) {
            const int noise = int(random.bounded(24u)) - 12;
            row[3 * x] = uchar(std::clamp(60 + 150 * x / w + noise, 0, 255));
            row[3 * x + 1] = uchar(std::clamp(40 + 170 * y / h + noise, 0, 255));
            row[3 * x + 2] = uchar(std::clamp(120 + ((x / 37 + y / 53) % 3) * 30 + noise, 0, 255));
        }
    }
    QPainter painter(&image);
    for (int i = 0; i < 60; ++i) {
        painter.setBrush(QColor::fromRgb(random.generate() | 0xff000000u));
        painter.drawEllipse(QPoint(int(random.bounded(w)), int(random.bounded(h))),
                            int(random.bounded(400)), int(random.bounded(400)));
    }
    return image;
}

} // namespace vistarel::bench
