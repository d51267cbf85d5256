#include "DemoProcess.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace DemoTest {
namespace {

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string CommandOutput(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

struct ScratchRoot {
  std::filesystem::path path;
  ScratchRoot() {
    char pattern[] = "/tmp/quorvel-demo-test-XXXXXX";
    path = mkdtemp(pattern);
  }
  ~ScratchRoot() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

}  // namespace

std::string ScratchDirectory() {
  static ScratchRoot root;
  static int count = 0;
  const std::filesystem::path dir = root.path / std::to_string(++count);
  std::filesystem::create_directories(dir);
  return dir.string();
}

Outcome RunDemo(const std::vector<std::string>& args, const std::string& prefix) {
  const std::string dir = ScratchDirectory();
  std::string command = prefix + (prefix.empty() ? "" : " ") + Quote(QUORVEL_DEMO_BINARY);
  for (const std::string& a : args) command += " " + Quote(a);
  command += " >" + Quote(dir + "/out") + " 2>" + Quote(dir + "/err") + " </dev/null";
  const int raw = std::system(command.c_str());
  Outcome o;
  o.status = (raw != -1 && WIFEXITED(raw)) ? WEXITSTATUS(raw) : -1;
  o.out = ReadFile(dir + "/out");
  o.err = ReadFile(dir + "/err");
  return o;
}

std::string PackageFile(const std::string& package, const std::string& name) {
  for (const std::string& line : Lines(CommandOutput("dpkg -L " + Quote(package) + " 2>/dev/null")))
    if (line.size() > name.size() && line.compare(line.size() - name.size() - 1, std::string::npos, "/" + name) == 0)
      return line;
  return "";
}

bool HaveCommand(const std::string& command) {
  return std::system(("command -v " + Quote(command) + " >/dev/null 2>&1").c_str()) == 0;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace DemoTest
