#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>
#include <string>

#include "addin/DisplayOnConnect.h"
#include "cli/Commands.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"

namespace zarvelin::cli {

void RegisterSettingsCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* settings = app.add_subcommand(
      "settings",
      "Show the add-in's per-user setting: whether the copy dialog opens on connection");
  auto reset = std::make_shared<bool>(false);
  settings->add_flag("--reset", *reset,
                     "Clear the setting, so that the dialog stays closed at the next connection");
  settings->callback([context, reset] {
    context.startSession();
    const std::string title = App().title;
    if (*reset) Sys().DeleteSetting(title, addin::kSettingsSection, addin::kDisplayOnConnect);
    const std::string value =
        Sys().GetSetting(title, addin::kSettingsSection, addin::kDisplayOnConnect, "0");
    *context.out << title << '\\' << addin::kSettingsSection << '\\' << addin::kDisplayOnConnect
                 << " = " << value
                 << (value == "1" ? " (the copy dialog opens when the add-in connects)"
                                  : " (the copy dialog stays closed when the add-in connects)")
                 << '\n';
  });
}

}  // namespace zarvelin::cli
