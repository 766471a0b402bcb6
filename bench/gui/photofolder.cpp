#include "photofolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtConcurrent/QtConcurrentMap>

#include <turbojpeg.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <vector>

namespace vistarel::bench {

namespace {

struct Rgb
{
    float r, g, b;
};

Rgb mix(Rgb a, Rgb b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// A small fast generator; the pictures only need to look busy.
struct XorShift
{
    std::uint32_t state;
    std::uint32_t next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    float unit() { return float(next() & 0xFFFFFF) / float(0x1000000); }
};

// Height of a hill line at x (0..1) as a sum of waves.
float ridge(float x, float base, float amplitude, const float* phases)
{
    float y = base;
    for (int k = 0; k < 4; ++k)
        y += amplitude / float(k + 1) * std::sin(x * float(3 + 4 * k) + phases[k]);
    return y;
}

std::vector<unsigned char> landscape(int w, int h, std::uint32_t seed)
{
    XorShift random{seed * 2654435761u + 1};
    const Rgb skyTop = mix({40, 90, 180}, {20, 30, 80}, random.unit());
    const Rgb skyLow = mix({250, 190, 120}, {170, 210, 240}, random.unit());
    const Rgb hillFar = mix({90, 110, 140}, {120, 100, 130}, random.unit());
    const Rgb hillNear = mix({40, 80, 40}, {70, 60, 30}, random.unit());
    const Rgb meadow = mix({60, 130, 40}, {150, 140, 60}, random.unit());
    float phases[3][4];
    for (auto& layer : phases) {
        for (float& p : layer)
            p = random.unit() * 6.28f;
    }
    const float sunX = 0.2f + 0.6f * random.unit();
    const float sunY = 0.15f + 0.2f * random.unit();
    std::vector<unsigned char> pixels(std::size_t(w) * std::size_t(h) * 3);
    for (int y = 0; y < h; ++y) {
        const float v = float(y) / float(h);
        unsigned char* row = pixels.data() + std::size_t(y) * std::size_t(w) * 3;
        for (int x = 0; x < w; ++x) {
            const float u = float(x) / float(w);
            Rgb c = mix(skyTop, skyLow, std::min(1.0f, v / 0.6f));
            const float d = std::hypot((u - sunX) * 1.5f, v - sunY);
            c = mix(c, {255, 240, 200}, std::clamp(0.06f / (d + 0.02f) - 0.3f, 0.0f, 1.0f));
            const float far = ridge(u, 0.5f, 0.06f, phases[0]);
            const float near = ridge(u, 0.62f, 0.05f, phases[1]);
            const float ground = ridge(u, 0.75f, 0.02f, phases[2]);
            if (v > far)
                c = mix(hillFar, skyLow, 0.25f);
            if (v > near)
                c = mix(hillNear, hillFar, std::clamp((near + 0.2f - v) * 2, 0.0f, 0.6f));
            if (v > ground) {
                const float stripe = 0.5f + 0.5f * std::sin(v * 900.0f + std::sin(u * 40.0f) * 3);
                c = mix(meadow, {30, 60, 20}, stripe * 0.35f + (v - ground));
            }
            // Texture and sensor noise: most of a real photo's bits are here.
            const float noise = (random.unit() - 0.5f) * (v > near ? 46.0f : 14.0f);
            row[3 * x] = static_cast<unsigned char>(std::clamp(c.r + noise, 0.0f, 255.0f));
            row[3 * x + 1] = static_cast<unsigned char>(std::clamp(c.g + noise, 0.0f, 255.0f));
            row[3 * x + 2] =
                static_cast<unsigned char>(std::clamp(c.b + noise * 0.8f, 0.0f, 255.0f));
        }
    }
    return pixels;
}

bool writePhoto(const QString& path, int w, int h, std::uint32_t seed)
{
    const std::vector<unsigned char> pixels = landscape(w, h, seed);
    tjhandle handle = tjInitCompress();
    unsigned char* data = nullptr;
    unsigned long size = 0;
    const bool ok = tjCompress2(handle, pixels.data(), w, w * 3, h, TJPF_RGB, &data, &size,
                                TJSAMP_420, 88, 0) == 0;
    tjDestroy(handle);
    // Written under another name first: an interrupted run leaves no half photo.
    const QString part = path + QStringLiteral(".part");
    QFile out(part);
    const bool written =
        ok && out.open(QIODevice::WriteOnly) &&
        out.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size);
    out.close();
    tjFree(data);
    return written && QFile::rename(part, path);
}

} // namespace

QStringList ensurePhotoFolder(const QString& folder, int count, int width, int height)
{
    QDir().mkpath(folder);
    QStringList files;
    QList<int> missing;
    for (int i = 1; i <= count; ++i) {
        files << QDir(folder).filePath(QStringLiteral("photo_%1.jpg").arg(i, 4, 10, QChar(u'0')));
        if (!QFileInfo::exists(files.last()))
            missing << i;
    }
    std::atomic<bool> failed{false};
    QtConcurrent::blockingMap(missing, [&](int i) {
        if (!writePhoto(files[i - 1], width, height, std::uint32_t(i)))
            failed = true;
    });
    return failed ? QStringList() : files;
}

} // namespace vistarel::bench
