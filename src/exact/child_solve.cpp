#include "exact/child_solve.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "exact/solve_wire.h"

extern char** environ;

namespace tsumiki::exact {

namespace {

constexpr int kPollMs = 10;
// Set in the solver process's environment to the parent's process ID.
constexpr char kSolverVariable[] = "TSUMIKI_EXACT_SOLVER";
// The solver's end of the socket that carries requests and answers.
constexpr int kSolverFd = 3;

// What crosses the socket ahead of the values.
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

bool ReadExactly(int fd, void* data, std::size_t size) {
  char* bytes = static_cast<char*>(data);
  while (size > 0) {
    const ssize_t got = read(fd, bytes, size);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    bytes += got;
    size -= static_cast<std::size_t>(got);
  }
  return true;
}

// The solver process: answers one request after another until the parent closes
// its end. It runs before main() of whichever program this is, and touches nothing
// of that program's.
[[noreturn]] void ServeAsSolver(const char* parent) {
  // A parent that crashes or is killed takes its solver along.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (std::to_string(getppid()) != parent) _exit(1);
  for (;;) {
    std::int64_t size = 0;
    if (!ReadExactly(kSolverFd, &size, sizeof size)) _exit(0);
    if (size < 0) _exit(1);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!ReadExactly(kSolverFd, bytes.data(), bytes.size())) _exit(1);
    const std::optional<SolveRequest> request = DecodeSolveRequest(bytes);
    if (!request) _exit(1);
    SolveLimits limits;
    limits.seconds = request->seconds;
    limits.wall_clock = request->wall_clock;
    const SolveResult result = SolveWithCbc(request->lp, limits);
    Header header;
    header.status = static_cast<std::int32_t>(result.status);
    header.objective = result.objective;
    header.count = static_cast<std::int64_t>(result.values.size());
    if (!WriteAll(kSolverFd, &header, sizeof header) ||
        !WriteAll(kSolverFd, result.values.data(), result.values.size() * sizeof(double)))
      _exit(1);
  }
}

[[maybe_unused]] const bool kStartedAsSolver = [] {
  if (const char* parent = std::getenv(kSolverVariable)) ServeAsSolver(parent);
  return false;
}();

bool Ending(const SolveLimits& limits) {
  return Stopping(limits.stop) || std::chrono::steady_clock::now() >= limits.deadline;
}

// Waits until `fd` is ready for `events`; false when the stop or the deadline
// comes first or the wait fails.
bool WaitReady(int fd, short events, const SolveLimits& limits) {
  for (;;) {
    pollfd waiting{fd, events, 0};
    const int ready = poll(&waiting, 1, kPollMs);
    if (Ending(limits)) return false;
    if (ready > 0) return true;
    if (ready < 0 && errno != EINTR) return false;
  }
}

// Sends all of `bytes` unless the stop or the deadline comes first or the solver
// is gone (no SIGPIPE: the solver may have died).
bool SendAll(int fd, const char* bytes, std::size_t size, const SolveLimits& limits) {
  while (size > 0) {
    if (!WaitReady(fd, POLLOUT, limits)) return false;
    const ssize_t sent = send(fd, bytes, size, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (sent <= 0) return false;
    bytes += sent;
    size -= static_cast<std::size_t>(sent);
  }
  return true;
}

bool ReceiveAll(int fd, void* data, std::size_t size, const SolveLimits& limits) {
  char* bytes = static_cast<char*>(data);
  while (size > 0) {
    if (!WaitReady(fd, POLLIN, limits)) return false;
    const ssize_t got = recv(fd, bytes, size, MSG_DONTWAIT);
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (got <= 0) return false;
    bytes += got;
    size -= static_cast<std::size_t>(got);
  }
  return true;
}

// The solver's answer; none when it died, or when the stop or the deadline came first.
std::optional<SolveResult> ReceiveAnswer(int fd, const SolveLimits& limits) {
  Header header;
  if (!ReceiveAll(fd, &header, sizeof header, limits) || header.count < 0) return std::nullopt;
  std::vector<double> values(static_cast<std::size_t>(header.count));
  if (!ReceiveAll(fd, values.data(), values.size() * sizeof(double), limits)) return std::nullopt;
  SolveResult result;
  result.status = static_cast<SolveStatus>(header.status);
  result.objective = header.objective;
  result.values = std::move(values);
  return result;
}

// This program started anew as a solver, with its end of the socket on kSolverFd;
// -1 where it cannot be started. A new program rather than a fork: a fork of this
// multi-threaded process copies locks that other threads hold (the allocator's
// among them), and the child could wait on them forever.
pid_t StartSolver(int solver_fd) {
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_adddup2(&files, solver_fd, kSolverFd);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  // Interrupts belong to this process, which kills the solver when it stops.
  sigset_t none;
  sigemptyset(&none);
  sigset_t defaults;
  sigemptyset(&defaults);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) sigaddset(&defaults, signal);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  const std::string marker = std::string(kSolverVariable) + "=" + std::to_string(getpid());
  std::vector<char*> environment;
  const std::size_t name_length = std::strlen(kSolverVariable);
  for (char** entry = environ; *entry != nullptr; ++entry) {
    if (std::strncmp(*entry, kSolverVariable, name_length) != 0 || (*entry)[name_length] != '=')
      environment.push_back(*entry);
  }
  environment.push_back(const_cast<char*>(marker.c_str()));
  environment.push_back(nullptr);
  char name[] = "tsumiki-exact-solver";
  char* argv[] = {name, nullptr};
  pid_t pid = -1;
  const int error =
      posix_spawn(&pid, "/proc/self/exe", &files, &attributes, argv, environment.data());
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&files);
  return error == 0 ? pid : -1;
}

// One solver process per thread, started at the thread's first solve and kept
// between solves (a start costs milliseconds, against group solves of a few);
// ended by a stop, a deadline, a death, and the thread's end.
class SolverProcess {
 public:
  SolverProcess() = default;
  SolverProcess(const SolverProcess&) = delete;
  SolverProcess& operator=(const SolverProcess&) = delete;
  ~SolverProcess() { End(); }

  bool Ready() { return fd_ >= 0 || Start(); }

  std::optional<SolveResult> Solve(const LinearModel& lp, const SolveLimits& limits) {
    const std::string request = EncodeSolveRequest(lp, limits);
    const std::int64_t size = static_cast<std::int64_t>(request.size());
    std::optional<SolveResult> answer;
    if (SendAll(fd_, reinterpret_cast<const char*>(&size), sizeof size, limits) &&
        SendAll(fd_, request.data(), request.size(), limits))
      answer = ReceiveAnswer(fd_, limits);
    // Without an answer the solver is still at work, or dead: it is ended.
    if (!answer) End();
    return answer;
  }

 private:
  bool Start() {
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return false;
    // The solver's end is moved off kSolverFd first, where it could already be.
    const int solver_end = fcntl(ends[1], F_DUPFD_CLOEXEC, kSolverFd + 1);
    close(ends[1]);
    pid_ = solver_end >= 0 ? StartSolver(solver_end) : -1;
    if (solver_end >= 0) close(solver_end);
    if (pid_ < 0) {
      close(ends[0]);
      return false;
    }
    fd_ = ends[0];
    return true;
  }

  void End() {
    if (fd_ < 0) return;
    close(fd_);
    fd_ = -1;
    kill(pid_, SIGKILL);
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
  }

  pid_t pid_ = -1;
  int fd_ = -1;
};

}  // namespace

SolveResult SolveInChild(const LinearModel& lp, const SolveLimits& limits) {
  if (Stopping(limits.stop)) return SolveResult{};
  thread_local SolverProcess solver;
  if (!solver.Ready()) return SolveWithCbc(lp, limits);
  std::optional<SolveResult> answer = solver.Solve(lp, limits);
  // A solver that died (killed, out of memory) answered nothing; a stop is never a
  // proof.
  SolveResult result = answer.value_or(SolveResult{});
  if (!answer || Stopping(limits.stop)) result.status = SolveStatus::kStopped;
  return result;
}

}  // namespace tsumiki::exact
