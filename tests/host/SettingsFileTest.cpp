#include <gtest/gtest.h>

#include "HostTree.h"
#include "host/SettingsFile.h"

namespace zarvelin::host {
namespace {

using testing_support::HostTree;

TEST(SettingsFile, MissingFileGivesTheDefault) {
  HostTree tree;
  const SettingsFile settings(tree.Path("none"));
  EXPECT_EQ(settings.Get("App", "Section", "Key", "fallback"), "fallback");
}

TEST(SettingsFile, ValuesSurviveARoundTrip) {
  HostTree tree;
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
    SettingsFile settings(tree.Path("conf/deep"));
    for (const auto& c : cases) settings.Save(c.app, c.section, c.key, c.value);
  }
  const SettingsFile reread(tree.Path("conf/deep"));
  for (const auto& c : cases) {
    EXPECT_EQ(reread.Get(c.app, c.section, c.key, "missing"), c.value) << c.key;
  }
  EXPECT_EQ(tree.EntryCount("conf/deep"), 1u);
}

TEST(SettingsFile, NamesIgnoreLetterCaseAndSavingReplaces) {
  HostTree tree;
  SettingsFile settings(tree.Root());
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
