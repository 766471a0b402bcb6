#pragma once

#include <QIcon>

namespace vistarel::app {

// The pictures of the subtitle toolbar, drawn at any density.
enum class ToolIcon {
    Bold,
    Italic,
    Underline,
    Strikeout,
    Colour,
    AlignLeft,
    AlignCenter,
    AlignRight,
    FontSmaller,
    FontLarger,
};

QIcon toolIcon(ToolIcon icon);

} // namespace vistarel::app
