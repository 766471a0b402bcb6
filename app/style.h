#pragma once

#include <QColor>

class QApplication;

namespace vistarel::app {

// The window's colours. Every page, panel and dialog takes its colours from here so the
// dark look stays one look.
namespace colour {
inline const QColor kPage{0x32, 0x32, 0x32};        // page and window background
inline const QColor kEdit{0x3F, 0x3F, 0x3F};        // lists and edit fields
inline const QColor kAccent{0x2E, 0x9F, 0xFC};      // selections, links, frames, splitter
inline const QColor kPanel{39, 39, 39};             // overlay panels (start, confirmation)
inline const QColor kRow{42, 42, 42};               // rows of the recent list
inline const QColor kRowLine{74, 74, 74};           // lines between rows, borders
inline const QColor kDimText{168, 168, 168};        // secondary text
inline const QColor kTitleBar{0x1F, 0x1F, 0x1F};    // title bar background
inline const QColor kTile{17, 120, 184};            // language tile
inline const QColor kTileHover{74, 185, 255};       // language tile under the mouse
inline const QColor kCloseHover{0xE8, 0x11, 0x23};  // close button under the mouse
inline const QColor kButton{0x4A, 0x4A, 0x4A};      // secondary buttons
} // namespace colour

// Design sizes are Qt's device-independent pixels: Qt scales them to the screen, so a
// design value v is used as it stands.
inline constexpr int kTitleBarHeight = 38;
inline constexpr int kStepControlHeight = 70;
inline constexpr int kFrameThickness = 4;
inline constexpr int kDesignWidth = 1024;
inline constexpr int kDesignHeight = 768;
inline constexpr int kBaseFontPixels = 13;

// The application font (the platform's sans at 13 pixels) and the style sheet of the
// dark look. Buttons take their look from the dynamic property "role": "primary"
// (accent blue), "secondary" (grey) or "link" (accent text that turns white on hover).
void applyDarkStyle(QApplication& app);

} // namespace vistarel::app
