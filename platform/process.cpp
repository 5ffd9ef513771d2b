#include "platform/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
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

// A pipe of a running command and what has been read from it. Beyond
// `max_output` bytes the read either stops (`cut_off`: the command's
// output, which must then end) or goes on discarding (standard error, so
// that the command never blocks on it).
class PipeReader {
 public:
  PipeReader(int fd, std::string& output, size_t max_output, bool cut_off)
      : fd_(fd), output_(output), max_(max_output), cut_off_(cut_off) {}

  // Reads what the pipe holds now. False at the end of the output, or when
  // it grew beyond the bound and is cut off (overflow() tells which).
  bool ReadAvailable() {
    char buffer[65536];
    for (;;) {
      ssize_t n = ::read(fd_, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && errno == EAGAIN) return true;
      if (n <= 0) return false;
      size_t room = max_ - std::min(max_, output_.size());
      if (static_cast<size_t>(n) > room) {
        overflow_ = true;
        if (cut_off_) return false;
      }
      output_.append(buffer, std::min(room, static_cast<size_t>(n)));
    }
  }
  int fd() const { return fd_; }
  bool overflow() const { return overflow_; }

 private:
  int fd_;
  std::string& output_;
  size_t max_;
  bool cut_off_;
  bool overflow_ = false;
};

enum class ReadEnd { Exited, Overflow, TimedOut };

// Whether the process has exited (without reaping it).
bool HasExited(pid_t pid) {
  siginfo_t info{};
  return ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid;
}

// Reads the command's output and standard error until the shell exits (then
// the rest that is already in the pipes), the output overflows or the time
// runs out. A pipe closed early is no longer read, but the shell is still
// waited for. The shell is not reaped, so its process group cannot vanish
// and its number be reused before the caller ends it. Without a pidfd the
// shell's exit is looked for every 10 ms.
ReadEnd ReadUntilExit(pid_t pid, PipeReader& out, PipeReader& err, int timeout_seconds) {
  int pid_fd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
  long long deadline = timeout_seconds > 0 ? NowMs() + timeout_seconds * 1000LL : -1;
  PipeReader* readers[2] = {&out, &err};
  bool open[2] = {true, true};
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
    struct pollfd fds[3] = {{open[0] ? out.fd() : -1, POLLIN, 0},
                            {open[1] ? err.fd() : -1, POLLIN, 0},
                            {pid_fd, POLLIN, 0}};
    if (::poll(fds, pid_fd >= 0 ? 3 : 2, wait_ms) < 0 && errno != EINTR) break;
    for (int i = 0; i < 2; ++i)
      if (fds[i].revents != 0 && !readers[i]->ReadAvailable()) open[i] = false;
    if (out.overflow()) {
      end = ReadEnd::Overflow;
      break;
    }
    if (pid_fd >= 0 ? fds[2].revents != 0 : HasExited(pid)) {
      for (int i = 0; i < 2; ++i)
        if (open[i]) readers[i]->ReadAvailable();
      if (out.overflow()) end = ReadEnd::Overflow;
      break;
    }
  }
  if (pid_fd >= 0) ::close(pid_fd);
  return end;
}

// A pipe whose ends are closed on exec; its reading end does not block.
bool OpenPipe(int fds[2]) {
  if (::pipe2(fds, O_CLOEXEC) != 0) return false;
  ::fcntl(fds[0], F_SETFL, ::fcntl(fds[0], F_GETFL) | O_NONBLOCK);
  return true;
}

}  // namespace

CommandOutcome RunCommand(const std::string& command, std::string& output, size_t max_output,
                          int timeout_seconds, const std::string& folder, CommandStatus* status) {
  output.clear();
  CommandStatus ignored;
  CommandStatus& result = status ? *status : ignored;
  result = CommandStatus();
  int out_fds[2];
  int err_fds[2];
  if (!OpenPipe(out_fds)) {
    result.Error = errno;
    return CommandOutcome::Failed;
  }
  if (!OpenPipe(err_fds)) {
    result.Error = errno;
    ::close(out_fds[0]);
    ::close(out_fds[1]);
    return CommandOutcome::Failed;
  }

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out_fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err_fds[1], STDERR_FILENO);
  if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  const char* argv[] = {"sh", "-c", command.c_str(), nullptr};
  pid_t pid = 0;
  int spawn_error = ::posix_spawn(&pid, "/bin/sh", &actions, &attributes, const_cast<char**>(argv), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out_fds[1]);
  ::close(err_fds[1]);
  if (spawn_error != 0) {
    ::close(out_fds[0]);
    ::close(err_fds[0]);
    result.Error = spawn_error;
    return CommandOutcome::Failed;
  }

  PipeReader out(out_fds[0], output, max_output, true);
  PipeReader err(err_fds[0], result.ErrorOutput, kMaxCommandErrorBytes, false);
  ReadEnd end = ReadUntilExit(pid, out, err, timeout_seconds);
  ::close(out_fds[0]);
  ::close(err_fds[0]);
  result.ErrorOutputCut = err.overflow();
  // Whatever the shell left running in its group goes with it.
  ::kill(-pid, SIGKILL);
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
