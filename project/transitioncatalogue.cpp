#include "project/transitioncatalogue.h"

#include <QHash>

#include <array>

namespace vistarel::project {

namespace {

constexpr std::array<const char*, kTransitionCount> kIdentifiers = {
    "iettNone", "iettCrossDissolve", "iettFadeOut", "iettFadeIn", "iettFadeOutIn", "iettLeftRight",
    "iettZigzagLeftRight", "iettRightLeft", "iettZigzagRightLeft", "iettUpDown",
    "iettZigzagUpDown", "iettDownUp", "iettZigzagDownUp", "iettFromUpLeft", "iettFromUpRight",
    "iettFromBottomLeft", "iettFromBottomRight", "iettMoveLeftRight1", "iettMoveLeftRight2",
    "iettMoveRightLeft1", "iettMoveRightLeft2", "iettMoveUpDown1", "iettMoveUpDown2",
    "iettMoveDownUp1", "iettMoveDownUp2", "iettRandomPoints", "iettRandomBoxes", "iettCenter1",
    "iettCenter2", "iettCenterZoom1", "iettCenterZoom2", "iettExpandFromLeft",
    "iettExpandFromRight", "iettExpandFromTop", "iettExpandFromBottom", "iettExpandFromTopLeft",
    "iettExpandFromTopRight", "iettExpandFromBottomLeft", "iettExpandFromBottomRight",
    "iettExpandInFromLeft", "iettExpandInFromRight", "iettExpandInFromTop",
    "iettExpandInFromBottom", "iettExpandInToVerticalCenter", "iettExpandInToHorizon",
    "iettExpandInFromSides", "iettExpandInFromTopAndBottom", "iettExpandOutFromHorizon",
    "iettExpandOutFromVerticalCenter", "iettWipeFromTopLeft", "iettWipeFromTopRight",
    "iettWipeFromBottomLeft", "iettWipeFromBottomRight", "iettWipeInFromTopAndBottom",
    "iettWipeFromHorizon", "iettWipeInFromSides", "iettWipeOutFromVerticalCenter",
    "iettBuildUpFromLeft", "iettBuildUpFromRight", "iettBuildUpFromTop", "iettBuildUpFromBottom",
    "iettUnrollFromLeft", "iettUnrollFromRight", "iettUnrollFromTop", "iettUnrollFromBottom",
    "iettSlideInFromLeft", "iettSlideInFromRight", "iettSlideInFromTop", "iettSlideInFromBottom",
    "iettShrinkToTopLeft", "iettShrinkToTopRight", "iettShrinkToBottomLeft",
    "iettShrinkToBottomRight", "iettShrinkToCenter", "iettQuartersWipeInToCenter",
    "iettQuartersExpandToCenter", "iettQuartersSlideInToCenter", "iettCurvedWipeFromLeft",
    "iettCurvedWipeFromRight", "iettCurvedWipeFromTop", "iettCurvedWipeFromBottom",
    "iettCurvedWipeFromTopLeft", "iettCurvedWipeFromTopRight", "iettCurvedWipeFromBottomLeft",
    "iettCurvedWipeFromBottomRight", "iettBarsInFromLeft", "iettBarsInFromRight",
    "iettBarsFromTop", "iettBarsFromBottom", "iettBarsLeftThenRight", "iettBarsRightThenLeft",
    "iettBarsTopThenBottom", "iettBarsBottomThenTop", "iettBarsFromBothSides",
    "iettBarsFromTopAndBottom", "iettShreddedFromLeft", "iettShreddedFromRight",
    "iettShreddedFromTop", "iettShreddedFromBottom", "iettShreddedFromTopAndLeft",
    "iettShreddedFromTopAndRight", "iettShreddedFromBottomAndLeft",
    "iettShreddedFromBottomAndRight", "iettShreddedFromHorizonAndLeft",
    "iettShreddedFromHorizonAndRight", "iettShreddedFromTopAndVerticalCenter",
    "iettShreddedFromBottomAndVerticalCenter", "iettShreddedFromCenter", "iettShreddedToCenter",
    "iettShreddedInToHorizon", "iettShreddedInToVerticalCenter", "iettShreddedOutFromHorizon",
    "iettShreddedOutFromVerticalCenter", "iettExpandingRectangles", "iettExpandingTriangles",
    "iettExpandingCircles", "iettExpandingDiamonds", "iettCircularWipeFromCenter",
    "iettCircularWipeToCenter", "iettCrisscrossWipeFromTopLeft", "iettCrisscrossWipeFromTopRight",
    "iettCrisscrossWipeFromBottomLeft", "iettCrisscrossWipeFromBottomRight",
    "iettCrisscrossWipeBounceFromTopLeft", "iettCrisscrossWipeBounceFromTopRight",
    "iettCrisscrossWipeBounceFromBottomLeft", "iettCrisscrossWipeBounceFromBottomRight",
    "iettCrisscrossWipeFromLeftRightAndTop", "iettCrisscrossWipeFromLeftRightAndBottom",
    "iettCrisscrossWipeFromLeftTopAndBottom", "iettCrisscrossWipeFromTopLeftRightAndBottom",
    "iettCrisscrossWipeFromRightTopAndBottom", "iettCrisscrossWipeFromBottomLeftTopRight",
    "iettWipeDiagonalFromTopLeft", "iettWipeDiagonalFromTopRight",
    "iettWipeDiagonalFromBottomLeft", "iettWipeDiagonalFromBottomRight",
    "iettDiagonalSweepClockwise", "iettDiagonalSweepCounterClockwise", "iettSweepClockwise",
    "iettSweepCounterClockwise", "iettStarburstClockwiseFromCenter",
    "iettStarburstCounterClockwiseFromCenter", "iettRotationalRectangle",
    "iettRotationalRectangleCounterClockwise", "iettRotationalStar",
    "iettRotationalStarCounterClockwise", "iettSpeckledWipeFromLeft", "iettSpeckledWipeFromRight",
    "iettSpeckledWipeFromTop", "iettSpeckledWipeFromBottom", "iettPushLeftAndSlideOut",
    "iettPushRightAndSlideOut", "iettPushUpAndSlideOut", "iettPushDownAndSlideOut",
    "iettPushAndSqueezeLeft", "iettPushAndSqueezeRight", "iettPushAndSqueezeUp",
    "iettPushAndSqueezeDown", "iettHorizontalBlinds", "iettVerticalBlinds",
    "iettUnevenBlindsFromLeft", "iettUnevenBlindsFromRight", "iettUnevenBlindsFromTop",
    "iettUnevenBlindsFromBottom", "iettRectanglesFromTheLeft", "iettRectanglesFromTheRight",
    "iettRectanglesFromTheTop", "iettRectanglesFromTheBottom", "iettSpirallingRectangleClockwise",
    "iettSpirallingRectangleCounterClockwise", "iettArrowWipeFromLeft", "iettArrowWipeFromRight",
    "iettArrowWipeFromTop", "iettArrowWipeFromBottom", "iettHorizontalBowTieWipe",
    "iettVerticalBowTieWipe", "iettDiagonalCrossFromCenter", "iettDiagonalCrossToCenter",
    "iettZigzagWipeFromHorizon", "iettZigzagWipeFromVerticalCenter", "iettDiamondWipeFromCenter",
    "iettDiamondWipeToCenter", "iettDiagonalBoxWipe", "iettTriangularWipe", "iettRandomBigBoxes",
    "iettPageFlip", "iettPageFlip2", "iettReversePageFlip", "iettReversePageFlip2",
    "iettZigzagWipeToHorizon", "iettZigzagWipeToVerticalCenter", "iettRandomHearts",
    "iettRandomStar5s", "iettRandomStar6s", "iettRandomExplosions", "iettExpandingHearts",
    "iettExpandingStar5", "iettExpandingStar6", "iettExpandingExplosions",
    "iettExpandingLightningBolts", "iettHeartWipeOut", "iettHeartWipeIn", "iettStar5WipeOut",
    "iettStar5WipeIn", "iettStar6WipeOut", "iettStar6WipeIn", "iettExplosionWipeOut",
    "iettExplosionWipeIn", "iettCrossWipeOut", "iettCrossWipeIn", "iettHeartWipeInAndOut",
    "iettStar5WipeInAndOut", "iettStar6WipeInAndOut", "iettExplosionWipeInAndOut",
    "iettCubeRotateFromLeft", "iettCubeRotateFromRight", "iettCubeRotateFromTop",
    "iettCubeRotateFromBottom", "iettSoftWipeFromLeft", "iettSoftWipeFromRight",
    "iettSoftWipeFromTop", "iettSoftWipeFromBottom", "iettAngledTwistIn", "iettAngledTwistOut",
    "iettMultipleAngledTwistIn", "iettMultipleAngledTwistOut", "iettRandomPuzzlePieces",
    "iettPacmanFromLeft", "iettPacmanFromRight", "iettPacman3Row", "iettPacman4Row",
    "iettPacman2SimRow", "iettPacman4SimRow", "iettPacman6SimRow", "iettFullSweepClockwise",
    "iettExpandingSweepClockwise", "iettCubeRotateFromLeft2", "iettCubeRotateFromRight2",
    "iettCubeRotateFromTop2", "iettCubeRotateFromBottom2", "iettRandomBoxesWithWord",
    "iettRandomWord", "iettExpandingWord", "iettWordWipeOut", "iettWordWipeIn",
    "iettWordWipeInAndOut", "iettWordHalfSweep", "iettWordFullSweep", "iettWordFullExpandingSweep",
    "iettPanZoom",
};

} // namespace

QString transitionIdentifier(int ordinal)
{
    if (ordinal < 0 || ordinal >= kTransitionCount)
        return {};
    return QString::fromLatin1(kIdentifiers[ordinal]);
}

std::optional<int> transitionOrdinal(const QString& identifier)
{
    static const QHash<QString, int> byName = [] {
        QHash<QString, int> map;
        for (int i = 0; i < kTransitionCount; ++i)
            map.insert(QString::fromLatin1(kIdentifiers[i]).toLower(), i);
        return map;
    }();
    const auto it = byName.constFind(identifier.toLower());
    if (it == byName.cend())
        return std::nullopt;
    return *it;
}

QString transitionListName(int ordinal)
{
    return transitionIdentifier(ordinal).mid(4);
}

} // namespace vistarel::project
