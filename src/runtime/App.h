#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zarvelin {

// What VB's App object tells about the running program.
struct AppFacts {
  std::string title = "Zarvelin";
  int32_t major = 1;
  int32_t minor = 0;
  int32_t revision = 1406;
  std::string comments = "Copy Current Visual Basic Project";
  std::string legalCopyright = "Copyright (C) 2026 The Zarvelin developers";
  std::string companyWebSite = "https://zarvelin.example.org";
  std::string supportMail = "support@zarvelin.example.org";
  // App.Path: the program's directory as a VB path, without a trailing backslash unless a root.
  std::string path;
  // App.EXEName: the program file's base name, without extension.
  std::string exeName = "Zarvelin";
  // The running program's own file as a VB path, where the host names it (a program whose file
  // is no Zarvelin.exe or Zarvelin.dll); empty: the file App.Path and App.EXEName name.
  std::string programFile;
  // The file the error report is appended to; empty: Error.log in App.Path.
  std::string errorLog;
};

// The program's file: the one the host named, else App.Path\App.EXEName with the extension.
std::string ProgramFileOf(const AppFacts& facts, std::string_view extension);
// Where the error report is kept: the file the host chose, else Error.log in App.Path.
std::string ErrorLogOf(const AppFacts& facts);

}  // namespace zarvelin
