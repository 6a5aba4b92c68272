#include "exact/child_solve.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace tsumiki::exact {

namespace {

constexpr int kPollMs = 10;

// What crosses the pipe ahead of the values.
struct Header {
  std::int32_t status = 0;
  std::int32_t padding = 0;
  double objective = 0;
  std::int64_t count = 0;
};

bool WriteAll(int fd, const void* data, std::size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written = write(fd, bytes, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

[[noreturn]] void SolveAndReport(const LinearModel& lp, SolveLimits limits, int fd) {
  // Ctrl-C and the like belong to the parent, which kills this process when it
  // stops; the parent's handlers must not run here.
  signal(SIGINT, SIG_DFL);
  signal(SIGTERM, SIG_DFL);
  signal(SIGHUP, SIG_DFL);
  // The parent watches the stop flag; nothing would set it here.
  limits.stop = nullptr;
  const SolveResult result = SolveWithCbc(lp, limits);
  Header header;
  header.status = static_cast<std::int32_t>(result.status);
  header.objective = result.objective;
  header.count = static_cast<std::int64_t>(result.values.size());
  const bool sent = WriteAll(fd, &header, sizeof header) &&
                    WriteAll(fd, result.values.data(), result.values.size() * sizeof(double));
  // _exit: the parent's atexit handlers and stdio buffers are not this process's.
  _exit(sent ? 0 : 1);
}

// Reads exactly `size` bytes unless the stop comes first or the child dies.
bool ReadAll(int fd, void* data, std::size_t size, const std::atomic<bool>* stop) {
  char* bytes = static_cast<char*>(data);
  while (size > 0) {
    pollfd waiting{fd, POLLIN, 0};
    const int ready = poll(&waiting, 1, kPollMs);
    if (Stopping(stop)) return false;
    if (ready < 0 && errno != EINTR) return false;
    if (ready <= 0) continue;
    const ssize_t got = read(fd, bytes, size);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    bytes += got;
    size -= static_cast<std::size_t>(got);
  }
  return true;
}

SolveResult ReadReport(int fd, const std::atomic<bool>* stop) {
  SolveResult result;
  Header header;
  if (!ReadAll(fd, &header, sizeof header, stop) || header.count < 0) return result;
  std::vector<double> values(static_cast<std::size_t>(header.count));
  if (!ReadAll(fd, values.data(), values.size() * sizeof(double), stop)) return result;
  result.status = static_cast<SolveStatus>(header.status);
  result.objective = header.objective;
  result.values = std::move(values);
  return result;
}

}  // namespace

SolveResult SolveInChild(const LinearModel& lp, const SolveLimits& limits) {
  if (Stopping(limits.stop)) return SolveResult{};
  int fds[2];
  if (pipe(fds) != 0) return SolveWithCbc(lp, limits);
  const pid_t child = fork();
  if (child < 0) {
    close(fds[0]);
    close(fds[1]);
    return SolveWithCbc(lp, limits);
  }
  if (child == 0) {
    close(fds[0]);
    SolveAndReport(lp, limits, fds[1]);
  }
  close(fds[1]);
  SolveResult result = ReadReport(fds[0], limits.stop);
  close(fds[0]);
  const bool stopped = Stopping(limits.stop);
  if (stopped) kill(child, SIGKILL);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  // A child that died (killed, out of memory) answered nothing; a stop is never a
  // proof.
  const bool exited_cleanly = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (stopped || !exited_cleanly) {
    result.status = SolveStatus::kStopped;
    if (!exited_cleanly) result.values.clear();
  }
  return result;
}

}  // namespace tsumiki::exact
