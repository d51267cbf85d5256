// Running quorvel-demo as a separate process and finding what the tests
// feed it.
#pragma once

#include <string>
#include <vector>

namespace DemoTest {

struct Outcome {
  int status = -1;      ///< exit status, or -1 when the program did not exit normally
  std::string out;      ///< standard output
  std::string err;      ///< standard error
};

/// Runs the demo with the arguments; `prefix` is a command put before it
/// (for example "xvfb-run -a").
Outcome RunDemo(const std::vector<std::string>& args, const std::string& prefix = "");

/// A fresh directory for one test's files, removed at the end of the run.
std::string ScratchDirectory();

/// The path of a file of an installed Debian package (dpkg -L PACKAGE,
/// the entry ending in /NAME), or "" when the package or file is missing.
std::string PackageFile(const std::string& package, const std::string& name);

/// Whether a command is on the PATH.
bool HaveCommand(const std::string& command);

/// The lines of a text.
std::vector<std::string> Lines(const std::string& text);

}  // namespace DemoTest
