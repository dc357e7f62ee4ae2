#pragma once

#include <cstdint>
#include <string>

namespace zarvelin {

// One component line of a project file, resolved: a plain container that checks nothing.
class cComponent {
 public:
  int32_t ComponentType() const { return componentType_; }
  void ComponentType(int32_t value) { componentType_ = value; }

  const std::string& ComponentName() const { return componentName_; }
  void ComponentName(std::string value) { componentName_ = std::move(value); }

  // The source file's name, without directory.
  const std::string& ComponentFile() const { return componentFile_; }
  void ComponentFile(std::string value) { componentFile_ = std::move(value); }

  // The source file's absolute directory, without a trailing backslash (a drive root as "C:").
  const std::string& ComponentPath() const { return componentPath_; }
  void ComponentPath(std::string value) { componentPath_ = std::move(value); }

  // The companion file's name, beside the source file; empty without a companion.
  const std::string& ComponentBinaryFile() const { return componentBinaryFile_; }
  void ComponentBinaryFile(std::string value) { componentBinaryFile_ = std::move(value); }

  bool BinaryFile() const { return binaryFile_; }
  void BinaryFile(bool value) { binaryFile_ = value; }

 private:
  bool binaryFile_ = false;
  std::string componentFile_;
  std::string componentName_;
  int32_t componentType_ = 0;
  std::string componentPath_;
  std::string componentBinaryFile_;
};

}  // namespace zarvelin
