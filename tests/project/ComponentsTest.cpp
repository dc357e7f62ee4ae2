#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "project/cComponents.h"
#include "runtime/VbError.h"

namespace zarvelin {
namespace {

std::shared_ptr<cComponent> Named(const std::string& name) {
  auto record = std::make_shared<cComponent>();
  record->ComponentName(name);
  return record;
}

int32_t FailureNumber(const std::function<void()>& action) {
  try {
    action();
  } catch (const VbError& error) {
    return error.Number();
  }
  return 0;
}

TEST(ComponentsTest, RecordsKeepTheirOrderAndOneBasedPositions) {
  const std::vector<std::pair<std::string, std::string>> added = {
      {"frmMain", ""}, {"Util", "Util"}, {"frmOther", ""}, {"App.res", "App.res"}};
  cComponents components;
  EXPECT_EQ(components.begin(), components.end());
  for (const auto& [name, key] : added) components.Add(Named(name), key);

  ASSERT_EQ(components.Count(), static_cast<int32_t>(added.size()));
  size_t index = 0;
  for (const auto& record : components) {
    EXPECT_EQ(record->ComponentName(), added[index].first);
    EXPECT_EQ(components.Item(static_cast<int32_t>(index) + 1), record);
    ++index;
  }
  EXPECT_EQ(index, added.size());
}

struct KeyCase {
  std::string first;
  std::string second;
  bool collides;
};

class KeyCollisionTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyCollisionTest, SecondKeyIsRefusedOnlyWhenEqualWithoutRegardToCase) {
  const KeyCase& c = GetParam();
  cComponents components;
  components.Add(Named("first"), c.first);
  const int32_t number = FailureNumber([&] { components.Add(Named("second"), c.second); });

  EXPECT_EQ(number, c.collides ? 457 : 0);
  EXPECT_EQ(components.Count(), c.collides ? 1 : 2);
  if (!c.first.empty()) {
    EXPECT_EQ(components.Item(c.first)->ComponentName(), "first");
  }
  if (!c.second.empty() && !c.collides) {
    EXPECT_EQ(components.Item(c.second)->ComponentName(), "second");
  }
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyCollisionTest,
                         ::testing::Values(KeyCase{"Util", "Util", true},
                                           KeyCase{"Util", "uTIL", true},
                                           KeyCase{"App.RES", "app.res", true},
                                           KeyCase{"Util", "Util2", false},
                                           KeyCase{"Util", "Util ", false}, KeyCase{"", "", false},
                                           KeyCase{"", "Util", false}, KeyCase{"Util", "", false}));

TEST(ComponentsTest, AbsentPositionsAndKeysFailAsInvalidCalls) {
  cComponents components;
  EXPECT_EQ(FailureNumber([&] { components.Item(1); }), 5);
  components.Add(Named("frmMain"));
  components.Add(Named("Util"), "Util");
  const int32_t count = components.Count();

  for (const int32_t position : {0, -1, count + 1, 32767}) {
    EXPECT_EQ(FailureNumber([&] { components.Item(position); }), 5) << position;
    EXPECT_EQ(FailureNumber([&] { components.Remove(position); }), 5) << position;
  }
  // A form carries no key, so its name does not reach it.
  for (const std::string key : {"frmMain", "Other", ""}) {
    EXPECT_EQ(FailureNumber([&] { components.Item(key); }), 5) << key;
    EXPECT_EQ(FailureNumber([&] { components.Remove(key); }), 5) << key;
  }
  EXPECT_EQ(components.Count(), count);
}

TEST(ComponentsTest, RemoveMovesLaterRecordsUpAndFreesTheKey) {
  cComponents components;
  for (const std::string name : {"A", "B", "C", "D"}) components.Add(Named(name), name);

  components.Remove(1);
  EXPECT_EQ(components.Item(1)->ComponentName(), "B");
  components.Remove("c");
  ASSERT_EQ(components.Count(), 2);
  EXPECT_EQ(components.Item(2)->ComponentName(), "D");
  EXPECT_EQ(components.Item("d")->ComponentName(), "D");
  EXPECT_EQ(FailureNumber([&] { components.Item("A"); }), 5);

  components.Add(Named("A again"), "A");
  components.Add(Named("C again"), "C");
  EXPECT_EQ(components.Item("a")->ComponentName(), "A again");
  EXPECT_EQ(components.Item(4)->ComponentName(), "C again");
}

TEST(ComponentsTest, EveryKeyOfALargeCollectionFindsItsOwnRecord) {
  constexpr int32_t kRecords = 20000;
  cComponents components;
  for (int32_t i = 1; i <= kRecords; ++i)
    components.Add(Named(std::to_string(i)), "K" + std::to_string(i));
  for (int32_t i = 1; i <= kRecords; i += 2) components.Remove("k" + std::to_string(i));

  ASSERT_EQ(components.Count(), kRecords / 2);
  for (int32_t i = 2; i <= kRecords; i += 2) {
    EXPECT_EQ(components.Item("K" + std::to_string(i))->ComponentName(), std::to_string(i));
    EXPECT_EQ(components.Item(i / 2)->ComponentName(), std::to_string(i));
  }
}

}  // namespace
}  // namespace zarvelin
