#include "cli/commands.h"

#include <array>

namespace vistarel::cli {

std::span<const Command> commands()
{
    static const std::array<Command, 2> table = {{
        {"info", "[--json] [--skip-missing] PROJECT.vrj", "print a project", runInfo},
        {"save-as", "[--skip-missing] IN.vrj OUT.vrj", "read a project and write it again",
         runSaveAs},
    }};
    return table;
}

} // namespace vistarel::cli
