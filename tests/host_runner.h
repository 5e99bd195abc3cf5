// Runs the real juvo-host as a child process with a scripted standard input, and gives back
// what it wrote: the end-to-end tests read its transcript.
#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace juvo::testing {

struct HostRun {
  int exitCode = -1;
  bool timedOut = false;
  std::string out;  // standard output: the transcript
  std::string err;  // standard error
  // The transcript's lines that begin with `prefix` (e.g. "[sent]"), prefix included.
  std::vector<std::string> linesStartingWith(const std::string& prefix) const;
};

struct HostOptions {
  std::vector<std::string> arguments;
  std::string input;
  // Added to (or replacing in) the environment, e.g. XDG_CONFIG_HOME.
  std::map<std::string, std::string> environment;
  std::chrono::seconds timeout{60};
  // When set, the program gets SIGINT (Ctrl-C) this long after it started.
  std::optional<std::chrono::milliseconds> interruptAfter;
};

// Runs `program` with `options`; kills it when it outlives the time-out.
HostRun runProgram(const std::filesystem::path& program, const HostOptions& options);

}  // namespace juvo::testing
