#pragma once

#include <string>
#include <string_view>

namespace zarvelin::host {

// The per-user settings store of a host without a registry: one INI file, sections named
// "[app\section]", lines "key=value". Names are found without regard to ASCII letter case, as
// registry keys are. Backslashes, line breaks and "=" in names and values are escaped, so any
// text survives a round trip. Every save rewrites the file beside itself and renames it over
// the old one: a failure leaves the previous settings whole.
class SettingsFile {
 public:
  explicit SettingsFile(std::string hostDirectory);

  std::string Get(std::string_view app, std::string_view section, std::string_view key,
                  std::string_view defaultValue) const;
  // Fails with the run time's number for what the host refused (70, 61 ...).
  void Save(std::string_view app, std::string_view section, std::string_view key,
            std::string_view value);
  // Removes the key, and its section when nothing else is left there; a missing key is no
  // failure.
  void Delete(std::string_view app, std::string_view section, std::string_view key);

 private:
  std::string directory_;
  std::string path_;
};

}  // namespace zarvelin::host
