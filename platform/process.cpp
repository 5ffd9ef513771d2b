#include "platform/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace orv {

namespace {

int WaitFor(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) return -1;
  return status;
}

long long NowMs() {
  struct timespec now;
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// The pipe of a running command and what has been read from it.
class OutputReader {
 public:
  OutputReader(int fd, std::string& output, size_t max_output) : fd_(fd), output_(output), max_(max_output) {}

  // Reads what the pipe holds now. False at the end of the output or when
  // it grew beyond the bound (overflow() tells which).
  bool ReadAvailable() {
    char buffer[65536];
    for (;;) {
      ssize_t n = ::read(fd_, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && errno == EAGAIN) return true;
      if (n <= 0) return false;
      if (output_.size() + static_cast<size_t>(n) > max_) {
        overflow_ = true;
        return false;
      }
      output_.append(buffer, static_cast<size_t>(n));
    }
  }
  bool overflow() const { return overflow_; }

 private:
  int fd_;
  std::string& output_;
  size_t max_;
  bool overflow_ = false;
};

enum class ReadEnd { Exited, Overflow, TimedOut };

// Whether the process has exited (without reaping it).
bool HasExited(pid_t pid) {
  siginfo_t info{};
  return ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid;
}

// Reads the command's output until the shell exits (then the rest that is
// already in the pipe), the output overflows or the time runs out. A pipe
// closed early is no longer read, but the shell is still waited for. Without
// a pidfd the shell's exit is looked for every 10 ms.
ReadEnd ReadUntilExit(pid_t pid, int pipe_fd, OutputReader& reader, int timeout_seconds) {
  int pid_fd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
  long long deadline = timeout_seconds > 0 ? NowMs() + timeout_seconds * 1000LL : -1;
  bool pipe_open = true;
  ReadEnd end = ReadEnd::Exited;
  for (;;) {
    int wait_ms = pid_fd >= 0 ? -1 : 10;
    if (deadline >= 0) {
      long long left = deadline - NowMs();
      if (left <= 0) {
        end = ReadEnd::TimedOut;
        break;
      }
      if (wait_ms < 0 || left < wait_ms) wait_ms = static_cast<int>(left);
    }
    struct pollfd fds[2] = {{pipe_open ? pipe_fd : -1, POLLIN, 0}, {pid_fd, POLLIN, 0}};
    if (::poll(fds, pid_fd >= 0 ? 2 : 1, wait_ms) < 0 && errno != EINTR) break;
    if (fds[0].revents != 0 && !reader.ReadAvailable()) {
      if (reader.overflow()) {
        end = ReadEnd::Overflow;
        break;
      }
      pipe_open = false;
    }
    if (pid_fd >= 0 ? fds[1].revents != 0 : HasExited(pid)) {
      if (pipe_open && !reader.ReadAvailable() && reader.overflow()) end = ReadEnd::Overflow;
      break;
    }
  }
  if (pid_fd >= 0) ::close(pid_fd);
  return end;
}

}  // namespace

CommandOutcome RunCommand(const std::string& command, std::string& output, size_t max_output,
                          int timeout_seconds, const std::string& folder, CommandStatus* status) {
  output.clear();
  CommandStatus ignored;
  CommandStatus& result = status ? *status : ignored;
  result = CommandStatus();
  int pipe_fds[2];
  if (::pipe2(pipe_fds, O_CLOEXEC) != 0) {
    result.Error = errno;
    return CommandOutcome::Failed;
  }

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], STDOUT_FILENO);
  if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  // The command starts with no signal blocked, whatever its host blocks
  // (orvcc --watch takes Ctrl-C through a signal descriptor).
  sigset_t no_signals;
  sigemptyset(&no_signals);
  posix_spawnattr_setsigmask(&attributes, &no_signals);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK);
  posix_spawnattr_setpgroup(&attributes, 0);
  const char* argv[] = {"sh", "-c", command.c_str(), nullptr};
  pid_t pid = 0;
  int spawn_error = ::posix_spawn(&pid, "/bin/sh", &actions, &attributes, const_cast<char**>(argv), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipe_fds[1]);
  if (spawn_error != 0) {
    ::close(pipe_fds[0]);
    result.Error = spawn_error;
    return CommandOutcome::Failed;
  }
  ::fcntl(pipe_fds[0], F_SETFL, ::fcntl(pipe_fds[0], F_GETFL) | O_NONBLOCK);

  OutputReader reader(pipe_fds[0], output, max_output);
  ReadEnd end = ReadUntilExit(pid, pipe_fds[0], reader, timeout_seconds);
  ::close(pipe_fds[0]);
  if (end == ReadEnd::Overflow || end == ReadEnd::TimedOut) ::kill(-pid, SIGKILL);
  int wait_status = WaitFor(pid);
  if (end == ReadEnd::TimedOut) return CommandOutcome::TimedOut;
  result.Overflow = end == ReadEnd::Overflow;
  if (wait_status < 0) result.Error = errno;
  if (result.Overflow || wait_status < 0) return CommandOutcome::Failed;
  if (WIFSIGNALED(wait_status)) result.Signal = WTERMSIG(wait_status);
  if (WIFEXITED(wait_status)) result.ExitStatus = WEXITSTATUS(wait_status);
  if (result.ExitStatus == 126 || result.ExitStatus == 127) return CommandOutcome::Failed;
  return CommandOutcome::Done;
}

}  // namespace orv
