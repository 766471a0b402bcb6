#pragma once

#include <QString>

namespace vistarel::project {

// The per-user application-data folder, with a trailing '/': home of the render work
// files, "render.log", "error.log" and the clip-thumbnail cache. It is the generic data
// location plus "Tarvik Software/Vistarel/", or the folder named by the environment
// variable VISTAREL_APPDATA. Created, with missing parents, on every call.
QString AppDataDir();

// The folder the program's executable lies in, with a trailing '/'.
QString executableDir();

} // namespace vistarel::project
