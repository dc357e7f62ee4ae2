#include <memory>
#include <optional>

#include "copy/ConnectAddIn.h"
#include "copy/CopyProject.h"
#include "copy/CopyProjectFiles.h"
#include "copy/CopyRoad.h"
#include "copy/CopySafeguard.h"
#include "copy/CopyTexts.h"
#include "copy/NamePlan.h"
#include "copy/SaveFiles.h"
#include "platform/Platform.h"
#include "project/cVBP.h"
#include "runtime/FileSystem.h"
#include "runtime/Runtime.h"
#include "runtime/Trap.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

namespace zarvelin::copy {
namespace {

// The IDE's source-code-control add-in, disconnected while a copy runs.
constexpr std::string_view kSccAddInProgId = "vbscc";

// A copy directory spelled differently from the project directory ("C:\Proj\", "C:\Proj\.")
// passes the validation and makes the saved project file the source project file itself; the
// source project must never be written by a copy, so its Path32 line is then left alone.
bool IsSourceProjectFile(const std::string& sCopiedFile, const std::string& sSourceFile) {
  return Files().SameFile(sCopiedFile, sSourceFile);
}

// Says that the copy directory is as it was, or which files could not be put back and where
// they are.
void TellNotPutBack(CopyRoad& road) {
  std::string text = "The copy directory was left as it was.";
  if (!road.result.notPutBack.empty()) {
    text = "These files of the copy directory could not be put back:";
    for (const NotPutBack& file : road.result.notPutBack) {
      text += std::string(kCrLf) + file.file + " is kept as " + file.keptAs;
    }
  }
  // A box that cannot be shown is reported; the copy still ends as it should.
  Trap(kModule, "CopyProjectFromCD", [&](Erl& erl) {
    erl = 85;
    road.observer.MsgBox(text, std::string(App().title), mb::kInformation);
  });
}

// Puts the copy directory back as it was and says so, after the failing step's own message.
void RollBack(CopySafeguard& safeguard, CopyRoad& road) {
  road.result.notPutBack = safeguard.Rollback();
  TellNotPutBack(road);
}

// Every planned file that the copy directory now holds, with its size.
std::vector<WrittenFile> WrittenFiles(const NamePlan& plan, const std::string& sCopyDirectory) {
  std::vector<WrittenFile> written;
  for (const std::string& name : plan.Targets()) {
    const std::string path = JoinPath(sCopyDirectory, name);
    // A planned name the IDE did not write after all has no length: it was not written.
    try {
      written.push_back({path, Files().Length(path)});
    } catch (const VbError&) {
    }
  }
  return written;
}

// The step of the driver a failure at the line marker belongs to.
CopyStep StepAtLine(int16_t line) {
  if (line < 30) return CopyStep::Plan;
  if (line < 50) return CopyStep::Components;
  if (line == 50) return CopyStep::Path32;
  return CopyStep::Reopen;
}

// The copy driver: the order of the copy's steps, the observer's layouts, the reload of the
// source project.
void CopyProjectFromCD(ide::VBE& vbe, ide::VBProject& project, CopyRoad& road) {
  const CopyRequest& request = road.request;
  CopyObserver& observer = road.observer;
  const std::unique_ptr<CopySafeguard> ownSafeguard =
      request.safeguard == nullptr ? MakeCopySafeguard() : nullptr;
  CopySafeguard& safeguard = request.safeguard == nullptr ? *ownSafeguard : *request.safeguard;
  const std::string& sCopyDirectory = request.copyDirectory;
  bool began = false;
  bool settled = false;
  Trap(
      kModule, "CopyProjectFromCD",
      [&](Erl& erl) {
        // The copy owns its directories while it runs: each is listed once.
        const std::unique_ptr<ListingHold> listings = Files().HoldListings();

        erl = 10;
        const bool bAddIn = ConnectAddIn(vbe, std::string(kSccAddInProgId), false);
        if (bAddIn) observer.MoveToCorner();

        erl = 20;
        observer.ShowLayout(CopyLayout::Copying);
        observer.SetOnTop(true);
        road.DoEvents();

        bool bFiles = false;
        bool bProjectFile = false;
        bool bPath32 = false;
        std::optional<NamePlan> plan;
        if (!road.stopped) {
          // What a killed copy left in the directory is put back before anything is planned.
          erl = 23;
          road.result.notPutBack = safeguard.Recover(sCopyDirectory);
          if (!road.result.notPutBack.empty()) {
            road.StoppedAt(CopyStep::Plan, 0, road.result.notPutBack.front().keptAs,
                           "A stopped copy's files could not be put back.");
            TellNotPutBack(road);
            road.stopped = true;
          }
        }
        if (!road.stopped) {
          erl = 25;
          plan.emplace(project.Components().Enumerate(), request);
          for (const Renaming& renaming : plan->Renamed()) observer.FileRenamed(renaming);
          road.result.renamed = plan->Renamed();
          erl = 27;
          safeguard.Begin(sCopyDirectory, plan->Targets(), plan->Reserved());
          began = true;

          erl = 30;
          bFiles = CopyProjectFiles(project, sCopyDirectory, *plan, road);
          if (bFiles && !road.stopped) {
            erl = 40;
            bProjectFile = SaveVBP(project, sCopyDirectory, plan->ProjectFileName(), road);
          }
        }
        observer.SetOnTop(false);

        const std::string sSourceFile = JoinPath(request.projectDirectory, request.projectFileName);
        if (bProjectFile) {
          const std::string sCopiedFile = JoinPath(sCopyDirectory, plan->ProjectFileName());
          bPath32 = true;
          if (!IsSourceProjectFile(sCopiedFile, sSourceFile)) {
            erl = 50;
            // The model reports its own failures and goes on; the copy is then not what it
            // should be.
            const FailureNote note;
            cVBP vbp;
            vbp.VBPFile(sCopiedFile);
            vbp.Path32("");
            bPath32 = !note.Noted();
            if (!bPath32) road.StoppedAt(CopyStep::Path32, 0, sCopiedFile, "Path32 not cleared");
          }
        }

        erl = 60;
        observer.ShowLayout(CopyLayout::Reloading);
        road.DoEvents();
        Sys().SetMousePointer(pointer::kHourglass);

        if (bFiles && !bProjectFile && !road.stopped) {
          erl = 80;
          observer.MsgBox("The Copied Project's VBP File was Not Saved." + std::string(kCrLf) +
                              "You Should Close this Project and Reopen it.",
                          "Error Saving VBP File", mb::kExclamation);
        }
        const bool finished = bPath32 && !road.stopped;
        if (began && !finished) {
          erl = 85;
          settled = true;
          RollBack(safeguard, road);
        }
        if (!road.stopped && request.reopenSource) {
          erl = 70;
          vbe.Projects().AddFromFile(sSourceFile, true);
        }
        if (finished) {
          erl = 90;
          road.result.written = WrittenFiles(*plan, sCopyDirectory);
          settled = true;
          road.result.replaced = safeguard.Commit();
          road.result.finished = true;
        }

        erl = 95;
        if (road.stopped) {
          // A stopped copy makes no IDE call but this one, and none while the IDE goes away.
          if (bAddIn && !observer.ShuttingDown()) {
            ConnectAddIn(vbe, std::string(kSccAddInProgId), true);
          }
          return;
        }
        observer.ShowLayout(CopyLayout::AfterReload);
        observer.DoEvents();

        if (bAddIn) {
          erl = 100;
          ConnectAddIn(vbe, std::string(kSccAddInProgId), true);
          observer.CenterOnTop();
        }
      },
      [&](const VbError& error, int16_t line) {
        road.StoppedAt(StepAtLine(line), error.Number(), {}, error.Description());
        return false;
      });
  if (began && !settled) {
    road.result.finished = false;
    RollBack(safeguard, road);
  }
}

}  // namespace

std::string_view CopyStepName(CopyStep step) {
  switch (step) {
    case CopyStep::None:
      return "";
    case CopyStep::Plan:
      return "plan";
    case CopyStep::Components:
      return "components";
    case CopyStep::ProjectFile:
      return "project file";
    case CopyStep::Path32:
      return "Path32";
    case CopyStep::Reopen:
      return "reopen";
    case CopyStep::Stopped:
      return "stopped";
  }
  return "";
}

CopyResult CopyProject(ide::VBE& vbe, ide::VBProject& project, const CopyRequest& request,
                       CopyObserver& observer) {
  CopyResult result;
  CopyRoad road{request, observer, result};
  CopyProjectFromCD(vbe, project, road);
  return result;
}

}  // namespace zarvelin::copy
