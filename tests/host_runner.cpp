#include "host_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sstream>

extern char** environ;

namespace juvo::testing {

std::vector<std::string> HostRun::linesStartingWith(const std::string& prefix) const {
  std::vector<std::string> lines;
  std::istringstream in(out);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(prefix, 0) == 0) lines.push_back(line);
  }
  return lines;
}

HostRun runProgram(const std::filesystem::path& program, const HostOptions& options) {
  int inPipe[2], outPipe[2], errPipe[2];
  if (pipe(inPipe) || pipe(outPipe) || pipe(errPipe)) return {};

  std::map<std::string, std::string> environment;
  for (char** e = environ; *e; ++e) {
    std::string entry = *e;
    size_t eq = entry.find('=');
    if (eq != std::string::npos) environment[entry.substr(0, eq)] = entry.substr(eq + 1);
  }
  for (const auto& [name, value] : options.environment)
    environment[name] = value;
  std::vector<std::string> envStrings;
  for (const auto& [name, value] : environment)
    envStrings.push_back(name + "=" + value);
  std::vector<char*> envp;
  for (auto& s : envStrings)
    envp.push_back(s.data());
  envp.push_back(nullptr);

  std::vector<std::string> argStrings{program.string()};
  argStrings.insert(argStrings.end(), options.arguments.begin(), options.arguments.end());
  std::vector<char*> argv;
  for (auto& s : argStrings)
    argv.push_back(s.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, inPipe[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
  for (int fd : {inPipe[0], inPipe[1], outPipe[0], outPipe[1], errPipe[0], errPipe[1]})
    posix_spawn_file_actions_addclose(&actions, fd);

  HostRun run;
  pid_t pid = 0;
  int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(inPipe[0]);
  close(outPipe[1]);
  close(errPipe[1]);
  if (spawned != 0) {
    close(inPipe[1]);
    close(outPipe[0]);
    close(errPipe[0]);
    run.err = std::string("spawn failed: ") + std::strerror(spawned);
    return run;
  }

  // Feed the input and drain both outputs together, so that no pipe fills up and blocks.
  signal(SIGPIPE, SIG_IGN);
  size_t written = 0;
  int inFd = inPipe[1];
  if (options.input.empty()) {
    close(inFd);
    inFd = -1;
  }
  const auto start = std::chrono::steady_clock::now();
  auto deadline = start + options.timeout;
  std::optional<std::chrono::steady_clock::time_point> interruptAt;
  if (options.interruptAfter) interruptAt = start + *options.interruptAfter;
  bool outOpen = true, errOpen = true;
  while (outOpen || errOpen) {
    const auto now = std::chrono::steady_clock::now();
    if (interruptAt && now >= *interruptAt) {
      kill(pid, SIGINT);
      interruptAt.reset();
    }
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        (interruptAt ? std::min(deadline, *interruptAt) : deadline) - now);
    if (now >= deadline) {
      run.timedOut = true;
      kill(pid, SIGKILL);
      break;
    }
    left = std::max(left, std::chrono::milliseconds(1));
    pollfd fds[3] = {{outOpen ? outPipe[0] : -1, POLLIN, 0},
                     {errOpen ? errPipe[0] : -1, POLLIN, 0},
                     {inFd, POLLOUT, 0}};
    if (poll(fds, 3, static_cast<int>(left.count())) < 0 && errno != EINTR) break;
    char buffer[4096];
    for (int k = 0; k < 2; ++k) {
      if (fds[k].fd < 0 || !(fds[k].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      ssize_t got = read(fds[k].fd, buffer, sizeof buffer);
      if (got <= 0) {
        (k == 0 ? outOpen : errOpen) = false;
      } else {
        (k == 0 ? run.out : run.err).append(buffer, static_cast<size_t>(got));
      }
    }
    if (inFd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
      ssize_t put = write(inFd, options.input.data() + written, options.input.size() - written);
      if (put > 0) written += static_cast<size_t>(put);
      if (put < 0 || written == options.input.size()) {
        close(inFd);
        inFd = -1;
      }
    }
  }
  if (inFd >= 0) close(inFd);
  close(outPipe[0]);
  close(errPipe[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace juvo::testing
