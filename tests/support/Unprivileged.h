#pragma once
// Runs a check as a user without special rights: in a forked child that drops
// to "nobody" when the tests run as root (root ignores file permissions), or
// directly otherwise. The check's result is the child's exit status.

#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

template <typename Check>
bool runUnprivileged(Check check) {
    if (::geteuid() != 0) return check();
    const passwd* nobody = ::getpwnam("nobody");
    if (!nobody) return false;
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) {
        if (::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0) ::_exit(2);
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace testsupport
