#include "exact/child_solve.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
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
// Where the solver process finds the request and writes its answer.
constexpr int kRequestFd = 3;
constexpr int kAnswerFd = 4;
// The parent's descriptors are moved at or above this before the start, so that
// moving them onto kRequestFd and kAnswerFd never overwrites one with the other.
constexpr int kFirstHighFd = 10;

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

std::optional<std::string> ReadToEnd(int fd) {
  std::string bytes;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) return bytes;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

// The solver process: reads the request, solves, answers, ends. It runs before
// main() of whichever program this is, and touches nothing of that program's.
[[noreturn]] void ServeAsSolver(const char* parent) {
  // A parent that crashes or is killed takes its solve along.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (std::to_string(getppid()) != parent) _exit(1);
  const std::optional<std::string> bytes = ReadToEnd(kRequestFd);
  const std::optional<SolveRequest> request =
      bytes ? DecodeSolveRequest(*bytes) : std::nullopt;
  if (!request) _exit(1);
  SolveLimits limits;
  limits.seconds = request->seconds;
  limits.wall_clock = request->wall_clock;
  const SolveResult result = SolveWithCbc(request->lp, limits);
  Header header;
  header.status = static_cast<std::int32_t>(result.status);
  header.objective = result.objective;
  header.count = static_cast<std::int64_t>(result.values.size());
  const bool sent = WriteAll(kAnswerFd, &header, sizeof header) &&
                    WriteAll(kAnswerFd, result.values.data(), result.values.size() * sizeof(double));
  // _exit: the program's atexit handlers and stdio buffers are not this process's.
  _exit(sent ? 0 : 1);
}

[[maybe_unused]] const bool kStartedAsSolver = [] {
  if (const char* parent = std::getenv(kSolverVariable)) ServeAsSolver(parent);
  return false;
}();

// `fd` moved to a close-on-exec descriptor at or above kFirstHighFd; -1 on failure.
int MovedHigh(int fd) {
  if (fd < 0) return -1;
  const int high = fcntl(fd, F_DUPFD_CLOEXEC, kFirstHighFd);
  close(fd);
  return high;
}

// The request in a memory file already written to its end: the solver reads it at
// its own pace, and this process never blocks on a full pipe nor gets a SIGPIPE.
int RequestFile(const LinearModel& lp, const SolveLimits& limits) {
  const int fd = MovedHigh(memfd_create("tsumiki-solve", MFD_CLOEXEC));
  if (fd < 0) return -1;
  const std::string bytes = EncodeSolveRequest(lp, limits);
  if (!WriteAll(fd, bytes.data(), bytes.size()) || lseek(fd, 0, SEEK_SET) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

// This program started anew as a solver, with the request on kRequestFd and the
// answer's pipe on kAnswerFd; -1 where it cannot be started. A new program rather
// than a fork: a fork of this multi-threaded process copies locks that other
// threads hold (the allocator's among them) and the child could wait on them
// forever.
pid_t StartSolver(int request_fd, int answer_fd) {
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_adddup2(&files, request_fd, kRequestFd);
  posix_spawn_file_actions_adddup2(&files, answer_fd, kAnswerFd);
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

// The solver's process started, or none (then the solve runs on the calling thread).
struct Solver {
  pid_t pid = -1;
  int answer_fd = -1;
};

std::optional<Solver> Start(const LinearModel& lp, const SolveLimits& limits) {
  const int request_fd = RequestFile(lp, limits);
  int answer[2];
  if (request_fd < 0 || pipe2(answer, O_CLOEXEC) != 0) {
    if (request_fd >= 0) close(request_fd);
    return std::nullopt;
  }
  const int read_fd = MovedHigh(answer[0]);
  const int write_fd = MovedHigh(answer[1]);
  const pid_t pid = read_fd >= 0 && write_fd >= 0 ? StartSolver(request_fd, write_fd) : -1;
  close(request_fd);
  if (write_fd >= 0) close(write_fd);
  if (pid < 0) {
    if (read_fd >= 0) close(read_fd);
    return std::nullopt;
  }
  return Solver{pid, read_fd};
}

}  // namespace

SolveResult SolveInChild(const LinearModel& lp, const SolveLimits& limits) {
  if (Stopping(limits.stop)) return SolveResult{};
  const std::optional<Solver> solver = Start(lp, limits);
  if (!solver) return SolveWithCbc(lp, limits);
  const std::optional<SolveResult> report = ReadReport(solver->answer_fd, limits);
  close(solver->answer_fd);
  const bool stopped = Stopping(limits.stop);
  // No answer by the deadline: the child is still at work and is ended.
  if (stopped || !report) kill(solver->pid, SIGKILL);
  int status = 0;
  while (waitpid(solver->pid, &status, 0) < 0 && errno == EINTR) {
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
