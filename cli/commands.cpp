#include "cli/commands.h"

#include <array>

namespace vistarel::cli {

std::span<const Command> commands()
{
    static const std::array<Command, 7> table = {{
        {"info", "[--json] [--skip-missing] PROJECT.vrj", "print a project", runInfo},
        {"save-as", "[--skip-missing] IN.vrj OUT.vrj", "read a project and write it again",
         runSaveAs},
        {"rtf", "[--json] FILE.rtf", "show how a subtitle's RTF is read", runRtf},
        {"subtitle", "(FILE.rtf|TEXT) --out PICTURE.png [--size WxH] [options]",
         "draw a subtitle onto a grey picture", runSubtitle},
        {"transitions", "--list | --sheet OUT.png [--size WxH] [--effects LIST]",
         "list the transition effects or draw them as a contact sheet", runTransitions},
        {"render", "PROJECT.vrj [--output FILE] [--size WxH] [--keep-work] [--open]",
         "render a project's video with its own output settings (Ctrl-C cancels)", runRender},
        {"demo", "[--output FILE]",
         "make a small show from generated media, save it beside FILE and render it", runDemo},
    }};
    return table;
}

} // namespace vistarel::cli
