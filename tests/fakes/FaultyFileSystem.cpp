#include "FaultyFileSystem.h"

#include <utility>

#include "runtime/VbError.h"

namespace zarvelin::fakes {
namespace {

class FaultyReader : public TextReader {
 public:
  FaultyReader(FaultyFileSystem& files, std::string path, std::unique_ptr<TextReader> inner)
      : files_(files), path_(std::move(path)), inner_(std::move(inner)) {}

  std::optional<std::string> ReadLine() override {
    files_.Check(FileOp::ReadLine, path_);
    return inner_->ReadLine();
  }

 private:
  FaultyFileSystem& files_;
  std::string path_;
  std::unique_ptr<TextReader> inner_;
};

class FaultyWriter : public TextWriter {
 public:
  FaultyWriter(FaultyFileSystem& files, std::string path, std::unique_ptr<TextWriter> inner)
      : files_(files), path_(std::move(path)), inner_(std::move(inner)) {}

  void WriteLine(std::string_view line) override {
    files_.Check(FileOp::WriteLine, path_);
    inner_->WriteLine(line);
  }
  void Close() override {
    files_.Check(FileOp::CloseText, path_);
    inner_->Close();
  }

 private:
  FaultyFileSystem& files_;
  std::string path_;
  std::unique_ptr<TextWriter> inner_;
};

bool Contains(std::string_view path, std::string_view part) {
  return path.find(part) != std::string_view::npos;
}

}  // namespace

std::string_view FileOpName(FileOp op) {
  switch (op) {
    case FileOp::Copy:
      return "Copy";
    case FileOp::Delete:
      return "Delete";
    case FileOp::Rename:
      return "Rename";
    case FileOp::Replace:
      return "Replace";
    case FileOp::Attributes:
      return "Attributes";
    case FileOp::LastModified:
      return "LastModified";
    case FileOp::FindFirst:
      return "FindFirst";
    case FileOp::MakeDirectory:
      return "MakeDirectory";
    case FileOp::SameFile:
      return "SameFile";
    case FileOp::OpenText:
      return "OpenText";
    case FileOp::CreateText:
      return "CreateText";
    case FileOp::AppendText:
      return "AppendText";
    case FileOp::ReadLine:
      return "ReadLine";
    case FileOp::WriteLine:
      return "WriteLine";
    case FileOp::CloseText:
      return "CloseText";
  }
  return "?";
}

void FaultyFileSystem::Fail(FileOp op, int32_t errorNumber, std::string pathContains, Times times) {
  faults_.push_back({op, errorNumber, std::move(pathContains), times});
}

void FaultyFileSystem::Check(FileOp op, std::string_view path, std::string_view otherPath) {
  std::string call(FileOpName(op));
  call += " " + std::string(path);
  if (!otherPath.empty()) call += " -> " + std::string(otherPath);
  calls_.push_back(call);
  for (Fault& fault : faults_) {
    if (fault.op != op || fault.spent) continue;
    if (!fault.pathContains.empty() && !Contains(path, fault.pathContains) &&
        !Contains(otherPath, fault.pathContains)) {
      continue;
    }
    if (fault.times == Times::Once) fault.spent = true;
    ++raised_;
    throw VbError(fault.errorNumber);
  }
}

void FaultyFileSystem::Copy(const std::string& source, const std::string& target) {
  Check(FileOp::Copy, source, target);
  inner_.Copy(source, target);
}

void FaultyFileSystem::Delete(const std::string& path) {
  Check(FileOp::Delete, path);
  inner_.Delete(path);
}

void FaultyFileSystem::Rename(const std::string& from, const std::string& to) {
  Check(FileOp::Rename, from, to);
  inner_.Rename(from, to);
}

void FaultyFileSystem::Replace(const std::string& from, const std::string& to) {
  Check(FileOp::Replace, from, to);
  inner_.Replace(from, to);
}

int32_t FaultyFileSystem::Attributes(const std::string& path) {
  Check(FileOp::Attributes, path);
  return inner_.Attributes(path);
}

DateTime FaultyFileSystem::LastModified(const std::string& path) {
  Check(FileOp::LastModified, path);
  return inner_.LastModified(path);
}

std::string FaultyFileSystem::FindFirst(const std::string& pattern, int32_t attributeMask) {
  Check(FileOp::FindFirst, pattern);
  return inner_.FindFirst(pattern, attributeMask);
}

void FaultyFileSystem::MakeDirectory(const std::string& path) {
  Check(FileOp::MakeDirectory, path);
  inner_.MakeDirectory(path);
}

bool FaultyFileSystem::SameFile(const std::string& first, const std::string& second) {
  Check(FileOp::SameFile, first, second);
  return inner_.SameFile(first, second);
}

std::unique_ptr<TextReader> FaultyFileSystem::OpenText(const std::string& path) {
  Check(FileOp::OpenText, path);
  return std::make_unique<FaultyReader>(*this, path, inner_.OpenText(path));
}

std::unique_ptr<TextWriter> FaultyFileSystem::CreateText(const std::string& path) {
  Check(FileOp::CreateText, path);
  return std::make_unique<FaultyWriter>(*this, path, inner_.CreateText(path));
}

void FaultyFileSystem::AppendText(const std::string& path, std::string_view text) {
  Check(FileOp::AppendText, path);
  inner_.AppendText(path, text);
}

}  // namespace zarvelin::fakes
