#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/FaultyFileSystem.h"
#include "fakes/ScriptedPlatform.h"
#include "fakes/TempDir.h"
#include "host/HostFileSystem.h"
#include "host/PathMapper.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "runtime/Trap.h"

namespace zarvelin::filebacked {

// One reported failure, as ErrMsg would receive it.
struct ReportedFailure {
  std::string module;
  std::string procedure;
  int16_t line;
  int32_t number;
};

// A test of the file-backed IDE on real files in a temporary directory, reached through the run
// time's files like the system reaches them, with a fault injector in between.
class FileBackedIdeTest : public ::testing::Test {
 protected:
  FileBackedIdeTest() : runtime_(Runtime{&faulty_, nullptr, {}}) {
    SetPlatform(&platform_);
    SetFailureReporter(
        [this](std::string_view module, std::string_view procedure, int16_t line, int32_t number) {
          failures_.push_back({std::string(module), std::string(procedure), line, number});
        });
  }
  ~FileBackedIdeTest() override {
    SetFailureReporter({});
    SetPlatform(nullptr);
  }

  // Every file below relative (host separators), with its bytes.
  std::map<std::string, std::string> Snapshot(std::string_view relative = {}) const {
    std::map<std::string, std::string> files;
    const std::filesystem::path root = dir_.HostPath(relative);
    if (!std::filesystem::exists(root)) return files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
      if (!entry.is_regular_file()) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      files[std::filesystem::relative(entry.path(), root).string()] =
          std::string(std::istreambuf_iterator<char>(in), {});
    }
    return files;
  }

  fakes::TempDir dir_;
  // A second drive, Y:, for what lies on another drive than the project.
  fakes::TempDir otherDrive_;
  PathMapper mapper_{PathMapperConfig{{{'Y', otherDrive_.HostPath()}}, {}, {}, "WINDOWS-1252"}};
  HostFileSystem host_{mapper_};
  fakes::FaultyFileSystem faulty_{host_};
  ScopedRuntime runtime_;
  fakes::ScriptedPlatform platform_;
  std::vector<ReportedFailure> failures_;
};

// A project with every kind of component VB6 writes, laid out as real projects are: components
// beside the project file, below it and above it, a resource file, a related document, binary
// companions, a designer's cache, and a form whose name the project file spells in other letter
// case than the disk. Line ends are CR LF, as VB writes them.
struct LedgerComponent {
  std::string name;
  int32_t type;
  std::string file;  // relative to the temp dir, as the disk spells it
  std::vector<std::string> companions;
};

inline std::string Crlf(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

// Binary bytes that a text-mode trip would spoil: NULs, lone CRs and LFs, high bytes.
inline std::string BinaryBytes(std::string_view seed) {
  std::string bytes("\0\1\r\n\r\n\xFF\xFE\0", 9);
  bytes += seed;
  bytes += std::string("\n\r\x80\0", 4);
  return bytes;
}

inline const std::vector<LedgerComponent>& LedgerComponents() {
  static const std::vector<LedgerComponent> components{
      {"frmMain", 5, "src/App/frmMain.frm", {"src/App/frmMain.frx"}},
      {"mdiLedger", 6, "src/App/mdiLedger.frm", {"src/App/mdiLedger.frx"}},
      {"modMain", 1, "src/App/modMain.bas", {}},
      {"Util", 1, "src/Shared/Util.bas", {}},
      {"cEntry", 2, "src/App/classes/cEntry.cls", {}},
      {"ctlAmount", 8, "src/App/ctlAmount.ctl", {"src/App/ctlAmount.ctx"}},
      {"ppgCurrency", 7, "src/App/ppgCurrency.pag", {"src/App/ppgCurrency.pgx"}},
      {"docLedger", 9, "src/App/docLedger.dob", {"src/App/docLedger.dox"}},
      {"dsrMonthly",
       11,
       "src/App/dsrMonthly.dsr",
       {"src/App/dsrMonthly.dsx", "src/App/dsrMonthly.dca"}},
      {"frmCase", 5, "src/App/Forms/frmCase.frm", {"src/App/Forms/frmCase.frx"}},
      {"Ledger.res", 4, "src/App/Ledger.res", {}},
      {"Ledger Notes.txt", 10, "src/App/docs/Ledger Notes.txt", {}},
  };
  return components;
}

inline std::string LedgerProjectFile() {
  return Crlf({"Type=Exe",
               "Reference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#..\\..\\Windows\\"
               "System32\\stdole2.tlb#OLE Automation",
               "Object={831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0; MSCOMCTL.OCX",
               "Form=frmMain.frm",
               "Form=mdiLedger.frm",
               "Module=modMain; modMain.bas",
               "Module=Util; ..\\Shared\\Util.bas",
               "Class=cEntry; classes\\cEntry.cls",
               "UserControl=ctlAmount.ctl",
               "PropertyPage=ppgCurrency.pag",
               "UserDocument=docLedger.dob",
               "Designer=dsrMonthly.dsr",
               "Form=forms\\FRMCASE.FRM",
               "ResFile32=\"Ledger.res\"",
               "RelatedDoc=docs\\Ledger Notes.txt",
               "IconForm=\"mdiLedger\"",
               "Startup=\"Sub Main\"",
               "ExeName32=\"Ledger.exe\"",
               "Path32=\"..\\bin\"",
               "Name=\"Ledger\"",
               "FavorPentiumPro(tm)=0",
               "",
               "[MS Transaction Server]",
               "AutoRefresh=1"});
}

inline std::string FormFile(std::string_view kind, std::string_view name) {
  const std::string companion = std::string(name) + ".frx";
  return Crlf(
      {"VERSION 5.00", "Begin " + std::string(kind) + " " + std::string(name) + " ",
       "   Caption         =   \"Ledger Entries\"",
       "   Icon            =   \"" + companion + "\":0000", "   Begin VB.CommandButton cmdPost ",
       "      Caption         =   $\"" + companion + "\":0442",
       "      Picture         =   \"" + companion + "\":0442", "   End", "End",
       "Attribute VB_Name = \"" + std::string(name) + "\"", "Attribute VB_GlobalNameSpace = False",
       "Option Explicit", "' \"Other.frx\":0000 in code is no companion"});
}

inline std::string DesignedFile(std::string_view begin, std::string_view name,
                                std::string_view companionExtension) {
  const std::string companion = std::string(name) + "." + std::string(companionExtension);
  return Crlf({"VERSION 5.00", "Begin " + std::string(begin) + " " + std::string(name) + " ",
               "   ClientHeight    =   6585", "   Size            =   \"" + companion + "\":0000",
               "End", "Attribute VB_Name = \"" + std::string(name) + "\"", "Option Explicit"});
}

inline void WriteLedger(const fakes::TempDir& dir) {
  dir.Write("src/App/App.vbp", LedgerProjectFile());
  dir.Write("src/App/frmMain.frm", FormFile("VB.Form", "frmMain"));
  dir.Write("src/App/frmMain.frx", BinaryBytes("frmMain"));
  dir.Write("src/App/mdiLedger.frm", FormFile("VB.MDIForm", "mdiLedger"));
  dir.Write("src/App/mdiLedger.frx", BinaryBytes("mdiLedger"));
  dir.Write("src/App/modMain.bas",
            Crlf({"Attribute VB_Name = \"modMain\"", "Option Explicit", "Sub Main()", "End Sub"}));
  dir.Write("src/Shared/Util.bas", Crlf({"Attribute VB_Name = \"Util\"", "Option Explicit"}));
  dir.Write("src/App/classes/cEntry.cls",
            Crlf({"VERSION 1.0 CLASS", "BEGIN", "  MultiUse = -1  'True", "END",
                  "Attribute VB_Name = \"cEntry\"", "Option Explicit"}));
  dir.Write("src/App/ctlAmount.ctl", DesignedFile("VB.UserControl", "ctlAmount", "ctx"));
  dir.Write("src/App/ctlAmount.ctx", BinaryBytes("ctlAmount"));
  dir.Write("src/App/ppgCurrency.pag", DesignedFile("VB.PropertyPage", "ppgCurrency", "pgx"));
  dir.Write("src/App/ppgCurrency.pgx", BinaryBytes("ppgCurrency"));
  dir.Write("src/App/docLedger.dob", DesignedFile("VB.UserDocument", "docLedger", "dox"));
  dir.Write("src/App/docLedger.dox", BinaryBytes("docLedger"));
  dir.Write("src/App/dsrMonthly.dsr",
            DesignedFile("{78E93846-85FD-11D0-8487-00A0C90DC8A9}", "dsrMonthly", "dsx"));
  dir.Write("src/App/dsrMonthly.dsx", BinaryBytes("dsrMonthly"));
  dir.Write("src/App/dsrMonthly.dca", BinaryBytes("dsrMonthly cache"));
  dir.Write("src/App/Forms/frmCase.frm", FormFile("VB.Form", "frmCase"));
  dir.Write("src/App/Forms/frmCase.frx", BinaryBytes("frmCase"));
  dir.Write("src/App/Ledger.res", BinaryBytes("resources"));
  dir.Write("src/App/docs/Ledger Notes.txt", "Notes on the ledger.\r\n");
  // Files that the project does not list travel nowhere.
  dir.Write("src/App/App.vbw", Crlf({"frmMain = 0, 0, 0, 0, C"}));
  dir.Write("src/App/Stray.frm", FormFile("VB.Form", "Stray"));
}

}  // namespace zarvelin::filebacked
