#include <gtest/gtest.h>

#include "fakes/host/TempDir.h"
#include "host/SettingsFile.h"

namespace zarvelin::host {
namespace {

using fakes::TempDir;

TEST(SettingsFile, MissingFileGivesTheDefault) {
  TempDir tree;
  const SettingsFile settings(tree.HostPath("none"));
  EXPECT_EQ(settings.Get("App", "Section", "Key", "fallback"), "fallback");
}

TEST(SettingsFile, ValuesSurviveARoundTrip) {
  TempDir tree;
  const struct {
    const char* app;
    const char* section;
    const char* key;
    const char* value;
  } cases[] = {
      {"App", "Microsoft Visual Basic AddIns", "DisplayOnConnect frmCopyProject", "-1"},
      {"App", "Microsoft Visual Basic AddIns", "Other", "0"},
      {"Second", "S", "K", ""},
      {"Odd\\App", "Sec=tion [x]", "key=with=equals", "line\r\nbreaks\\and %41 percent"},
      {"High", "\xC9t\xE9", "[bracket", "\xFF"},
  };
  {
    SettingsFile settings(tree.HostPath("conf/deep"));
    for (const auto& c : cases) settings.Save(c.app, c.section, c.key, c.value);
  }
  const SettingsFile reread(tree.HostPath("conf/deep"));
  for (const auto& c : cases) {
    EXPECT_EQ(reread.Get(c.app, c.section, c.key, "missing"), c.value) << c.key;
  }
  EXPECT_EQ(tree.List("conf/deep").size(), 1u);
}

TEST(SettingsFile, NamesIgnoreLetterCaseAndSavingReplaces) {
  TempDir tree;
  SettingsFile settings(tree.HostPath());
  settings.Save("App", "Section", "Key", "first");
  settings.Save("APP", "section", "KEY", "second");
  settings.Save("App", "Section", "Other", "kept");
  EXPECT_EQ(settings.Get("app", "SECTION", "key", ""), "second");
  EXPECT_EQ(settings.Get("App", "Section", "Other", ""), "kept");
  EXPECT_EQ(settings.Get("App", "Other section", "Key", "none"), "none");
  const std::string text = tree.Read("settings.ini");
  EXPECT_EQ(text, "[App\\Section]\nKey=second\nOther=kept\n");
}

}  // namespace
}  // namespace zarvelin::host
