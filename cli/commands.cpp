#include "cli/commands.h"

#include <array>

namespace vistarel::cli {

std::span<const Command> commands()
{
    static const std::array<Command, 3> table = {{
        {"info", "[--json] [--skip-missing] PROJECT.vrj", "print a project", runInfo},
        {"save-as", "[--skip-missing] IN.vrj OUT.vrj", "read a project and write it again",
         runSaveAs},
        {"transitions", "--list | --sheet OUT.png [--size WxH] [--effects LIST]",
         "list the transition effects or draw them as a contact sheet", runTransitions},
    }};
    return table;
}

} // namespace vistarel::cli
