#include "cc/stop_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace orv {

namespace {

int pipe_fds[2] = {-1, -1};
volatile sig_atomic_t requests = 0;
volatile sig_atomic_t busy_now = 0;
struct sigaction saved_int, saved_term;

void OnStop(int) {
  const int saved_errno = errno;
  requests = requests + 1;
  if (requests > 1 && busy_now) {
    static const char kText[] = "\norvcc: stopped\n";
    (void)!::write(STDERR_FILENO, kText, sizeof kText - 1);
    ::_exit(130);
  }
  if (requests == 1 && busy_now) {
    static const char kText[] = "\norvcc: stopping once this build is over (Ctrl-C again to stop at once)\n";
    (void)!::write(STDERR_FILENO, kText, sizeof kText - 1);
  }
  (void)!::write(pipe_fds[1], "x", 1);
  errno = saved_errno;
}

}  // namespace

StopSignals::StopSignals() {
  if (::pipe2(pipe_fds, O_CLOEXEC | O_NONBLOCK) != 0) pipe_fds[0] = pipe_fds[1] = -1;
  requests = 0;
  struct sigaction action {};
  action.sa_handler = OnStop;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, &saved_int);
  ::sigaction(SIGTERM, &action, &saved_term);
}

StopSignals::~StopSignals() {
  ::sigaction(SIGINT, &saved_int, nullptr);
  ::sigaction(SIGTERM, &saved_term, nullptr);
  for (int& fd : pipe_fds) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

int StopSignals::Descriptor() const { return pipe_fds[0]; }

bool StopSignals::Requested() const { return requests > 0; }

void StopSignals::SetBusy(bool busy) { busy_now = busy; }

}  // namespace orv
