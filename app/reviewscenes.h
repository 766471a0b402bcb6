#pragma once

#include <QString>

namespace vistarel::app {

class TFormMain;

// Review scenes of step 2 (for screenshots under a virtual display, not for users).
// scene: "step2:<tab>[:<slide>[:<effect>[:<duration position>]]]" with tab one of
// display, effects, subtitle, audio, or autoeffects and applytoall for the panels.
// source is a project file to open or a folder whose media become the slides; the scene
// then leaves step 1 with "Weiter" as the user does. The
// subtitle scene types a formatted sample subtitle into the editor through its toolbar
// operations, commits it and, when rtfFile is given, writes the slide's RTF there.
void showStep2Scene(TFormMain& window, const QString& scene, const QString& source,
                    const QString& rtfFile);

} // namespace vistarel::app
