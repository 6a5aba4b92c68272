#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace tsumiki::testing {

// Runs `check` in a child process as the unprivileged user "nobody" (65534) and
// returns what it returned; false when the child could not become that user.
// Only root can do this: callers skip otherwise.
inline bool AsOtherUser(const std::function<bool()>& check) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
    ::_exit(check() ? 0 : 1);
  }
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

}  // namespace tsumiki::testing
