#include "render/tools/processtree.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vistarel::render {

namespace {

// The parent id from /proc/<pid>/stat ("pid (name) state ppid ..."); the name may hold
// blanks and parentheses, so the fields are read after the last ')'. -1 when unreadable.
pid_t parentIdOf(const char* pidText)
{
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%s/stat", pidText);
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    char buffer[1024];
    const ssize_t size = ::read(fd, buffer, sizeof buffer - 1);
    ::close(fd);
    if (size <= 0)
        return -1;
    buffer[size] = '\0';
    const char* nameEnd = std::strrchr(buffer, ')');
    if (!nameEnd)
        return -1;
    char state = 0;
    int parent = -1;
    if (std::sscanf(nameEnd + 1, " %c %d", &state, &parent) != 2)
        return -1;
    return parent;
}

bool isProcessIdName(const char* name)
{
    if (*name == '\0')
        return false;
    for (const char* c = name; *c; ++c) {
        if (*c < '0' || *c > '9')
            return false;
    }
    return true;
}

} // namespace

std::vector<pid_t> childProcessIds(pid_t pid)
{
    std::vector<pid_t> children;
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return children;
    while (const dirent* entry = ::readdir(proc)) {
        if (isProcessIdName(entry->d_name) && parentIdOf(entry->d_name) == pid)
            children.push_back(static_cast<pid_t>(std::atoi(entry->d_name)));
    }
    ::closedir(proc);
    return children;
}

void KillProcessTree(pid_t pid)
{
    if (pid < 2 || pid == ::getpid())
        return;
    ::kill(pid, SIGSTOP);
    for (const pid_t child : childProcessIds(pid))
        KillProcessTree(child);
    ::kill(pid, SIGKILL);
}

} // namespace vistarel::render
