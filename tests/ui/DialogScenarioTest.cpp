#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "fakes/TestEnvironment.h"
#include "filebacked/FileBackedIde.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"
#include "ui/DialogHost.h"
#include "ui/frmCopyProject.h"

// Runs the scenarios of scenarios.txt: each sets up the example project's world, opens the
// file-backed IDE, works the copy dialog as a user would and compares the transcript with its
// approved file. Every transcript also tells whether the source project was left byte for byte.
namespace zarvelin {
namespace {

using Scenario = fakes::Case;

std::pair<std::string, std::string> Split(std::string_view text, char at) {
  const auto cut = text.find(at);
  if (cut == std::string_view::npos) return {std::string(text), {}};
  return {std::string(text.substr(0, cut)), std::string(text.substr(cut + 1))};
}

// "click cmdCopy; text txtDirectory=C:\Copy; escape": what the user does on a form.
void Act(forms::Form& form, const std::string& actions) {
  std::istringstream list(actions);
  for (std::string action; std::getline(list, action, ';');) {
    const auto [verb, rest] = Split(Trim(action), ' ');
    if (verb == "click")
      form.Click(rest);
    else if (verb == "dblclick")
      form.DblClick(rest);
    else if (verb == "enter")
      form.PressEnter();
    else if (verb == "escape")
      form.PressEscape();
    else if (verb == "close")
      form.CloseByUser();
    else if (verb == "load")
      form.Load();
    else if (verb == "text") {
      const auto [control, value] = Split(rest, '=');
      form.Ctl(control).SetText(fakes::Unescape(value));
    } else
      ADD_FAILURE() << "unknown action: " << action;
  }
}

// The add-in's connection, closing the dialog as the add-in does.
class ClosingHost : public DialogHost {
 public:
  void Hide(forms::Form& dialog) override {
    ++hides;
    dialog.Unload();
  }
  bool DisconnectionPending() const override { return pending; }
  bool ShuttingDown() const override { return shutting; }
  int hides = 0;
  // What the add-in says while it waits for the dialog's code to return from a disconnection.
  bool pending = false;
  bool shutting = false;
};

// What the IDE holds: its group file, each project (the start-up and the active one marked).
std::string HeldProjects(ide::VBE& vbe) {
  ide::VBProjects& projects = vbe.Projects();
  std::string held = "ide group " + projects.FileName();
  const std::string startup = projects.StartProject()->FileName();
  const std::string active = vbe.ActiveVBProject()->FileName();
  for (int32_t index = 1; index <= projects.Count(); ++index) {
    const std::string file = projects.Item(index)->FileName();
    held += "\nide project " + file + (file == startup ? " (start-up)" : "") +
            (file == active ? " (active)" : "");
  }
  return held;
}

class DialogScenario : public testing::TestWithParam<Scenario> {};

TEST_P(DialogScenario, MatchesItsApprovedTranscript) {
  fakes::TestEnvironment env;
  std::string project = fakes::TestEnvironment::kProject;
  std::vector<std::string> shown;
  std::vector<std::string> dialogActions;
  filebacked::IdeConfiguration configuration;
  bool quiet = false;
  std::string meanwhile;
  std::string disconnected;
  std::string unsaved;
  int32_t neverSaved = 0;
  bool group = false;
  frmCopyProject dialog;
  ClosingHost host;
  for (const std::string& step : GetParam().steps) {
    const auto [verb, rest] = Split(step, ' ');
    const auto [first, second] = Split(rest, ' ');
    if (verb == "put")
      env.files.Put(first, fakes::Unescape(second));
    else if (verb == "mkdir")
      env.files.PutDirectory(rest);
    else if (verb == "readonly")
      env.files.Put(rest, env.files.Bytes(rest), fileattr::kReadOnly);
    else if (verb == "remove")
      env.files.Delete(rest);
    else if (verb == "fail") {
      std::istringstream words(rest);
      std::string op, pathPart;
      int32_t number = 0, passing = 0;
      words >> op >> number >> pathPart >> passing;
      env.files.Fail(op, number, pathPart == "-" ? "" : pathPart, passing);
    } else if (verb == "drive")
      env.platform.driveTypes[first] = std::stoi(second);
    else if (verb == "answer")
      env.platform.messageAnswers.push_back(std::stoi(rest));
    else if (verb == "shell")
      env.platform.shellAnswers.push_back(std::stoi(rest));
    else if (verb == "noprinter")
      env.platform.printer.reset();
    else if (verb == "setting")
      env.platform.settings[Split(rest, '=').first] = Split(rest, '=').second;
    else if (verb == "project")
      project = rest;
    else if (verb == "group") {
      env.files.LoadTree(ZARVELIN_EXAMPLES_DIR "/meter", "C:\\Projects\\Meter");
      project = "C:\\Projects\\Meter\\Meter.vbg";
      group = true;
    } else if (verb == "addin")
      configuration.addIns.push_back({first, second == "connected"});
    else if (verb == "quiet")
      quiet = true;
    else if (verb == "novbe")
      project.clear();
    else if (verb == "platformfail")
      env.platform.failing[first] = std::stoi(second);
    else if (verb == "host")
      dialog.SetConnect(&host);
    else if (verb == "browse") {
      if (!rest.empty()) env.platform.folderChoices.push_back(rest);
    } else if (verb == "modal")
      env.windows.OnModal(first, [actions = second](forms::Form& form) { Act(form, actions); });
    else if (verb == "dialog")
      dialogActions.push_back(rest);
    else if (verb == "meanwhile")
      meanwhile = rest;
    else if (verb == "disconnected")
      disconnected = rest;
    else if (verb == "unsaved")
      unsaved = rest;
    else if (verb == "neversaved")
      neverSaved = std::stoi(rest);
    else if (verb == "show")
      shown.push_back(rest);
    else
      ADD_FAILURE() << "unknown step: " << step;
  }
  const auto sourceBefore = env.files.FilesUnder("C:\\Projects");

  std::string outcome;
  try {
    const auto vbe =
        project.empty() ? nullptr : filebacked::OpenFileBackedIde(project, configuration);
    dialog.SetVBInstance(vbe.get());
    dialog.SetQuiet(quiet);
    // Changes the user made in the IDE and did not save: the project's or a component's.
    const auto open =
        vbe ? static_cast<filebacked::FileBackedProjects&>(vbe->Projects()).Active() : nullptr;
    if (unsaved == "project") open->MarkDirty();
    if (!unsaved.empty() && unsaved != "project") {
      for (const auto& component : open->Components().Enumerate()) {
        if (component->Name() == unsaved) {
          static_cast<filebacked::FileBackedComponent&>(*component).MarkDirty();
        }
      }
    }
    if (neverSaved > 0) {
      static_cast<filebacked::FileBackedProject&>(*vbe->Projects().Item(neverSaved))
          .MarkNeverSaved();
    }
    dialog.Load();
    if (!meanwhile.empty()) {
      env.platform.atNextYield = [&] { Act(dialog, meanwhile); };
    }
    int yieldsLeft = 0;
    std::function<void()> disconnect = [&] {
      if (--yieldsLeft > 0) {
        env.platform.atNextYield = disconnect;
        return;
      }
      host.pending = true;
      host.shutting = Split(disconnected, ' ').first == "shutdown";
    };
    if (!disconnected.empty()) {
      yieldsLeft = std::stoi(Split(disconnected, ' ').second);
      env.platform.atNextYield = disconnect;
    }
    for (const std::string& actions : dialogActions) Act(dialog, actions);
    outcome = dialog.LastCopySucceeded() ? "copied" : "not copied";
    if (dialog.Loaded()) dialog.Unload();
    if (group) outcome += "\n" + HeldProjects(*vbe);
    if (host.hides > 0) outcome += "\nclosed by the host " + std::to_string(host.hides) + "x";
    for (const auto& addIn : configuration.addIns) {
      outcome += "\naddin " + addIn.progId + ":";
      for (const bool change : vbe->InstalledAddIns().Find(addIn.progId)->ConnectChanges())
        outcome += change ? " connect" : " disconnect";
    }
  } catch (const VbError& error) {
    outcome = "open failed: " + std::to_string(error.Number()) + " " + error.Description();
  }

  std::string transcript = "== outcome\n" + outcome + "\n";
  const auto sourceAfter = env.files.FilesUnder("C:\\Projects");
  for (const auto& [path, bytes] : sourceBefore) {
    const auto after = sourceAfter.find(path);
    if (after == sourceAfter.end() || after->second != bytes)
      transcript += "source changed: " + path + "\n";
  }
  fakes::ExpectApproved("dialog/" + GetParam().name, transcript + env.Transcript(shown));
}

INSTANTIATE_TEST_SUITE_P(Scenarios, DialogScenario,
                         testing::ValuesIn(fakes::LoadCases(ZARVELIN_SCENARIOS)),
                         [](const testing::TestParamInfo<Scenario>& scenario) {
                           return scenario.param.name;
                         });

}  // namespace
}  // namespace zarvelin
