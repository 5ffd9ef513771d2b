// Test helper: one of ORV's programs (or curl) running beside the test, as
// a user starts it in a terminal: its standard output and error are read as
// they come, the test waits for a text to appear (never for a fixed time),
// signals it and collects its exit status. A program still running when the
// helper goes is killed, so a hang fails its test rather than the suite.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

namespace orv::test {

// A program started by the test.
class RunningProgram {
 public:
  // Starts `argv[0]` with the arguments `argv` in the folder `folder`.
  RunningProgram(const std::vector<std::string>& argv, const std::string& folder) {
    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(out[1], STDOUT_FILENO);
      ::dup2(err[1], STDERR_FILENO);
      const int null = ::open("/dev/null", O_RDONLY);
      ::dup2(null, STDIN_FILENO);
      if (::chdir(folder.c_str()) != 0) ::_exit(126);
      std::vector<char*> args;
      for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
      args.push_back(nullptr);
      ::execv(args[0], args.data());
      ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    fds_[0] = out[0];
    fds_[1] = err[0];
  }

  ~RunningProgram() {
    if (pid_ > 0 && status_ == kRunning) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    for (int fd : fds_)
      if (fd >= 0) ::close(fd);
  }

  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  // Reads what the program writes until standard output (`in_error`
  // false) or standard error holds `text` after `from` (a position in that
  // stream); returns where the text ends, or npos after `seconds` or once
  // the program ended without writing it.
  size_t WaitFor(const std::string& text, bool in_error, size_t from = 0, int seconds = 60) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    for (;;) {
      const std::string& stream = in_error ? err_ : out_;
      const size_t at = stream.find(text, from);
      if (at != std::string::npos) return at + text.size();
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                               std::chrono::steady_clock::now());
      if (left.count() <= 0 || !Read(static_cast<int>(left.count()))) return std::string::npos;
    }
  }

  // Sends `signal` and waits (at most `seconds`) for the program to end;
  // its exit status, 128 + N when signal N ended it, -1 when it did not end.
  int Stop(int signal, int seconds = 60) {
    ::kill(pid_, signal);
    return Wait(seconds);
  }

  // Waits (at most `seconds`) for the program to end by itself.
  int Wait(int seconds = 60) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (status_ == kRunning) {
      int raw = 0;
      if (::waitpid(pid_, &raw, WNOHANG) == pid_) {
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        break;
      }
      if (std::chrono::steady_clock::now() >= deadline) return -1;
      // Once both pipes have ended, the program is ending: wait for it.
      if (!Read(50) && ::waitpid(pid_, &raw, 0) == pid_)
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    }
    while (Read(0)) {
    }
    return status_;
  }

  const std::string& Out() const { return out_; }
  const std::string& Err() const { return err_; }

 private:
  static constexpr int kRunning = -1000;

  // Waits at most `ms` for output and takes what came; false when both
  // pipes have ended (or nothing came in time and `ms` was 0).
  bool Read(int ms) {
    pollfd fds[2] = {{fds_[0], POLLIN, 0}, {fds_[1], POLLIN, 0}};
    if (fds_[0] < 0 && fds_[1] < 0) return false;
    const int ready = ::poll(fds, 2, ms);
    if (ready <= 0) return ready == 0 && ms > 0;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t got = ::read(fds_[i], buffer, sizeof buffer);
      if (got > 0) {
        (i == 0 ? out_ : err_).append(buffer, static_cast<size_t>(got));
      } else {
        ::close(fds_[i]);
        fds_[i] = -1;
      }
    }
    return true;
  }

  pid_t pid_ = -1;
  int fds_[2] = {-1, -1};
  int status_ = kRunning;
  std::string out_;
  std::string err_;
};

}  // namespace orv::test
