#include "cli/commands.h"

#include <array>

namespace vistarel::cli {

std::span<const Command> commands()
{
    static const std::array<Command, 5> table = {{
        {"info", "[--json] [--skip-missing] PROJECT.vrj", "print a project", runInfo},
        {"save-as", "[--skip-missing] IN.vrj OUT.vrj", "read a project and write it again",
         runSaveAs},
        {"rtf", "[--json] FILE.rtf", "show how a subtitle's RTF is read", runRtf},
        {"subtitle", "(FILE.rtf|TEXT) --out PICTURE.png [--size WxH] [options]",
         "draw a subtitle onto a grey picture", runSubtitle},
        {"transitions", "--list | --sheet OUT.png [--size WxH] [--effects LIST]",
         "list the transition effects or draw them as a contact sheet", runTransitions},
    }};
    return table;
}

} // namespace vistarel::cli
