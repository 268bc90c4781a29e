// The simulated registry at sizes a hostile registry.reg or profile can
// reach: keys far deeper than the call stack, keys with very many values.
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/host/regedit4.h"
#include "platform/registry.h"
#include "support/test_machine.h"

namespace tvx::testing {
namespace {

constexpr int kDeep = 100'000;

std::string DeepPath(int levels) {
  std::string path;
  for (int i = 0; i < levels; ++i) path += i == 0 ? "k" : "\\k";
  return path;
}

// Regression: writing and destroying the tree recursed once per level and
// overflowed the stack.
TEST(RegistryScaleTest, AKeyAHundredThousandLevelsDeepIsWrittenReadAndDestroyed) {
  const std::string path = DeepPath(kDeep);
  std::string written;
  {
    host::RegistryTree tree;
    tree.Create(RegistryRoot::LocalMachine, path).SetValue("Leaf", RegistryValue::Dword(7));
    tree.Create(RegistryRoot::CurrentUser, "Side");
    written = host::WriteRegedit4(tree);
  }
  EXPECT_EQ(written, "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\" + path + "]\n\"Leaf\"=dword:00000007\n\n" +
                         "[HKEY_CURRENT_USER\\Side]\n");
  host::RegistryTree again;
  const host::Regedit4Result result = host::ParseRegedit4(written, again);
  ASSERT_TRUE(result.ok);
  const host::RegistryKey* leaf = again.Find(RegistryRoot::LocalMachine, path);
  ASSERT_NE(leaf, nullptr);
  ASSERT_NE(leaf->FindValue("leaf"), nullptr);
  EXPECT_EQ(*leaf->FindValue("leaf"), RegistryValue::Dword(7));
  EXPECT_EQ(host::WriteRegedit4(again), written);
  // Only the leaf gets a section: an intermediate key without values is
  // implied by it.
  EXPECT_EQ(again.Delete(RegistryRoot::LocalMachine, DeepPath(kDeep - 1)),
            host::RegistryTree::DeleteResult::HasSubkeys);
}

TEST(RegistryScaleTest, AProfileKeyAHundredThousandLevelsDeepMakesAMachine) {
  const std::string path = DeepPath(kDeep);
  std::string profile = DefaultProfileJson();
  std::string json;  // the same path with each backslash escaped
  for (char c : path) json += c == '\\' ? std::string("\\\\") : std::string(1, c);
  profile.insert(profile.rfind('}'), ", \"local_machine_keys\": [\"" + json + "\"]");
  TestMachine::Options options;
  options.profile_json = profile;
  TestMachine machine(options);
  Registry& registry = machine.platform().registry;
  EXPECT_EQ(registry.OpenKey(RegistryRoot::LocalMachine, path), registry_status::kSuccess);
  EXPECT_EQ(registry.SetValue(RegistryRoot::LocalMachine, path, "Deep", RegistryValue::String("yes")),
            registry_status::kSuccess);
  RegistryValue value;
  EXPECT_EQ(machine.Open()->platform().registry.QueryValue(RegistryRoot::LocalMachine, path, "DEEP", value),
            registry_status::kSuccess);
  EXPECT_EQ(value, RegistryValue::String("yes"));
}

std::string ValueName(int i) {
  char name[16];
  std::snprintf(name, sizeof name, "Value%06d", i);
  return name;
}

// Regression: each value was looked up by a walk over the key's values, so
// loading a key with many values took time quadratic in their number.
TEST(RegistryScaleTest, AKeyWithAHundredThousandValuesLoadsInOrder) {
  std::string text = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Many]\n";
  for (int i = kDeep - 1; i >= 0; --i)
    text += "\"" + ValueName(i) + "\"=dword:00" + ValueName(i).substr(5) + "\n";
  host::RegistryTree tree;
  ASSERT_TRUE(host::ParseRegedit4(text, tree).ok);
  const host::RegistryKey* key = tree.Find(RegistryRoot::LocalMachine, "many");
  ASSERT_NE(key, nullptr);
  ASSERT_EQ(key->values.size(), static_cast<std::size_t>(kDeep));
  // Creation order, not name order, as the file gave them.
  EXPECT_EQ(key->values.begin()->first, ValueName(kDeep - 1));
  EXPECT_EQ(std::prev(key->values.end())->first, ValueName(0));
  ASSERT_NE(key->FindValue("VALUE012345"), nullptr);
  EXPECT_EQ(*key->FindValue("VALUE012345"), RegistryValue::Dword(0x12345));
  EXPECT_EQ(host::WriteRegedit4(tree), text);
}

TEST(RegistryScaleTest, DeletingEveryOtherOfAHundredThousandValuesKeepsTheRestInOrder) {
  std::string text = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Many]\n";
  for (int i = 0; i < kDeep; ++i) text += "\"" + ValueName(i) + "\"=\"x\"\n";
  for (int i = 0; i < kDeep; i += 2) text += "\"" + ValueName(i) + "\"=-\n";
  text += "\"" + ValueName(0) + "\"=\"again\"\n";
  host::RegistryTree tree;
  ASSERT_TRUE(host::ParseRegedit4(text, tree).ok);
  const host::RegistryKey* key = tree.Find(RegistryRoot::CurrentUser, "Many");
  ASSERT_NE(key, nullptr);
  ASSERT_EQ(key->values.size(), static_cast<std::size_t>(kDeep / 2 + 1));
  EXPECT_EQ(key->values.begin()->first, ValueName(1));
  EXPECT_EQ(std::prev(key->values.end())->first, ValueName(0));  // made again: now the last
  EXPECT_EQ(key->FindValue(ValueName(2)), nullptr);
  EXPECT_EQ(*key->FindValue(ValueName(3)), RegistryValue::String("x"));
}

TEST(RegistryScaleTest, AValueSetAgainKeepsItsPlaceAndTheCaseItWasMadeWith) {
  host::RegistryKey key;
  key.SetValue("Alpha", RegistryValue::Dword(1));
  key.SetValue("Beta", RegistryValue::Dword(2));
  key.SetValue("ALPHA", RegistryValue::Dword(3));
  std::vector<std::pair<std::string, RegistryValue>> seen(key.values.begin(), key.values.end());
  EXPECT_EQ(seen, (std::vector<std::pair<std::string, RegistryValue>>{{"Alpha", RegistryValue::Dword(3)},
                                                                      {"Beta", RegistryValue::Dword(2)}}));
  EXPECT_TRUE(key.DeleteValue("alpha"));
  EXPECT_FALSE(key.DeleteValue("alpha"));
  EXPECT_EQ(key.FindValue("Alpha"), nullptr);
  EXPECT_EQ(key.values.size(), 1u);
}

}  // namespace
}  // namespace tvx::testing
