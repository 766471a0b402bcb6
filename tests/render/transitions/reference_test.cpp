// The span and table code of the mask effects against slow per-pixel references written
// straight from the definitions of the effects (base orientations; the turned variants are
// checked against their base elsewhere).
#include "transitiontestutil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

using namespace vistarel::render::transitions;
using namespace vistarel::render::transitions::test;

namespace {

// Whether the target shows at pixel (x, y) of a w x h frame at time t.
using Reference = std::function<bool(int x, int y)>;

struct Frame
{
    int w;
    int h;
    double t;
    std::uint64_t seed;

    double u(int x) const { return (x + 0.5) / w; }
    double v(int y) const { return (y + 0.5) / h; }
    double cu(int x) const { return 2.0 * u(x) - 1.0; }
    double cv(int y) const { return 2.0 * v(y) - 1.0; }
};

// ---- randomness, written out again from its definition ----

std::uint64_t fin(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

struct Draws
{
    std::uint64_t s;
    std::uint64_t next() { return fin(s += 0x9E3779B97F4A7C15ull); }
    double uniform() { return double(next() >> 11) * std::ldexp(1.0, -53); }
    std::vector<int> permutation(int n)
    {
        std::vector<int> p(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            p[std::size_t(i)] = i;
        for (int i = n - 1; i >= 1; --i)
            std::swap(p[std::size_t(i)], p[next() % std::uint64_t(i + 1)]);
        return p;
    }
};

int roundEven(double v)
{
    return int(std::nearbyint(v));
}

// Part index of coordinate c when length is split into n equal parts.
int partOfCoordinate(int c, int length, int n)
{
    for (int i = 0; i < n; ++i) {
        if (c >= int(std::int64_t(i + 1) * length / n))
            continue;
        return i;
    }
    return n - 1;
}

int bound(int i, int length, int n)
{
    return int(std::int64_t(i) * length / n);
}

// ---- wipes ----

Reference wipe(const Frame& f, int ordinal)
{
    return [f, ordinal](int x, int y) {
        double s = 0.0;
        double q = 0.0;
        double a = 0.0;
        double fq = 0.0;
        auto zigzag = [](double q) {
            const double v = 4.0 * (q + 1.0);
            return 1.0 - std::fabs(2.0 * (v - std::floor(v)) - 1.0);
        };
        switch (ordinal) {
        case 5:
            s = f.u(x);
            break;
        case 49:
            s = (f.u(x) + f.v(y)) / 2.0;
            break;
        case 53:
            s = 1.0 - std::fabs(f.cv(y));
            break;
        case 54:
            s = std::fabs(f.cv(y));
            break;
        case 55:
            s = 1.0 - std::fabs(f.cu(x));
            break;
        case 56:
            s = std::fabs(f.cu(x));
            break;
        case 77:
            s = f.u(x), q = f.cv(y), a = 0.3, fq = 1.0 - q * q;
            break;
        case 171:
            s = f.u(x), q = f.cv(y), a = 0.3, fq = 1.0 - std::fabs(q);
            break;
        case 175:
            s = 1.0 - std::fabs(f.cu(x)), q = f.cv(y), a = 1.0, fq = 1.0 - std::fabs(q);
            break;
        case 176:
            s = 1.0 - std::fabs(f.cv(y)), q = f.cu(x), a = 1.0, fq = 1.0 - std::fabs(q);
            break;
        case 179:
            s = std::fabs(f.cv(y)), a = 0.1, fq = zigzag(f.cu(x));
            break;
        case 180:
            s = std::fabs(f.cu(x)), a = 0.1, fq = zigzag(f.cv(y));
            break;
        case 190:
            s = 1.0 - std::fabs(f.cv(y)), a = 0.1, fq = zigzag(f.cu(x));
            break;
        case 191:
            s = 1.0 - std::fabs(f.cu(x)), a = 0.1, fq = zigzag(f.cv(y));
            break;
        case 147: {
            const int cell = std::max(1, roundEven(std::min(f.w, f.h) / 360.0));
            const std::uint64_t i = std::uint64_t(x / cell);
            const std::uint64_t j = std::uint64_t(y / cell);
            s = f.u(x), a = 0.3;
            fq = double(fin(f.seed ^ fin(j << 32 | i)) >> 11) * std::ldexp(1.0, -53);
            break;
        }
        }
        const double e = f.t * (1.0 + a) - a;
        return s < e + a * fq;
    };
}

// ---- shapes with an analytic outline ----

Reference shape(const Frame& f, int ordinal)
{
    struct Anchor
    {
        double px, py;
    };
    std::vector<Anchor> anchors;
    const double W = f.w;
    const double H = f.h;
    switch (ordinal) {
    case 13:
    case 81:
        anchors = {{0, 0}};
        break;
    case 74:
        anchors = {{0, 0}, {W, 0}, {0, H}, {W, H}};
        break;
    default:
        anchors = {{W / 2, H / 2}};
        break;
    }
    const bool circle = ordinal == 81 || ordinal == 117 || ordinal == 118;
    const bool diamond = ordinal == 181 || ordinal == 182;
    const bool closing = ordinal == 28 || ordinal == 118 || ordinal == 182;
    const double reach = ordinal == 74 ? 0.5 : 1.0;
    const double sMax = diamond ? 2.0 : 1.0;
    const double s = closing ? (1.0 - f.t) * sMax : reach * f.t * sMax;
    return [=](int x, int y) {
        bool inside = false;
        for (const Anchor& p : anchors) {
            const double ex = std::max(p.px, W - p.px);
            const double ey = std::max(p.py, H - p.py);
            const double dx = x + 0.5 - p.px;
            const double dy = y + 0.5 - p.py;
            // |d| / R < s, |dx| / ex + |dy| / ey < s and |d'| < s, multiplied out so that
            // a pixel centre exactly on the outline stays outside.
            if (circle)
                inside |= dx * dx + dy * dy < s * s * (ex * ex + ey * ey);
            else if (diamond)
                inside |= std::fabs(dx) * ey + std::fabs(dy) * ex < s * ex * ey;
            else
                inside |= std::fabs(dx) < s * ex && std::fabs(dy) < s * ey;
        }
        return closing ? !inside : inside;
    };
}

// ---- strips ----

double alongReveal(char source, double unit)
{
    switch (source) {
    case 'L':
        return unit;
    case 'H':
        return 1.0 - unit;
    case 'O':
        return std::fabs(2.0 * unit - 1.0);
    default:
        return 1.0 - std::fabs(2.0 * unit - 1.0);
    }
}

struct StripSetRef
{
    bool rows;
    char even;
    char odd;
    char stagger; // '-', 'L' (rank from the low side), 'H'
};

// Crisscross (bounce when bounce is set), per the strip sets of the catalogue.
Reference crisscross(const Frame& f, StripSetRef rows, StripSetRef cols, bool bounce)
{
    return [=](int x, int y) {
        auto reveals = [&](const StripSetRef& set, int across, int acrossLength, double unit) {
            const int i = partOfCoordinate(across, acrossLength, 8);
            const int rank = set.stagger == 'H' ? 7 - i : i;
            const double a = set.stagger == '-' ? 0.0 : 0.4 * rank / 7.0;
            double clock = f.t;
            if (bounce)
                clock = i % 2 == 0 ? 2.0 * f.t : 2.0 * f.t - 1.0;
            const double progress = std::clamp((clock - a) / (1.0 - a), 0.0, 1.0);
            return alongReveal(i % 2 == 0 ? set.even : set.odd, unit) < progress;
        };
        return reveals(rows, y, f.h, f.u(x)) || reveals(cols, x, f.w, f.v(y));
    };
}

Reference shred(const Frame& f, std::vector<std::pair<bool, char>> sets)
{
    Draws draws{f.seed};
    std::vector<std::vector<double>> lags;
    const int thickness = std::max(1, roundEven(std::min(f.w, f.h) / 36.0));
    for (auto [rows, source] : sets) {
        const int n = std::max(1, roundEven(double(rows ? f.h : f.w) / thickness));
        std::vector<double> lag;
        for (int i = 0; i < n; ++i)
            lag.push_back(0.5 * (i % 2) + 0.5 * draws.uniform());
        lags.push_back(lag);
    }
    return [=](int x, int y) {
        for (std::size_t k = 0; k < sets.size(); ++k) {
            const bool rows = sets[k].first;
            const int n = int(lags[k].size());
            const int i = rows ? partOfCoordinate(y, f.h, n) : partOfCoordinate(x, f.w, n);
            const double s = alongReveal(sets[k].second, rows ? f.u(x) : f.v(y));
            if (s < f.t * 1.3 - 0.3 * lags[k][std::size_t(i)])
                return true;
        }
        return false;
    };
}

Reference blinds(const Frame& f, bool rowSlats)
{
    return [=](int x, int y) {
        const int c = rowSlats ? y : x;
        const int length = rowSlats ? f.h : f.w;
        const int i = partOfCoordinate(c, length, 10);
        const double b0 = bound(i, length, 10);
        const double b1 = bound(i + 1, length, 10);
        return std::fabs(c + 0.5 - (b0 + b1) / 2.0) / ((b1 - b0) / 2.0) < f.t;
    };
}

Reference unevenFromLeft(const Frame& f)
{
    const int weights[12] = {3, 1, 2, 4, 1, 3, 2, 1, 4, 2, 3, 1};
    std::vector<int> b{0};
    int sum = 0;
    for (int w : weights) {
        sum += w;
        b.push_back(f.w * sum / 27);
    }
    return [=](int x, int) {
        int i = 0;
        while (x >= b[std::size_t(i) + 1])
            ++i;
        const double s =
            (x + 0.5 - b[std::size_t(i)]) / (b[std::size_t(i) + 1] - b[std::size_t(i)]);
        return s < std::clamp((f.t - 0.5 * i / 11.0) / 0.5, 0.0, 1.0);
    };
}

// ---- cells ----

struct GridRef
{
    int cols;
    int rows;
};

GridRef gridOf(int k, const Frame& f)
{
    return {std::max(1, roundEven(double(k) * f.w / f.h)), k};
}

Reference cells(const Frame& f, int ordinal)
{
    int k = 4;
    double window = 1.0;
    char figure = 'b'; // box, corner box 'c', instant 'i'
    switch (ordinal) {
    case 26:
        k = 9, figure = 'i';
        break;
    case 185:
        k = 4, figure = 'i';
        break;
    case 113:
        break;
    case 165:
    case 167:
        k = 6, window = 0.4;
        break;
    case 183:
        k = 6, window = 0.4;
        break;
    case 133:
    case 136:
        k = 8, window = 0.3, figure = 'c';
        break;
    }
    const GridRef g = gridOf(k, f);
    const int n = g.cols * g.rows;
    std::vector<double> key(std::size_t(n), 0.0);
    if (figure == 'i') {
        const std::vector<int> rank = Draws{f.seed}.permutation(n);
        for (int c = 0; c < n; ++c)
            key[std::size_t(c)] = double(rank[std::size_t(c)]) / n;
    }
    for (int j = 0; j < g.rows; ++j) {
        for (int i = 0; i < g.cols; ++i) {
            double& kc = key[std::size_t(j * g.cols + i)];
            if (ordinal == 165)
                kc = g.cols > 1 ? double(i) / (g.cols - 1) : 0.0;
            if (ordinal == 167)
                kc = g.rows > 1 ? double(j) / (g.rows - 1) : 0.0;
            if (ordinal == 183 || ordinal == 133)
                kc = double(i + j) / (g.cols + g.rows - 2);
            if (ordinal == 136)
                kc = double(g.cols - 1 - i + g.rows - 1 - j) / (g.cols + g.rows - 2);
        }
    }
    return [=](int x, int y) {
        if (figure == 'i') {
            const int c =
                partOfCoordinate(y, f.h, g.rows) * g.cols + partOfCoordinate(x, f.w, g.cols);
            return key[std::size_t(c)] < f.t;
        }
        const double xc = x + 0.5;
        const double yc = y + 0.5;
        for (int j = 0; j < g.rows; ++j) {
            for (int i = 0; i < g.cols; ++i) {
                const double x0 = bound(i, f.w, g.cols);
                const double x1 = bound(i + 1, f.w, g.cols);
                const double y0 = bound(j, f.h, g.rows);
                const double y1 = bound(j + 1, f.h, g.rows);
                const double a = key[std::size_t(j * g.cols + i)] * (1.0 - window);
                const double u = std::clamp((f.t - a) / window, 0.0, 1.0);
                if (u <= 0.0)
                    continue;
                bool in = false;
                if (figure == 'b') {
                    in = std::fabs(xc - (x0 + x1) / 2) < u * (x1 - x0) / 2 &&
                         std::fabs(yc - (y0 + y1) / 2) < u * (y1 - y0) / 2;
                } else if (ordinal == 133) {
                    in = xc - x0 >= 0 && xc - x0 < u * (x1 - x0) && yc - y0 >= 0 &&
                         yc - y0 < u * (y1 - y0);
                } else {
                    in = x1 - xc >= 0 && x1 - xc < u * (x1 - x0) && y1 - yc >= 0 &&
                         y1 - yc < u * (y1 - y0);
                }
                if (in)
                    return true;
            }
        }
        return false;
    };
}

// ---- paths ----

Reference snake(const Frame& f, bool columns, bool fromEnd)
{
    return [=](int x, int y) {
        const int length = columns ? f.w : f.h;
        const int c = columns ? x : y;
        const int part = partOfCoordinate(c, length, 8);
        const int k = fromEnd ? 7 - part : part;
        const double u = std::clamp(8 * f.t - k, 0.0, 1.0);
        const int other = columns ? y : x;
        const int otherLength = columns ? f.h : f.w;
        const double s =
            k % 2 == 0 ? (other + 0.5) / otherLength : (otherLength - (other + 0.5)) / otherLength;
        return s < u;
    };
}

Reference spiral(const Frame& f, bool clockwise)
{
    const GridRef g = gridOf(4, f);
    // Walk the grid: keep going, turn (right for clockwise) at the border or a visited cell.
    std::vector<int> order(std::size_t(g.cols * g.rows), -1);
    std::vector<int> step(order.size(), 0);
    const int dx[4] = {1, 0, -1, 0}; // right, down, left, up
    const int dy[4] = {0, 1, 0, -1};
    int ci = 0;
    int cj = 0;
    int dir = clockwise ? 0 : 1;
    for (int n = 0; n < g.cols * g.rows; ++n) {
        order[std::size_t(cj * g.cols + ci)] = n;
        auto free = [&](int d) {
            const int i = ci + dx[d];
            const int j = cj + dy[d];
            return i >= 0 && j >= 0 && i < g.cols && j < g.rows &&
                   order[std::size_t(j * g.cols + i)] < 0;
        };
        if (n + 1 < g.cols * g.rows && !free(dir))
            dir = clockwise ? (dir + 1) % 4 : (dir + 3) % 4;
        step[std::size_t(cj * g.cols + ci)] = dir;
        ci += dx[dir];
        cj += dy[dir];
    }
    const int n = g.cols * g.rows;
    return [=](int x, int y) {
        const int i = partOfCoordinate(x, f.w, g.cols);
        const int j = partOfCoordinate(y, f.h, g.rows);
        const int k = order[std::size_t(j * g.cols + i)];
        const double u = std::clamp(n * f.t - k, 0.0, 1.0);
        const double x0 = bound(i, f.w, g.cols), x1 = bound(i + 1, f.w, g.cols);
        const double y0 = bound(j, f.h, g.rows), y1 = bound(j + 1, f.h, g.rows);
        double s = 0.0;
        switch (step[std::size_t(j * g.cols + i)]) {
        case 0:
            s = (x + 0.5 - x0) / (x1 - x0);
            break;
        case 1:
            s = (y + 0.5 - y0) / (y1 - y0);
            break;
        case 2:
            s = (x1 - (x + 0.5)) / (x1 - x0);
            break;
        default:
            s = (y1 - (y + 0.5)) / (y1 - y0);
            break;
        }
        return s < u;
    };
}

void expectMatches(int ordinal, const Reference& reference, const QImage& frame, const QImage& a,
                   const QImage& b, const QString& where)
{
    const auto mask = layerMask(frame, a, b);
    int wrong = 0;
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            const int got = mask[std::size_t(y) * std::size_t(frame.width()) + std::size_t(x)];
            if (got != (reference(x, y) ? 1 : 0) && ++wrong <= 3)
                ADD_FAILURE() << "effect " << ordinal << " " << where.toStdString() << " pixel "
                              << x << "," << y << " shows " << (got == 1 ? "target" : "start");
        }
    }
    if (wrong > 0)
        ADD_FAILURE()
            << wrong << " wrong pixels, frame kept at "
            << keepForInspection(frame, QStringLiteral("reference-%1").arg(ordinal)).toStdString();
}

Reference referenceFor(int ordinal, const Frame& f)
{
    switch (ordinal) {
    case 6:
        return snake(f, true, false);
    case 8:
        return snake(f, true, true);
    case 10:
        return snake(f, false, false);
    case 12:
        return snake(f, false, true);
    case 169:
        return spiral(f, true);
    case 170:
        return spiral(f, false);
    case 159:
        return blinds(f, true);
    case 160:
        return blinds(f, false);
    case 161:
        return unevenFromLeft(f);
    case 95:
        return shred(f, {{true, 'L'}});
    case 98:
        return shred(f, {{false, 'H'}});
    case 103:
        return shred(f, {{false, 'O'}, {true, 'L'}});
    case 108:
        return shred(f, {{false, 'I'}, {true, 'I'}});
    case 119:
        return crisscross(f, {true, 'L', 'L', 'L'}, {false, 'L', 'L', 'L'}, false);
    case 122:
        return crisscross(f, {true, 'H', 'H', 'H'}, {false, 'H', 'H', 'H'}, false);
    case 124:
        return crisscross(f, {true, 'H', 'L', 'L'}, {false, 'L', 'H', 'H'}, true);
    case 128:
        return crisscross(f, {true, 'L', 'H', 'H'}, {false, 'H', 'H', '-'}, false);
    case 132:
        return crisscross(f, {true, 'L', 'H', '-'}, {false, 'H', 'L', '-'}, false);
    case 13:
    case 27:
    case 28:
    case 74:
    case 81:
    case 117:
    case 118:
    case 181:
    case 182:
        return shape(f, ordinal);
    case 26:
    case 113:
    case 133:
    case 136:
    case 165:
    case 167:
    case 183:
    case 185:
        return cells(f, ordinal);
    default:
        return wipe(f, ordinal);
    }
}

} // namespace

TEST(MaskReferences, SpansAndTablesMatchThePerPixelDefinitions)
{
    const std::vector<int> ordinals{5,   49,  53,  54,  55,  56,  77,  147, 171, 175, 176, 179, 180,
                                    190, 191, 13,  27,  28,  74,  81,  117, 118, 181, 182, 6,   8,
                                    10,  12,  169, 170, 159, 160, 161, 95,  98,  103, 108, 119, 122,
                                    124, 128, 132, 26,  113, 133, 136, 165, 167, 183, 185};
    for (QSize size : {QSize(64, 36), QSize(101, 57), QSize(400, 225)}) {
        const QImage a = startPicture(size.width(), size.height());
        const QImage b = targetPicture(size.width(), size.height());
        for (int ordinal : ordinals) {
            const TransitionRun run(ordinal, a, b);
            QImage frame;
            for (float p : {7.0f, 13.0f, 37.5f, 50.0f, 62.0f, 87.0f, 99.0f}) {
                run.render(p, frame);
                const Frame f{size.width(), size.height(), double(p) / 100.0,
                              0x5EEDC0DE00000000ull + std::uint64_t(ordinal)};
                expectMatches(
                    ordinal, referenceFor(ordinal, f), frame, a, b,
                    QStringLiteral("%1x%2 p=%3").arg(size.width()).arg(size.height()).arg(p));
            }
        }
    }
}
