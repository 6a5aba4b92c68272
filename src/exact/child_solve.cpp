#include "exact/child_solve.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <optional>

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

bool Ending(const SolveLimits& limits) {
  return Stopping(limits.stop) || std::chrono::steady_clock::now() >= limits.deadline;
}

// Reads exactly `size` bytes unless the stop or the deadline comes first or the
// child dies.
bool ReadAll(int fd, void* data, std::size_t size, const SolveLimits& limits) {
  char* bytes = static_cast<char*>(data);
  while (size > 0) {
    pollfd waiting{fd, POLLIN, 0};
    const int ready = poll(&waiting, 1, kPollMs);
    if (Ending(limits)) return false;
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

// The child's answer; none when it died, or when the stop or the deadline came first.
std::optional<SolveResult> ReadReport(int fd, const SolveLimits& limits) {
  Header header;
  if (!ReadAll(fd, &header, sizeof header, limits) || header.count < 0) return std::nullopt;
  std::vector<double> values(static_cast<std::size_t>(header.count));
  if (!ReadAll(fd, values.data(), values.size() * sizeof(double), limits)) return std::nullopt;
  SolveResult result;
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
  const std::optional<SolveResult> report = ReadReport(fds[0], limits);
  close(fds[0]);
  const bool stopped = Stopping(limits.stop);
  // No answer by the deadline: the child is still at work and is ended.
  if (stopped || !report) kill(child, SIGKILL);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  // A child that died (killed, out of memory) answered nothing; a stop is never a
  // proof.
  SolveResult result = report.value_or(SolveResult{});
  const bool exited_cleanly = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (stopped || !exited_cleanly) {
    result.status = SolveStatus::kStopped;
    if (!exited_cleanly) result.values.clear();
  }
  return result;
}

}  // namespace tsumiki::exact
