#include "project/cVBP.h"

#include <string>

namespace zarvelin {

cVBP::cVBP() : components_(std::make_shared<cComponents>()) {}

void cVBP::VBPFile(std::string value) {
  vbpFile_ = std::move(value);
  ReadVBP();
}

void cVBP::MajorVer(int16_t value) {
  majorVer_ = value;
  majorVerText_ = std::to_string(value);
  WriteVBPParam("MajorVer", std::to_string(value), false);
}

void cVBP::Name(std::string value) {
  name_ = std::move(value);
  WriteVBPParam("Name", name_, false);
}

void cVBP::CommandLine(std::string value) {
  commandLine_ = std::move(value);
  WriteVBPParam("Command32", commandLine_, true);
}

void cVBP::Path32(std::string value) {
  path32_ = std::move(value);
  WriteVBPParam("Path32", path32_, true);
}

}  // namespace zarvelin
