#pragma once

// The effect families and their parameters. Every ordinal of the catalogue is one family
// with fixed parameters (registry.cpp); each family is implemented once.

#include "render/transitions/effect.h"
#include "render/transitions/geometry.h"

#include <memory>
#include <variant>

namespace vistarel::render::transitions {

enum class Family {
    Cut,
    Fade,
    Wipe,
    Shape,
    Sweep,
    Strip,
    Bars,
    Cell,
    Path,
    Slide,
    Scale,
    Roll,
    Flip,
    Cube,
    Twist,
    Puzzle,
    Pacman,
    Word,
    PanZoom
};

struct CutParams
{
};

enum class FadeMode { Cross, Out, In, OutIn };
struct FadeParams
{
    FadeMode mode;
};

// Wipes: a travel coordinate against an edge that may carry a profile.
enum class WipeGeometry { Single, Diagonal, OutHor, InHor, OutVer, InVer };
enum class WipeProfile { Flat, Parabola, Chevron, Zigzag, Speckle, Soft };
struct WipeParams
{
    WipeGeometry geometry;
    WipeProfile profile;
    double amplitude = 0.0;
    Orientation orientation = kBaseOrientation; // Single and Diagonal only
};

// Shapes growing from anchors or shrinking onto them.
enum class ShapeSpace { Frame, Iso };
enum class ShapeMode { Out, In, InOut };
enum class Anchor { Centre, TopLeft, TopRight, BottomLeft, BottomRight, FourCorners };
enum class Spin { None, Clockwise, CounterClockwise };
struct ShapeParams
{
    ShapeKind shape;
    ShapeSpace space;
    Anchor anchor;
    ShapeMode mode;
    Spin spin = Spin::None;
};

// Hands and wedges turning about a pivot.
enum class SweepKind { Full, Half, Fan, Burst, FullReach };
enum class SweepStart { TowardsTopLeft, TowardsTopRight, Left, Right, Up };
struct SweepParams
{
    SweepKind kind;
    SweepStart start;
    bool counterClockwise = false;
};

// Strips revealed along their length (shred, cross, cross-bounce) or across (slats).
enum class StripKind { Shred, Cross, CrossBounce, Blinds, Uneven };
enum class Reveal { Low, High, Out, In }; // from left/top, right/bottom, centre out, edges in
enum class Stagger { None, FromLow, FromHigh };
struct StripSet
{
    bool used = false;
    bool rows = true; // bands of rows revealed along x; otherwise bands of columns along y
    Reveal even = Reveal::Low;
    Reveal odd = Reveal::Low;
    Stagger stagger = Stagger::None;
};
struct StripParams
{
    StripKind kind;
    StripSet first;
    StripSet second;
    Orientation orientation = kBaseOrientation; // Uneven only
};

// Bars of the target sliding or stacking into place.
enum class BarsKind { Staggered, Then, Together, Stack };
struct BarsParams
{
    BarsKind kind;
    Orientation orientation = kBaseOrientation;
};

// Cells (grid cells or small points) that turn or grow their figure on their own clock.
enum class CellKey { Hash, Rank, Random, Zero, Diagonal, Line };
enum class Growth { Instant, Box, CornerBox, Shape };
struct CellParams
{
    int grid = 0; // k of G(k); 0: points
    CellKey key;
    Growth growth;
    double window = 1.0;
    ShapeKind shape = ShapeKind::Rect;
    bool jitter = false;
    bool fromRight = false;  // Diagonal, Line and CornerBox: counted from the right
    bool fromBottom = false; // ... and from the bottom
    bool lineByRows = false; // Line: rows rather than columns
};

enum class PathKind { Snake, SpiralClockwise, SpiralCounterClockwise };
struct PathParams
{
    PathKind kind;
    bool columns = true;  // Snake: column strips (else row strips)
    bool fromEnd = false; // Snake: starting at the right or bottom edge
};

enum class SlideKind { Uncover, Push, Cover, Parallax, Quarters };
struct SlideParams
{
    SlideKind kind;
    Orientation orientation = kBaseOrientation;
};

// The base cases of the scaling family, named by the ordinal that shows them unturned.
enum class ScaleCase {
    Stretch31,
    Corner35,
    Squeeze39,
    Halves43,
    HalvesOver45,
    Centre48,
    Shrink69,
    ShrinkCentre73,
    Grow29,
    Zoom30,
    Quarters75,
    Squeeze155
};
struct ScaleParams
{
    ScaleCase base;
    Orientation orientation = kBaseOrientation;
};

struct RollParams
{
    Orientation orientation;
};
struct FlipParams
{
    Orientation orientation;
};
struct CubeParams
{
    bool perspective;
    Orientation orientation;
};
struct TwistParams
{
    bool in;
    bool perCell;
};
struct PuzzleParams
{
};

enum class PacmanTiming { Single, Serpentine, Together };
struct PacmanParams
{
    int bands;
    PacmanTiming timing;
    int direction = 1; // Single: +1 rightwards, -1 leftwards
};

enum class WordPattern {
    RandomBoxes,
    RandomPoints,
    CircleOut,
    CircleIn,
    HalfSweep,
    FullSweep,
    FullReachSweep,
    ScaledWord
};
struct WordParams
{
    WordPattern stage1;
    WordPattern stage2;
};

struct PanZoomParams
{
    double zoom;
};

using EffectParams = std::variant<CutParams, FadeParams, WipeParams, ShapeParams, SweepParams,
                                  StripParams, BarsParams, CellParams, PathParams, SlideParams,
                                  ScaleParams, RollParams, FlipParams, CubeParams, TwistParams,
                                  PuzzleParams, PacmanParams, WordParams, PanZoomParams>;

// The family of a parameter set (the variant's index in Family order).
inline Family familyOf(const EffectParams& params)
{
    return Family(params.index());
}

// One factory per family (overloaded on the parameters). The context holds the pictures and
// the run's seed and word.
std::unique_ptr<Effect> makeEffect(const CutParams&, const EffectContext&);
std::unique_ptr<Effect> makeEffect(const FadeParams&, const EffectContext&);
std::unique_ptr<Effect> makeEffect(const WipeParams&, const EffectContext&);
std::unique_ptr<Effect> makeEffect(const ShapeParams&, const EffectContext&);
std::unique_ptr<Effect> makeEffect(const SweepParams&, const EffectContext&);
std::unique_ptr<Effect> makeEffect(const StripParams&, const EffectContext&);
std::unique_ptr<Effect> makeEffect(const BarsParams&, const EffectContext&);
std::unique_ptr<Effect> makeEffect(const CellParams&, const EffectContext&);
std::unique_ptr<Effect> makeEffect(const PathParams&, const EffectContext&);
std::unique_ptr<Effect> makeEffect(const SlideParams&, const EffectContext&);
std::unique_ptr<Effect> makeEffect(const ScaleParams&, const EffectContext&);
std::unique_ptr<Effect> makeEffect(const RollParams&, const EffectContext&);
std::unique_ptr<Effect> makeEffect(const FlipParams&, const EffectContext&);
std::unique_ptr<Effect> makeEffect(const CubeParams&, const EffectContext&);
std::unique_ptr<Effect> makeEffect(const TwistParams&, const EffectContext&);
std::unique_ptr<Effect> makeEffect(const PuzzleParams&, const EffectContext&);
std::unique_ptr<Effect> makeEffect(const PacmanParams&, const EffectContext&);
std::unique_ptr<Effect> makeEffect(const WordParams&, const EffectContext&);
std::unique_ptr<Effect> makeEffect(const PanZoomParams&, const EffectContext&);

} // namespace vistarel::render::transitions
