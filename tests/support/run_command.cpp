#include "support/run_command.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

#include "support/test_paths.h"

namespace navelo::test {

namespace {
std::string slurp(const std::string& path) {
    auto bytes = readFile(path);
    return {bytes.begin(), bytes.end()};
}
}  // namespace

CommandResult runCommand(const std::vector<std::string>& argv) {
    TempDir tmp;
    const std::string outPath = (tmp / "out").string(), errPath = (tmp / "err").string();
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int in = open("/dev/null", O_RDONLY);
        dup2(out, 1);
        dup2(err, 2);
        dup2(in, 0);
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    CommandResult r;
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    r.out = slurp(outPath);
    r.err = slurp(errPath);
    return r;
}

}  // namespace navelo::test
