#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "fakes/FixedClock.h"
#include "fakes/RecordingWindowBackend.h"
#include "fakes/ScriptedPlatform.h"
#include "forms/WindowBackend.h"
#include "runtime/FileSystem.h"
#include "runtime/Runtime.h"
#include "runtime/VbError.h"

namespace zarvelin::testing_ui {

// Answers the program file's time for the paths a test names; every other file is missing.
class MockFileSystem : public FileSystem {
 public:
  MOCK_METHOD(void, Copy, (const std::string&, const std::string&), (override));
  MOCK_METHOD(void, Delete, (const std::string&), (override));
  MOCK_METHOD(void, Rename, (const std::string&, const std::string&), (override));
  MOCK_METHOD(void, Replace, (const std::string&, const std::string&), (override));
  MOCK_METHOD(int32_t, Attributes, (const std::string&), (override));
  MOCK_METHOD(DateTime, LastModified, (const std::string&), (override));
  MOCK_METHOD(std::string, FindFirst, (const std::string&, int32_t), (override));
  MOCK_METHOD(void, MakeDirectory, (const std::string&), (override));
  MOCK_METHOD(bool, SameFile, (const std::string&, const std::string&), (override));
  MOCK_METHOD(std::unique_ptr<TextReader>, OpenText, (const std::string&), (override));
  MOCK_METHOD(std::unique_ptr<TextWriter>, CreateText, (const std::string&), (override));
  MOCK_METHOD(void, AppendText, (const std::string&, std::string_view), (override));
};

// The scripted platform with a log, a clipboard and a printer that can be made to fail.
class FailingPlatform : public fakes::ScriptedPlatform {
 public:
  bool failLog = false;
  bool failClipboard = false;
  bool failPrint = false;

  void LogEvent(std::string_view logFile, std::string_view text) override {
    if (failLog) throw VbError(vberr::kDiskFull);
    ScriptedPlatform::LogEvent(logFile, text);
  }
  void ClipboardSetText(std::string_view text) override {
    if (failClipboard) throw VbError(521, "Can't open Clipboard");
    ScriptedPlatform::ClipboardSetText(text);
  }
  void PrintDocument(std::string_view text, int32_t scaleMode, float currentY) override {
    if (failPrint) throw VbError(482, "Printer error");
    ScriptedPlatform::PrintDocument(text, scaleMode, currentY);
  }
};

inline constexpr std::string_view kProgramDir = "C:\\Program Files\\Zarvelin";
inline constexpr std::string_view kDllPath = "C:\\Program Files\\Zarvelin\\Zarvelin.dll";
inline constexpr std::string_view kExePath = "C:\\Program Files\\Zarvelin\\Zarvelin.exe";
inline constexpr std::string_view kLogPath = "C:\\Program Files\\Zarvelin\\Error.log";
inline constexpr DateTime kDllTime{2026, 11, 30, 17, 5, 9};
inline const std::string kSep = "'" + std::string(70, '-');

inline AppFacts TestApp(std::string_view path = kProgramDir) {
  AppFacts app;
  app.title = "Zarvelin";
  app.major = 1;
  app.minor = 0;
  app.revision = 1406;
  app.supportMail = "support@zarvelin.example.org";
  app.exeName = "Zarvelin";
  app.path = std::string(path);
  return app;
}

// An installed program as the error window finds it: the add-in DLL beside its log, Windows 2000,
// a fixed clock, and a window backend that plays the user by script.
class ErrorWindowTest : public ::testing::Test {
 protected:
  ErrorWindowTest() {
    SetPlatform(&platform);
    forms::SetWindowBackend(&windows);
    ON_CALL(files, LastModified(::testing::_))
        .WillByDefault(::testing::Throw(VbError(vberr::kFileNotFound)));
    ON_CALL(files, LastModified(std::string(kDllPath))).WillByDefault(::testing::Return(kDllTime));
    platform.VersionAnswer() = {true, true, 5, 0, 2195, 2, "Service Pack 2", 1};
    platform.UserNameAnswer() = {true, std::string("jdoe\0", 5), 5};
    platform.ComputerNameAnswer() = {true, "JDOE-PC", 7};
  }
  ~ErrorWindowTest() override {
    forms::SetWindowBackend(nullptr);
    SetPlatform(nullptr);
  }

  // The user types a description (when given) and presses one button of the window.
  void UserTypesAndPresses(std::string description, std::string button) {
    windows.OnModal("frmError", [description, button](forms::Form& form) {
      if (!description.empty()) form.Ctl("txtDesc").SetText(description);
      form.Click(button);
    });
  }

  ::testing::NiceMock<MockFileSystem> files;
  fakes::FixedClock clock;
  FailingPlatform platform;
  fakes::RecordingWindowBackend windows;
  ScopedRuntime runtime{Runtime{&files, &clock, TestApp()}};
};

}  // namespace zarvelin::testing_ui
