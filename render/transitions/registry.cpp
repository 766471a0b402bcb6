#include "render/transitions/registry.h"

#include <array>
#include <cassert>

namespace vistarel::render::transitions {

namespace {

constexpr WipeParams wipe(WipeGeometry geometry, WipeProfile profile, double amplitude,
                          Orientation orientation)
{
    return {geometry, profile, amplitude, orientation};
}

constexpr ShapeParams shape(ShapeKind kind, ShapeSpace space, Anchor anchor, ShapeMode mode,
                            Spin spin)
{
    return {kind, space, anchor, mode, spin};
}

constexpr StripSet strips(bool rows, Reveal source)
{
    return {true, rows, source, source, Stagger::None};
}

constexpr CellParams cells(int grid, CellKey key, Growth growth, double window)
{
    CellParams p{};
    p.grid = grid;
    p.key = key;
    p.growth = growth;
    p.window = window;
    return p;
}

constexpr CellParams cellShapes(int grid, CellKey key, double window, ShapeKind shape, bool jitter)
{
    CellParams p = cells(grid, key, Growth::Shape, window);
    p.shape = shape;
    p.jitter = jitter;
    return p;
}

// The diagonal staircase: keys and corner boxes from one corner.
constexpr CellParams corners(int grid, double window, bool fromRight, bool fromBottom)
{
    CellParams p = cells(grid, CellKey::Diagonal, Growth::CornerBox, window);
    p.fromRight = fromRight;
    p.fromBottom = fromBottom;
    return p;
}

// Grid rectangles keyed line by line from one side.
constexpr CellParams lines(bool fromEnd, bool byRows)
{
    CellParams p = cells(6, CellKey::Line, Growth::Box, 0.4);
    p.lineByRows = byRows;
    p.fromRight = fromEnd && !byRows;
    p.fromBottom = fromEnd && byRows;
    return p;
}

const std::array<RegistryEntry, 251> kRegistry = {{
    {0, CutParams{}},
    {1, FadeParams{FadeMode::Cross}},
    {2, FadeParams{FadeMode::Out}},
    {3, FadeParams{FadeMode::In}},
    {4, FadeParams{FadeMode::OutIn}},
    {5, wipe(WipeGeometry::Single, WipeProfile::Flat, 0.0, kBaseOrientation)},
    {6, PathParams{PathKind::Snake, true, false}},
    {7, wipe(WipeGeometry::Single, WipeProfile::Flat, 0.0, kMirrorX)},
    {8, PathParams{PathKind::Snake, true, true}},
    {9, wipe(WipeGeometry::Single, WipeProfile::Flat, 0.0, kTranspose)},
    {10, PathParams{PathKind::Snake, false, false}},
    {11, wipe(WipeGeometry::Single, WipeProfile::Flat, 0.0, kTransposeMirrorY)},
    {12, PathParams{PathKind::Snake, false, true}},
    {13, shape(ShapeKind::Rect, ShapeSpace::Frame, Anchor::TopLeft, ShapeMode::Out, Spin::None)},
    {14, shape(ShapeKind::Rect, ShapeSpace::Frame, Anchor::TopRight, ShapeMode::Out, Spin::None)},
    {15, shape(ShapeKind::Rect, ShapeSpace::Frame, Anchor::BottomLeft, ShapeMode::Out, Spin::None)},
    {16,
     shape(ShapeKind::Rect, ShapeSpace::Frame, Anchor::BottomRight, ShapeMode::Out, Spin::None)},
    {17, SlideParams{SlideKind::Uncover, kBaseOrientation}},
    {18, SlideParams{SlideKind::Push, kBaseOrientation}},
    {19, SlideParams{SlideKind::Uncover, kMirrorX}},
    {20, SlideParams{SlideKind::Push, kMirrorX}},
    {21, SlideParams{SlideKind::Uncover, kTranspose}},
    {22, SlideParams{SlideKind::Push, kTranspose}},
    {23, SlideParams{SlideKind::Uncover, kTransposeMirrorY}},
    {24, SlideParams{SlideKind::Push, kTransposeMirrorY}},
    {25, cells(0, CellKey::Hash, Growth::Instant, 1.0)},
    {26, cells(9, CellKey::Rank, Growth::Instant, 1.0)},
    {27, shape(ShapeKind::Rect, ShapeSpace::Frame, Anchor::Centre, ShapeMode::Out, Spin::None)},
    {28, shape(ShapeKind::Rect, ShapeSpace::Frame, Anchor::Centre, ShapeMode::In, Spin::None)},
    {29, ScaleParams{ScaleCase::Grow29, kBaseOrientation}},
    {30, ScaleParams{ScaleCase::Zoom30, kBaseOrientation}},
    {31, ScaleParams{ScaleCase::Stretch31, kBaseOrientation}},
    {32, ScaleParams{ScaleCase::Stretch31, kMirrorX}},
    {33, ScaleParams{ScaleCase::Stretch31, kTranspose}},
    {34, ScaleParams{ScaleCase::Stretch31, kTransposeMirrorY}},
    {35, ScaleParams{ScaleCase::Corner35, kBaseOrientation}},
    {36, ScaleParams{ScaleCase::Corner35, kMirrorX}},
    {37, ScaleParams{ScaleCase::Corner35, kMirrorY}},
    {38, ScaleParams{ScaleCase::Corner35, kMirrorXY}},
    {39, ScaleParams{ScaleCase::Squeeze39, kBaseOrientation}},
    {40, ScaleParams{ScaleCase::Squeeze39, kMirrorX}},
    {41, ScaleParams{ScaleCase::Squeeze39, kTranspose}},
    {42, ScaleParams{ScaleCase::Squeeze39, kTransposeMirrorY}},
    {43, ScaleParams{ScaleCase::Halves43, kBaseOrientation}},
    {44, ScaleParams{ScaleCase::Halves43, kTranspose}},
    {45, ScaleParams{ScaleCase::HalvesOver45, kBaseOrientation}},
    {46, ScaleParams{ScaleCase::HalvesOver45, kTranspose}},
    {47, ScaleParams{ScaleCase::Centre48, kTranspose}},
    {48, ScaleParams{ScaleCase::Centre48, kBaseOrientation}},
    {49, wipe(WipeGeometry::Diagonal, WipeProfile::Flat, 0.0, kBaseOrientation)},
    {50, wipe(WipeGeometry::Diagonal, WipeProfile::Flat, 0.0, kMirrorX)},
    {51, wipe(WipeGeometry::Diagonal, WipeProfile::Flat, 0.0, kMirrorY)},
    {52, wipe(WipeGeometry::Diagonal, WipeProfile::Flat, 0.0, kMirrorXY)},
    {53, wipe(WipeGeometry::InHor, WipeProfile::Flat, 0.0, kBaseOrientation)},
    {54, wipe(WipeGeometry::OutHor, WipeProfile::Flat, 0.0, kBaseOrientation)},
    {55, wipe(WipeGeometry::InVer, WipeProfile::Flat, 0.0, kBaseOrientation)},
    {56, wipe(WipeGeometry::OutVer, WipeProfile::Flat, 0.0, kBaseOrientation)},
    {57, BarsParams{BarsKind::Stack, kBaseOrientation}},
    {58, BarsParams{BarsKind::Stack, kMirrorX}},
    {59, BarsParams{BarsKind::Stack, kTranspose}},
    {60, BarsParams{BarsKind::Stack, kTransposeMirrorY}},
    {61, RollParams{kBaseOrientation}},
    {62, RollParams{kMirrorX}},
    {63, RollParams{kTranspose}},
    {64, RollParams{kTransposeMirrorY}},
    {65, SlideParams{SlideKind::Cover, kBaseOrientation}},
    {66, SlideParams{SlideKind::Cover, kMirrorX}},
    {67, SlideParams{SlideKind::Cover, kTranspose}},
    {68, SlideParams{SlideKind::Cover, kTransposeMirrorY}},
    {69, ScaleParams{ScaleCase::Shrink69, kBaseOrientation}},
    {70, ScaleParams{ScaleCase::Shrink69, kMirrorX}},
    {71, ScaleParams{ScaleCase::Shrink69, kMirrorY}},
    {72, ScaleParams{ScaleCase::Shrink69, kMirrorXY}},
    {73, ScaleParams{ScaleCase::ShrinkCentre73, kBaseOrientation}},
    {74,
     shape(ShapeKind::Rect, ShapeSpace::Frame, Anchor::FourCorners, ShapeMode::Out, Spin::None)},
    {75, ScaleParams{ScaleCase::Quarters75, kBaseOrientation}},
    {76, SlideParams{SlideKind::Quarters}},
    {77, wipe(WipeGeometry::Single, WipeProfile::Parabola, 0.3, kBaseOrientation)},
    {78, wipe(WipeGeometry::Single, WipeProfile::Parabola, 0.3, kMirrorX)},
    {79, wipe(WipeGeometry::Single, WipeProfile::Parabola, 0.3, kTranspose)},
    {80, wipe(WipeGeometry::Single, WipeProfile::Parabola, 0.3, kTransposeMirrorY)},
    {81, shape(ShapeKind::Circle, ShapeSpace::Iso, Anchor::TopLeft, ShapeMode::Out, Spin::None)},
    {82, shape(ShapeKind::Circle, ShapeSpace::Iso, Anchor::TopRight, ShapeMode::Out, Spin::None)},
    {83, shape(ShapeKind::Circle, ShapeSpace::Iso, Anchor::BottomLeft, ShapeMode::Out, Spin::None)},
    {84,
     shape(ShapeKind::Circle, ShapeSpace::Iso, Anchor::BottomRight, ShapeMode::Out, Spin::None)},
    {85, BarsParams{BarsKind::Staggered, kBaseOrientation}},
    {86, BarsParams{BarsKind::Staggered, kMirrorX}},
    {87, BarsParams{BarsKind::Staggered, kTranspose}},
    {88, BarsParams{BarsKind::Staggered, kTransposeMirrorY}},
    {89, BarsParams{BarsKind::Then, kBaseOrientation}},
    {90, BarsParams{BarsKind::Then, kMirrorX}},
    {91, BarsParams{BarsKind::Then, kTranspose}},
    {92, BarsParams{BarsKind::Then, kTransposeMirrorY}},
    {93, BarsParams{BarsKind::Together}},
    {94, BarsParams{BarsKind::Together, kTranspose}},
    {95, StripParams{StripKind::Shred, strips(true, Reveal::Low), StripSet{}}},
    {96, StripParams{StripKind::Shred, strips(true, Reveal::High), StripSet{}}},
    {97, StripParams{StripKind::Shred, strips(false, Reveal::Low), StripSet{}}},
    {98, StripParams{StripKind::Shred, strips(false, Reveal::High), StripSet{}}},
    {99, StripParams{StripKind::Shred, strips(false, Reveal::Low), strips(true, Reveal::Low)}},
    {100, StripParams{StripKind::Shred, strips(false, Reveal::Low), strips(true, Reveal::High)}},
    {101, StripParams{StripKind::Shred, strips(false, Reveal::High), strips(true, Reveal::Low)}},
    {102, StripParams{StripKind::Shred, strips(false, Reveal::High), strips(true, Reveal::High)}},
    {103, StripParams{StripKind::Shred, strips(false, Reveal::Out), strips(true, Reveal::Low)}},
    {104, StripParams{StripKind::Shred, strips(false, Reveal::Out), strips(true, Reveal::High)}},
    {105, StripParams{StripKind::Shred, strips(false, Reveal::Low), strips(true, Reveal::Out)}},
    {106, StripParams{StripKind::Shred, strips(false, Reveal::High), strips(true, Reveal::Out)}},
    {107, StripParams{StripKind::Shred, strips(false, Reveal::Out), strips(true, Reveal::Out)}},
    {108, StripParams{StripKind::Shred, strips(false, Reveal::In), strips(true, Reveal::In)}},
    {109, StripParams{StripKind::Shred, strips(false, Reveal::In), StripSet{}}},
    {110, StripParams{StripKind::Shred, strips(true, Reveal::In), StripSet{}}},
    {111, StripParams{StripKind::Shred, strips(false, Reveal::Out), StripSet{}}},
    {112, StripParams{StripKind::Shred, strips(true, Reveal::Out), StripSet{}}},
    {113, cells(4, CellKey::Zero, Growth::Box, 1.0)},
    {114, cellShapes(4, CellKey::Zero, 1.0, ShapeKind::Triangle, false)},
    {115, cellShapes(4, CellKey::Zero, 1.0, ShapeKind::Circle, false)},
    {116, cellShapes(4, CellKey::Zero, 1.0, ShapeKind::Diamond, false)},
    {117, shape(ShapeKind::Circle, ShapeSpace::Iso, Anchor::Centre, ShapeMode::Out, Spin::None)},
    {118, shape(ShapeKind::Circle, ShapeSpace::Iso, Anchor::Centre, ShapeMode::In, Spin::None)},
    {119,
     StripParams{StripKind::Cross, StripSet{true, true, Reveal::Low, Reveal::Low, Stagger::FromLow},
                 StripSet{true, false, Reveal::Low, Reveal::Low, Stagger::FromLow}}},
    {120, StripParams{StripKind::Cross,
                      StripSet{true, true, Reveal::High, Reveal::High, Stagger::FromLow},
                      StripSet{true, false, Reveal::Low, Reveal::Low, Stagger::FromHigh}}},
    {121, StripParams{StripKind::Cross,
                      StripSet{true, true, Reveal::Low, Reveal::Low, Stagger::FromHigh},
                      StripSet{true, false, Reveal::High, Reveal::High, Stagger::FromLow}}},
    {122, StripParams{StripKind::Cross,
                      StripSet{true, true, Reveal::High, Reveal::High, Stagger::FromHigh},
                      StripSet{true, false, Reveal::High, Reveal::High, Stagger::FromHigh}}},
    {123, StripParams{StripKind::CrossBounce,
                      StripSet{true, true, Reveal::Low, Reveal::High, Stagger::FromLow},
                      StripSet{true, false, Reveal::Low, Reveal::High, Stagger::FromLow}}},
    {124, StripParams{StripKind::CrossBounce,
                      StripSet{true, true, Reveal::High, Reveal::Low, Stagger::FromLow},
                      StripSet{true, false, Reveal::Low, Reveal::High, Stagger::FromHigh}}},
    {125, StripParams{StripKind::CrossBounce,
                      StripSet{true, true, Reveal::Low, Reveal::High, Stagger::FromHigh},
                      StripSet{true, false, Reveal::High, Reveal::Low, Stagger::FromLow}}},
    {126, StripParams{StripKind::CrossBounce,
                      StripSet{true, true, Reveal::High, Reveal::Low, Stagger::FromHigh},
                      StripSet{true, false, Reveal::High, Reveal::Low, Stagger::FromHigh}}},
    {127, StripParams{StripKind::Cross,
                      StripSet{true, true, Reveal::Low, Reveal::High, Stagger::FromLow},
                      StripSet{true, false, Reveal::Low, Reveal::Low, Stagger::None}}},
    {128, StripParams{StripKind::Cross,
                      StripSet{true, true, Reveal::Low, Reveal::High, Stagger::FromHigh},
                      StripSet{true, false, Reveal::High, Reveal::High, Stagger::None}}},
    {129,
     StripParams{StripKind::Cross, StripSet{true, true, Reveal::Low, Reveal::Low, Stagger::None},
                 StripSet{true, false, Reveal::Low, Reveal::High, Stagger::FromLow}}},
    {130,
     StripParams{StripKind::Cross, StripSet{true, true, Reveal::Low, Reveal::High, Stagger::None},
                 StripSet{true, false, Reveal::Low, Reveal::High, Stagger::None}}},
    {131,
     StripParams{StripKind::Cross, StripSet{true, true, Reveal::High, Reveal::High, Stagger::None},
                 StripSet{true, false, Reveal::Low, Reveal::High, Stagger::FromHigh}}},
    {132,
     StripParams{StripKind::Cross, StripSet{true, true, Reveal::Low, Reveal::High, Stagger::None},
                 StripSet{true, false, Reveal::High, Reveal::Low, Stagger::None}}},
    {133, corners(8, 0.3, false, false)},
    {134, corners(8, 0.3, true, false)},
    {135, corners(8, 0.3, false, true)},
    {136, corners(8, 0.3, true, true)},
    {137, SweepParams{SweepKind::Fan, SweepStart::TowardsTopLeft, false}},
    {138, SweepParams{SweepKind::Fan, SweepStart::TowardsTopRight, true}},
    {139, SweepParams{SweepKind::Half, SweepStart::Left, false}},
    {140, SweepParams{SweepKind::Half, SweepStart::Right, true}},
    {141, SweepParams{SweepKind::Burst, SweepStart::Up, false}},
    {142, SweepParams{SweepKind::Burst, SweepStart::Up, true}},
    {143,
     shape(ShapeKind::Rect, ShapeSpace::Frame, Anchor::Centre, ShapeMode::Out, Spin::Clockwise)},
    {144, shape(ShapeKind::Rect, ShapeSpace::Frame, Anchor::Centre, ShapeMode::Out,
                Spin::CounterClockwise)},
    {145,
     shape(ShapeKind::Star5, ShapeSpace::Iso, Anchor::Centre, ShapeMode::Out, Spin::Clockwise)},
    {146, shape(ShapeKind::Star5, ShapeSpace::Iso, Anchor::Centre, ShapeMode::Out,
                Spin::CounterClockwise)},
    {147, wipe(WipeGeometry::Single, WipeProfile::Speckle, 0.3, kBaseOrientation)},
    {148, wipe(WipeGeometry::Single, WipeProfile::Speckle, 0.3, kMirrorX)},
    {149, wipe(WipeGeometry::Single, WipeProfile::Speckle, 0.3, kTranspose)},
    {150, wipe(WipeGeometry::Single, WipeProfile::Speckle, 0.3, kTransposeMirrorY)},
    {151, SlideParams{SlideKind::Parallax, kMirrorX}},
    {152, SlideParams{SlideKind::Parallax, kBaseOrientation}},
    {153, SlideParams{SlideKind::Parallax, kTransposeMirrorY}},
    {154, SlideParams{SlideKind::Parallax, kTranspose}},
    {155, ScaleParams{ScaleCase::Squeeze155, kBaseOrientation}},
    {156, ScaleParams{ScaleCase::Squeeze155, kMirrorX}},
    {157, ScaleParams{ScaleCase::Squeeze155, kTranspose}},
    {158, ScaleParams{ScaleCase::Squeeze155, kTransposeMirrorY}},
    {159, StripParams{StripKind::Blinds, strips(true, Reveal::Out), StripSet{}}},
    {160, StripParams{StripKind::Blinds, strips(false, Reveal::Out), StripSet{}}},
    {161, StripParams{StripKind::Uneven, StripSet{}, StripSet{}, kBaseOrientation}},
    {162, StripParams{StripKind::Uneven, StripSet{}, StripSet{}, kMirrorX}},
    {163, StripParams{StripKind::Uneven, StripSet{}, StripSet{}, kTranspose}},
    {164, StripParams{StripKind::Uneven, StripSet{}, StripSet{}, kTransposeMirrorY}},
    {165, lines(false, false)},
    {166, lines(true, false)},
    {167, lines(false, true)},
    {168, lines(true, true)},
    {169, PathParams{PathKind::SpiralClockwise}},
    {170, PathParams{PathKind::SpiralCounterClockwise}},
    {171, wipe(WipeGeometry::Single, WipeProfile::Chevron, 0.3, kBaseOrientation)},
    {172, wipe(WipeGeometry::Single, WipeProfile::Chevron, 0.3, kMirrorX)},
    {173, wipe(WipeGeometry::Single, WipeProfile::Chevron, 0.3, kTranspose)},
    {174, wipe(WipeGeometry::Single, WipeProfile::Chevron, 0.3, kTransposeMirrorY)},
    {175, wipe(WipeGeometry::InVer, WipeProfile::Chevron, 1.0, kBaseOrientation)},
    {176, wipe(WipeGeometry::InHor, WipeProfile::Chevron, 1.0, kBaseOrientation)},
    {177, shape(ShapeKind::X, ShapeSpace::Iso, Anchor::Centre, ShapeMode::Out, Spin::None)},
    {178, shape(ShapeKind::X, ShapeSpace::Iso, Anchor::Centre, ShapeMode::In, Spin::None)},
    {179, wipe(WipeGeometry::OutHor, WipeProfile::Zigzag, 0.1, kBaseOrientation)},
    {180, wipe(WipeGeometry::OutVer, WipeProfile::Zigzag, 0.1, kBaseOrientation)},
    {181, shape(ShapeKind::Diamond, ShapeSpace::Frame, Anchor::Centre, ShapeMode::Out, Spin::None)},
    {182, shape(ShapeKind::Diamond, ShapeSpace::Frame, Anchor::Centre, ShapeMode::In, Spin::None)},
    {183, cells(6, CellKey::Diagonal, Growth::Box, 0.4)},
    {184, shape(ShapeKind::Triangle, ShapeSpace::Iso, Anchor::Centre, ShapeMode::Out, Spin::None)},
    {185, cells(4, CellKey::Rank, Growth::Instant, 1.0)},
    {186, FlipParams{kBaseOrientation}},
    {187, FlipParams{kTranspose}},
    {188, FlipParams{kMirrorX}},
    {189, FlipParams{kTransposeMirrorY}},
    {190, wipe(WipeGeometry::InHor, WipeProfile::Zigzag, 0.1, kBaseOrientation)},
    {191, wipe(WipeGeometry::InVer, WipeProfile::Zigzag, 0.1, kBaseOrientation)},
    {192, cellShapes(4, CellKey::Random, 0.5, ShapeKind::Heart, true)},
    {193, cellShapes(4, CellKey::Random, 0.5, ShapeKind::Star5, true)},
    {194, cellShapes(4, CellKey::Random, 0.5, ShapeKind::Star6, true)},
    {195, cellShapes(4, CellKey::Random, 0.5, ShapeKind::Explosion, true)},
    {196, cellShapes(4, CellKey::Zero, 1.0, ShapeKind::Heart, false)},
    {197, cellShapes(4, CellKey::Zero, 1.0, ShapeKind::Star5, false)},
    {198, cellShapes(4, CellKey::Zero, 1.0, ShapeKind::Star6, false)},
    {199, cellShapes(4, CellKey::Zero, 1.0, ShapeKind::Explosion, false)},
    {200, cellShapes(4, CellKey::Zero, 1.0, ShapeKind::Bolt, false)},
    {201, shape(ShapeKind::Heart, ShapeSpace::Iso, Anchor::Centre, ShapeMode::Out, Spin::None)},
    {202, shape(ShapeKind::Heart, ShapeSpace::Iso, Anchor::Centre, ShapeMode::In, Spin::None)},
    {203, shape(ShapeKind::Star5, ShapeSpace::Iso, Anchor::Centre, ShapeMode::Out, Spin::None)},
    {204, shape(ShapeKind::Star5, ShapeSpace::Iso, Anchor::Centre, ShapeMode::In, Spin::None)},
    {205, shape(ShapeKind::Star6, ShapeSpace::Iso, Anchor::Centre, ShapeMode::Out, Spin::None)},
    {206, shape(ShapeKind::Star6, ShapeSpace::Iso, Anchor::Centre, ShapeMode::In, Spin::None)},
    {207, shape(ShapeKind::Explosion, ShapeSpace::Iso, Anchor::Centre, ShapeMode::Out, Spin::None)},
    {208, shape(ShapeKind::Explosion, ShapeSpace::Iso, Anchor::Centre, ShapeMode::In, Spin::None)},
    {209, shape(ShapeKind::Plus, ShapeSpace::Iso, Anchor::Centre, ShapeMode::Out, Spin::None)},
    {210, shape(ShapeKind::Plus, ShapeSpace::Iso, Anchor::Centre, ShapeMode::In, Spin::None)},
    {211, shape(ShapeKind::Heart, ShapeSpace::Iso, Anchor::Centre, ShapeMode::InOut, Spin::None)},
    {212, shape(ShapeKind::Star5, ShapeSpace::Iso, Anchor::Centre, ShapeMode::InOut, Spin::None)},
    {213, shape(ShapeKind::Star6, ShapeSpace::Iso, Anchor::Centre, ShapeMode::InOut, Spin::None)},
    {214,
     shape(ShapeKind::Explosion, ShapeSpace::Iso, Anchor::Centre, ShapeMode::InOut, Spin::None)},
    {215, CubeParams{false, kBaseOrientation}},
    {216, CubeParams{false, kMirrorX}},
    {217, CubeParams{false, kTranspose}},
    {218, CubeParams{false, kTransposeMirrorY}},
    {219, wipe(WipeGeometry::Single, WipeProfile::Soft, 0.2, kBaseOrientation)},
    {220, wipe(WipeGeometry::Single, WipeProfile::Soft, 0.2, kMirrorX)},
    {221, wipe(WipeGeometry::Single, WipeProfile::Soft, 0.2, kTranspose)},
    {222, wipe(WipeGeometry::Single, WipeProfile::Soft, 0.2, kTransposeMirrorY)},
    {223, TwistParams{true, false}},
    {224, TwistParams{false, false}},
    {225, TwistParams{true, true}},
    {226, TwistParams{false, true}},
    {227, PuzzleParams{}},
    {228, PacmanParams{1, PacmanTiming::Single, 1}},
    {229, PacmanParams{1, PacmanTiming::Single, -1}},
    {230, PacmanParams{3, PacmanTiming::Serpentine}},
    {231, PacmanParams{4, PacmanTiming::Serpentine}},
    {232, PacmanParams{2, PacmanTiming::Together}},
    {233, PacmanParams{4, PacmanTiming::Together}},
    {234, PacmanParams{6, PacmanTiming::Together}},
    {235, SweepParams{SweepKind::Full, SweepStart::Up, false}},
    {236, SweepParams{SweepKind::FullReach, SweepStart::Up, false}},
    {237, CubeParams{true, kBaseOrientation}},
    {238, CubeParams{true, kMirrorX}},
    {239, CubeParams{true, kTranspose}},
    {240, CubeParams{true, kTransposeMirrorY}},
    {241, WordParams{WordPattern::RandomBoxes, WordPattern::RandomBoxes}},
    {242, WordParams{WordPattern::RandomPoints, WordPattern::RandomPoints}},
    {243, WordParams{WordPattern::ScaledWord, WordPattern::CircleOut}},
    {244, WordParams{WordPattern::CircleOut, WordPattern::CircleOut}},
    {245, WordParams{WordPattern::CircleIn, WordPattern::CircleIn}},
    {246, WordParams{WordPattern::CircleOut, WordPattern::CircleIn}},
    {247, WordParams{WordPattern::HalfSweep, WordPattern::HalfSweep}},
    {248, WordParams{WordPattern::FullSweep, WordPattern::FullSweep}},
    {249, WordParams{WordPattern::FullReachSweep, WordPattern::FullReachSweep}},
    {250, PanZoomParams{0.15}},
}};

} // namespace

std::span<const RegistryEntry> registry()
{
    return kRegistry;
}

const EffectParams& effectParams(int ordinal)
{
    assert(ordinal >= 0 && ordinal < int(kRegistry.size()));
    return kRegistry[std::size_t(ordinal)].params;
}

const char* familyName(Family family)
{
    static constexpr std::array<const char*, 19> kNames = {
        "CUT",   "FADE", "WIPE", "SHAPE", "SWEEP", "STRIP",  "BARS",   "CELL", "PATH",   "SLIDE",
        "SCALE", "ROLL", "FLIP", "CUBE",  "TWIST", "PUZZLE", "PACMAN", "WORD", "PANZOOM"};
    return kNames[std::size_t(family)];
}

std::unique_ptr<Effect> createEffect(int ordinal, const EffectContext& context)
{
    return std::visit([&](const auto& params) { return makeEffect(params, context); },
                      effectParams(ordinal));
}

} // namespace vistarel::render::transitions
