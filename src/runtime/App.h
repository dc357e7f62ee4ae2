#pragma once

#include <cstdint>
#include <string>

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
};

}  // namespace zarvelin
