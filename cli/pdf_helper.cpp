#include "cli/pdf_helper.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

extern char** environ;

namespace tsumiki::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kHelperName = "tsumiki-pdf";
// Far above any month's page; a program writing more is not drawing a roster.
constexpr std::size_t kOutputLimit = std::size_t{256} << 20;

bool IsProgram(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

// Closes a descriptor once, however the run ends.
struct Descriptor {
  int fd = -1;
  ~Descriptor() { Close(); }
  void Close() {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
};

// The input as a file already read to its end by nobody: the program reads it at
// its own pace and this process never blocks on a full pipe, nor receives a
// SIGPIPE when the program stops reading.
int InputFile(std::string_view input) {
  const int fd = ::memfd_create("tsumiki-pages", MFD_CLOEXEC);
  if (fd < 0) return -1;
  while (!input.empty()) {
    const ssize_t written = ::write(fd, input.data(), input.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      ::close(fd);
      return -1;
    }
    input.remove_prefix(static_cast<std::size_t>(written));
  }
  if (::lseek(fd, 0, SEEK_SET) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

pid_t Start(const fs::path& program, int in_fd, int out_fd) {
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_adddup2(&files, in_fd, STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&files, out_fd, STDOUT_FILENO);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  // Interrupts may be held by this process; the program starts with none held
  // and the default actions.
  sigset_t none;
  sigemptyset(&none);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGINT);
  sigaddset(&defaults, SIGTERM);
  sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF |
                                            POSIX_SPAWN_SETPGROUP);
  std::string name = program.string();
  char* argv[] = {name.data(), nullptr};
  pid_t pid = -1;
  const int error = ::posix_spawn(&pid, name.c_str(), &files, &attributes, argv, environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&files);
  return error == 0 ? pid : -1;
}

int Reap(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return status;
}

FilterRun::End Ended(pid_t pid, bool complete) {
  const int status = Reap(pid);
  return complete && status >= 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0
             ? FilterRun::End::kDone
             : FilterRun::End::kFailed;
}

}  // namespace

std::optional<fs::path> FindPdfHelper() {
  if (const char* named = std::getenv(kPdfHelperVariable); named != nullptr && *named != '\0') {
    return IsProgram(named) ? std::optional<fs::path>(named) : std::nullopt;
  }
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  std::vector<fs::path> places;
  if (!ec) places.push_back(self.parent_path().parent_path() / "libexec/tsumiki" / kHelperName);
#ifdef TSUMIKI_LIBEXEC_DIR
  places.push_back(fs::path(TSUMIKI_LIBEXEC_DIR) / kHelperName);
#endif
  // The build tree: cli/tsumiki beside print/tsumiki-pdf.
  if (!ec) places.push_back(self.parent_path().parent_path() / "print" / kHelperName);
  for (const fs::path& place : places) {
    if (IsProgram(place)) return place;
  }
  return std::nullopt;
}

FilterRun RunFilter(const fs::path& program, std::string_view input,
                    const std::function<bool()>& stop) {
  FilterRun run;
  Descriptor in{InputFile(input)};
  int pipe_fds[2];
  if (in.fd < 0 || ::pipe2(pipe_fds, O_CLOEXEC) != 0) return run;
  Descriptor out{pipe_fds[0]};
  Descriptor out_end{pipe_fds[1]};
  const pid_t pid = Start(program, in.fd, out_end.fd);
  out_end.Close();  // the output ends when the program's copy is closed
  in.Close();
  if (pid < 0) return run;
  char buffer[65536];
  for (;;) {
    if (stop()) {
      ::kill(-pid, SIGKILL);  // the program and whatever it started
      Reap(pid);
      run.end = FilterRun::End::kStopped;
      return run;
    }
    pollfd ready{out.fd, POLLIN, 0};
    const int polled = ::poll(&ready, 1, 50);
    if (polled < 0 && errno != EINTR) {
      ::kill(-pid, SIGKILL);  // the program and whatever it started
      run.end = Ended(pid, false);
      return run;
    }
    if (polled <= 0) continue;  // a timeout, or a signal to look at
    const ssize_t got = ::read(out.fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0 || run.output.size() + static_cast<std::size_t>(got) > kOutputLimit) {
      const bool complete = got == 0;
      if (!complete) ::kill(-pid, SIGKILL);  // the program and whatever it started
      run.end = Ended(pid, complete);
      return run;
    }
    run.output.append(buffer, static_cast<std::size_t>(got));
  }
}

}  // namespace tsumiki::cli
