#include "runtime/App.h"

namespace zarvelin {
namespace {

std::string DirectoryPrefix(const AppFacts& facts) {
  std::string directory = facts.path;
  if (directory.empty() || directory.back() != '\\') directory += '\\';
  return directory;
}

}  // namespace

std::string ProgramFileOf(const AppFacts& facts, std::string_view extension) {
  if (!facts.programFile.empty()) return facts.programFile;
  return DirectoryPrefix(facts) + facts.exeName + std::string(extension);
}

std::string ErrorLogOf(const AppFacts& facts) {
  return facts.errorLog.empty() ? DirectoryPrefix(facts) + "Error.log" : facts.errorLog;
}

}  // namespace zarvelin
