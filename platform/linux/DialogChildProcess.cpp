#include "platform/linux/DialogChildProcess.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace ambrel {
namespace {

constexpr int kWaitSliceMs = 20;

class Pipe {
public:
    Pipe() {
        if (::pipe2(ends, O_CLOEXEC) != 0) ends[0] = ends[1] = -1;
    }
    ~Pipe() {
        closeRead();
        closeWrite();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    bool ok() const { return ends[0] >= 0; }
    int readEnd() const { return ends[0]; }
    int writeEnd() const { return ends[1]; }
    void closeRead() { closeEnd(0); }
    void closeWrite() { closeEnd(1); }

private:
    void closeEnd(int i) {
        if (ends[i] >= 0) ::close(ends[i]);
        ends[i] = -1;
    }
    int ends[2];
};

// Reads everything the child prints, calling back between slices.
void collectOutput(int fd, std::string& output, const std::function<void()>& whileWaiting) {
    char buffer[4096];
    for (;;) {
        pollfd entry{fd, POLLIN, 0};
        const int ready = ::poll(&entry, 1, kWaitSliceMs);
        if (ready < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (ready == 0) {
            if (whileWaiting) whileWaiting();
            continue;
        }
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR || errno == EAGAIN) continue;
            return;
        }
        if (got == 0) return;  // the child closed its output: it is ending
        output.append(buffer, static_cast<std::size_t>(got));
    }
}

int waitForExit(pid_t child) {
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(child, &status, 0);
        if (done == child) break;
        if (done < 0 && errno == EINTR) continue;
        return -1;  // a host that ignores SIGCHLD has it reaped already
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

DialogProgramResult runDialogProgram(const std::vector<std::string>& argv,
                                     const std::function<void()>& whileWaiting) {
    DialogProgramResult result;
    if (argv.empty() || argv.front().empty()) return result;
    Pipe output;
    if (!output.ok()) return result;

    posix_spawn_file_actions_t actions;
    if (::posix_spawn_file_actions_init(&actions) != 0) return result;
    ::posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_adddup2(&actions, output.writeEnd(), 1);
    // The desktop toolkits chatter on their error output; it is nobody's business.
    ::posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);

    std::vector<char*> arguments;
    arguments.reserve(argv.size() + 1);
    for (const std::string& argument : argv) arguments.push_back(const_cast<char*>(argument.c_str()));
    arguments.push_back(nullptr);

    pid_t child = -1;
    const int spawned = ::posix_spawn(&child, argv.front().c_str(), &actions, nullptr, arguments.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return result;

    result.started = true;
    output.closeWrite();
    collectOutput(output.readEnd(), result.output, whileWaiting);
    result.exitCode = waitForExit(child);
    return result;
}

std::string findDialogProgram(const std::string& program, const std::string& searchPath) {
    if (program.empty() || program.find('/') != std::string::npos) return {};
    std::size_t start = 0;
    while (start <= searchPath.size()) {
        std::size_t end = searchPath.find(':', start);
        if (end == std::string::npos) end = searchPath.size();
        const std::string folder = searchPath.substr(start, end - start);
        if (!folder.empty() && folder.front() == '/') {  // a relative folder would depend on the host's directory
            const std::string candidate = folder + "/" + program;
            struct stat info {};
            if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
                ::access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        start = end + 1;
    }
    return {};
}

}  // namespace ambrel
