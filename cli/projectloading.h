#pragma once

#include "cli/clicontext.h"
#include "project/outputsettings.h"

namespace vistarel::project {
class SlideList;
}

namespace vistarel::cli {

// Reads a project for a command. Missing media are an error naming the file (exit 1)
// unless skipMissing, which skips them with a warning. Returns kExitOk on success.
int loadProjectForCli(CliContext& context, const QString& path, bool skipMissing,
                      project::SlideList& slides, project::OutputSettings& output);

} // namespace vistarel::cli
