// The fixture of the end-to-end tests: a fresh registry location and a copy of the real
// module in an empty folder, run by the real host with a scripted standard input.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "host_runner.h"
#include "temp_folder.h"

namespace juvo::testing {

class HostTest : public ::testing::Test {
 protected:
  HostTest() { std::filesystem::copy_file(JUVO_MODULE_PATH, moduleFolder_.path() / "juvo.so"); }

  // Runs the host with `input`; `environment` adds to its environment (JUVO_SCRIPT_TIMEOUT_MS).
  HostRun run(const std::string& input, std::map<std::string, std::string> environment = {}) {
    HostOptions options;
    options.arguments = {"--plugin", (moduleFolder_.path() / "juvo.so").string()};
    options.input = input;
    options.environment = std::move(environment);
    options.environment["XDG_CONFIG_HOME"] = config_.path().string();
    return runProgram(JUVO_HOST_PATH, options);
  }

  // Where `text` begins in the transcript at or after `from`, failing the test when it is
  // not there.
  static size_t at(const HostRun& run, const std::string& text, size_t from = 0) {
    size_t found = run.out.find(text, from);
    EXPECT_NE(found, std::string::npos) << "missing: " << text << "\nin:\n" << run.out;
    return found;
  }

  TempFolder config_;
  TempFolder moduleFolder_;
};

}  // namespace juvo::testing
