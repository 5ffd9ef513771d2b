#include "platform/process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace orv {

static int WaitFor(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) return -1;
  return status;
}

bool RunCommand(const std::string& command, std::string& output, size_t max_output) {
  output.clear();
  int pipe_fds[2];
  if (::pipe2(pipe_fds, O_CLOEXEC) != 0) return false;

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], STDOUT_FILENO);
  const char* argv[] = {"sh", "-c", command.c_str(), nullptr};
  pid_t pid = 0;
  int spawn_error = ::posix_spawn(&pid, "/bin/sh", &actions, nullptr, const_cast<char**>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipe_fds[1]);
  if (spawn_error != 0) {
    ::close(pipe_fds[0]);
    return false;
  }

  bool overflow = false;
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(pipe_fds[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    if (output.size() + static_cast<size_t>(n) > max_output) {
      overflow = true;
      ::kill(pid, SIGKILL);
      break;
    }
    output.append(buffer, static_cast<size_t>(n));
  }
  ::close(pipe_fds[0]);
  int status = WaitFor(pid);
  if (overflow || status < 0) return false;
  if (WIFEXITED(status) && (WEXITSTATUS(status) == 126 || WEXITSTATUS(status) == 127)) return false;
  return true;
}

}  // namespace orv
