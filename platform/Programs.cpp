#include "platform/Programs.h"

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

// A shell starts the program in the background and ends at once, so the program
// outlives nothing of ours and leaves no zombie; a program the shell cannot find
// ends the shell with a failure.
bool SpawnDetached(const std::string& Program, const std::string& Param) {
    static const char* const Script = "command -v \"$0\" >/dev/null 2>&1 || exit 127; \"$0\" \"$1\" >/dev/null 2>&1 &";
    char* argv[] = {const_cast<char*>("/bin/sh"), const_cast<char*>("-c"), const_cast<char*>(Script),
                    const_cast<char*>(Program.c_str()), const_cast<char*>(Param.c_str()), nullptr};
    pid_t sh;
    if (posix_spawn(&sh, "/bin/sh", nullptr, nullptr, argv, environ) != 0) return false;
    int status = 0;
    if (waitpid(sh, &status, 0) != sh) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

std::function<bool(const std::string&, const std::string&)> StartProgram = SpawnDetached;

void ResetPrograms() { StartProgram = SpawnDetached; }

std::function<bool(const std::string&)> OpenDocument;
