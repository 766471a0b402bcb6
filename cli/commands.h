#pragma once

#include "cli/clicontext.h"

#include <QString>

#include <span>

namespace vistarel::cli {

struct Command
{
    const char* name;
    const char* usage;   // arguments, for the usage text
    const char* summary; // one line
    int (*run)(CliContext& context);
};

// Every command of vistarel-cli, in the order the usage text lists them.
std::span<const Command> commands();

// The commands, defined in their own files.
int runInfo(CliContext& context);
int runSaveAs(CliContext& context);
int runRtf(CliContext& context);
int runSubtitle(CliContext& context);
int runTransitions(CliContext& context);
int runRender(CliContext& context);
int runDemo(CliContext& context);

} // namespace vistarel::cli
