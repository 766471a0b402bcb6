#pragma once

#include <sys/types.h>

#include <vector>

namespace vistarel::render {

// The ids of the running processes whose parent is `pid`, read from /proc. Processes
// that vanish while the folder is read are skipped.
std::vector<pid_t> childProcessIds(pid_t pid);

// Terminates process `pid` and all its descendants (SIGKILL). Each process is stopped
// first so that it cannot start new children while its own are looked up; then its
// children are killed depth first, then the process itself. Failures (already gone, no
// permission) are ignored; ids below 2 and our own id are refused.
void KillProcessTree(pid_t pid);

} // namespace vistarel::render
