#pragma once

#include <QString>

#include <functional>

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

// Review scenes of step 3 and the render: "step3" shows step 3 of `project`; "render"
// also starts the render (the screenshot then shows the progress page mid-render);
// "rendered" renders and calls `rendered` when the job has ended.
void showStep3Scene(TFormMain& window, const QString& scene, const QString& project,
                    const std::function<void()>& rendered);

} // namespace vistarel::app
