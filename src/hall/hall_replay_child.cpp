#include "hall/hall_replay_child.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>

#include "demo/zr_demo_format.h"

extern char** environ;

namespace {

void Limit(int resource, rlim_t value) {
  const rlimit limit{value, value};
  setrlimit(resource, &limit);
}

bool WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

HallReplay Failed(int code, const std::string& reason) {
  HallReplay r;
  r.Code = code;
  r.Reason = reason;
  return r;
}

class Fd {
 public:
  explicit Fd(int fd = -1) : Value(fd) {}
  ~Fd() { Close(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  void Close() {
    if (Value >= 0) close(Value);
    Value = -1;
  }
  int Value;
};

}  // namespace

int RunReplayChildMode(const HallChildLimits& limits) {
  // Dies with the server, holds none of its sockets or files, writes no file, and has
  // bounded memory and processor time whatever the demo asks.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() == 1) return 1;
  close_range(3, ~0u, 0);
  Limit(RLIMIT_FSIZE, 0);
  Limit(RLIMIT_CORE, 0);
  Limit(RLIMIT_NOFILE, 16);
  Limit(RLIMIT_CPU, static_cast<rlim_t>(limits.Seconds) + 1);
  if (limits.MemoryBytes != 0) Limit(RLIMIT_AS, limits.MemoryBytes);

  std::vector<uint8_t> bytes;
  uint8_t chunk[1 << 16];
  for (;;) {
    const ssize_t n = read(0, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return 1;
    if (n == 0) break;
    bytes.insert(bytes.end(), chunk, chunk + n);
    if (bytes.size() > DemoMaxFileBytes) break;
  }
  const std::string line = ReplayToLine(ReplayDemo(std::move(bytes), limits.Seconds));
  return WriteAll(1, reinterpret_cast<const uint8_t*>(line.data()), line.size()) ? 0 : 1;
}

HallReplay ReplayInChild(const std::string& executable, const std::vector<uint8_t>& demo,
                         const HallChildLimits& limits) {
  // The demo waits in an anonymous file, so that neither side blocks on a pipe's buffer.
  Fd input(memfd_create("demo", MFD_CLOEXEC));
  if (input.Value < 0 || !WriteAll(input.Value, demo.data(), demo.size()) || lseek(input.Value, 0, SEEK_SET) != 0) {
    return Failed(HallReplay::Crashed, "no memory file for the demo");
  }
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return Failed(HallReplay::Crashed, "no pipe for the replay");
  Fd output(pipeFds[0]);
  Fd childEnd(pipeFds[1]);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input.Value, 0);
  posix_spawn_file_actions_adddup2(&actions, childEnd.Value, 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const std::string seconds = std::to_string(limits.Seconds);
  const std::string memory = std::to_string(limits.MemoryBytes);
  std::vector<char*> argv = {const_cast<char*>(executable.c_str()), const_cast<char*>(HallReplayOption),
                             const_cast<char*>(seconds.c_str()), const_cast<char*>(memory.c_str()), nullptr};
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, executable.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  childEnd.Close();
  input.Close();
  if (spawned != 0) return Failed(HallReplay::Crashed, std::string("cannot start the replay: ") + std::strerror(spawned));

  // The replay stops itself at its limit; the kill is for one that cannot.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(limits.Seconds + 2);
  std::string text;
  bool timedOut = false;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      timedOut = true;
      break;
    }
    pollfd p{output.Value, POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) continue;
    char buf[4096];
    const ssize_t n = read(output.Value, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    if (text.size() < 65536) text.append(buf, static_cast<size_t>(n));
  }
  if (timedOut) kill(pid, SIGKILL);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (timedOut) {
    return Failed(HallReplay::TimedOut, "the game did not replay within " + seconds + " s, the limit for one game");
  }
  if (WIFSIGNALED(status) && WTERMSIG(status) == SIGXCPU) {
    return Failed(HallReplay::TimedOut, "the game did not replay within " + seconds + " s of processor time");
  }
  if (WIFSIGNALED(status)) {
    return Failed(HallReplay::Crashed, "the replay stopped on signal " + std::to_string(WTERMSIG(status)));
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return Failed(HallReplay::Crashed, "the replay failed");
  // The result is the last line: anything the game printed before it is not ours.
  const size_t end = text.find_last_not_of('\n');
  const size_t start = end == std::string::npos ? 0 : text.rfind('\n', end);
  return ReplayFromLine(text.substr(start == std::string::npos ? 0 : start + 1));
}
