// The online-service client on the simulated machine: its versions, its
// probe, its installer from the disc's client folder and its removal with
// the products that use it.
#include "components/online_client.h"

#include <gtest/gtest.h>

#include "install/shared_count.h"
#include "support/test_machine.h"

namespace tvx::testing {
namespace {

constexpr RegistryRoot kRoot = RegistryRoot::LocalMachine;
constexpr const char* kFolder = "C:\\WINDOWS\\Tarvex\\NVC\\";
constexpr const char* kSource = "D:\\Online";
constexpr const char* kIni = "C:\\WINDOWS\\Tarvex\\tvx.ini";
constexpr const char* kSvrapi = "C:\\WINDOWS\\SYSTEM\\svrapi.dll";
constexpr const char* kSecur32 = "C:\\WINDOWS\\SYSTEM\\secur32.dll";

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

struct Versions {
  const char* startup;
  const char* client;
  const char* library;
  const char* product_library;
};

class ClientRig {
  // Made before the client that holds its platform.
  std::unique_ptr<TestMachine> machine_;

 public:
  explicit ClientRig(const std::string& patch = "{}") : machine_(MachineWith(patch)) {
    script_state.strings.Append({130, "S130"});
    script_state.strings.Append({131, "S131"});
    SetVersions({"1.0", "1.0", "1.0", "1.0"});
  }

  void SetVersions(const Versions& versions) {
    script_state.client_startup_version = versions.startup;
    script_state.client_version = versions.client;
    script_state.client_library_version = versions.library;
    script_state.product_library_version = versions.product_library;
  }
  // Every file the installer may copy, on the disc, but the one left out.
  void PutSource(std::string_view except = {}) {
    for (const char* name :
         {"Startup.exe", "Client.exe", "Client.dll", "Zephra.dll", "Other.dll", "svrapi.dll", "secur32.dll"})
      if (name != except) Put(std::string(kSource) + "\\" + name, std::string("new ") + name);
  }
  void Put(const std::string& path, const std::string& bytes = "x") { machine_->WriteFile(path, bytes); }
  std::string Read(const std::string& path) { return machine_->ReadFile(path); }
  bool Exists(const std::string& path) { return !Read(path).empty(); }
  bool FolderExists(const std::string& path) {
    const auto attributes = platform().files.Attributes(path);
    return attributes && (*attributes & attribute::kDirectory);
  }
  void SetValue(const std::string& name, const std::string& text) {
    registry().CreateKey(kRoot, kClientKey);
    registry().SetValue(kRoot, kClientKey, name, RegistryValue{RegistryType::String, text});
  }
  // The value as stored; nullopt when missing.
  std::optional<std::string> Value(const std::string& key, const std::string& name) {
    RegistryValue value;
    if (registry().QueryValue(kRoot, key, name, value) != registry_status::kSuccess) return std::nullopt;
    return value.type == RegistryType::Dword ? std::to_string(static_cast<unsigned char>(value.data[0]))
                                             : value.data;
  }
  std::optional<std::string> Count(const char* library) { return Value(kSharedDllsKey, library); }
  bool KeyExists() { return registry().OpenKey(kRoot, kClientKey) == registry_status::kSuccess; }

  Platform& platform() { return machine_->platform(); }
  Registry& registry() { return platform().registry; }
  std::string Transcript() { return machine_->Transcript(); }
  int Boxes() {
    const std::string transcript = Transcript();
    int count = 0;
    for (std::size_t at = transcript.find("message-box"); at != std::string::npos;
         at = transcript.find("message-box", at + 1))
      ++count;
    return count;
  }

  RegistryProcessState registry_state;
  ScriptProcessState script_state;
  std::string product = "Zephra";
  OnlineClient client{ClientContext{machine_->platform(), registry_state, script_state,
                                    [this] { return product; }, [] { return std::string(kSource); }}};
};

TEST(ClientVersionTest, NeedsUpdateComparesVersionsAsText) {
  struct Row {
    const char* label;
    std::optional<std::string> installed;
    const char* expected;
    bool needed;
  } rows[] = {
      {"1.10 is older than 1.9", "1.10", "1.9", true},
      {"1.9 is newer than 1.10", "1.9", "1.10", false},
      {"the same", "1.0", "1.0", false},
      {"newer installed", "2.0", "1.0", false},
      {"missing value", std::nullopt, "1.0", true},
      {"0 takes a missing value", std::nullopt, "0", false},
      {"0 takes any value", "0.1", "0", false},
      {"twenty bytes fit the buffer", "0.123456789012345678", "0.0", false},
      {"longer does not fit, and reads as missing", "0.1234567890123456789", "0.0", true},
      {"a value cut at its zero", std::string("1.0\0garbage", 11), "1.0", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    ClientRig rig;
    if (row.installed) rig.SetValue("ClientVersion", *row.installed);
    EXPECT_EQ(NeedsUpdate(rig.registry(), "ClientVersion", row.expected), row.needed);
  }
}

TEST(ClientVersionTest, AValueIsWrittenWithoutItsTerminatingZeroAndReadBack) {
  ClientRig rig;
  ASSERT_TRUE(WriteClientValue(rig.registry(), "StartupVersion", "2.5"));
  RegistryValue stored;
  ASSERT_EQ(rig.registry().QueryValue(kRoot, kClientKey, "StartupVersion", stored),
            registry_status::kSuccess);
  EXPECT_EQ(stored, (RegistryValue{RegistryType::String, "2.5"}));
  EXPECT_EQ(ReadClientValue(rig.registry(), "StartupVersion"), "2.5");
  EXPECT_EQ(ReadClientValue(rig.registry(), "ClientVersion"), std::nullopt);
}

// A client installed for Zephra with every version 1.0, as the installer
// leaves it but for the product library's restore value.
void PutInstalledClient(ClientRig& rig) {
  rig.Put(kIni, std::string("[NVC]\r\nDirectory=") + kFolder + "\r\n");
  rig.Put(std::string(kFolder) + "Startup.exe");
  rig.Put(std::string(kFolder) + "Zephra\\Zephra.dll");
  for (const char* name : {"StartupVersion", "ClientVersion", "NVCDLLVersion", "ZephraVersion"})
    rig.SetValue(name, "1.0");
}

TEST(ClientProbeTest, PresentOnlyWhenEachConditionHoldsInOrder) {
  struct Row {
    const char* label;
    std::function<void(ClientRig&)> spoil;
    bool present;
    bool values_read;  // reading a value makes the key: the probe got that far
  } rows[] = {
      {"installed and current", [](ClientRig&) {}, true, true},
      {"no NVC section",
       [](ClientRig& rig) {
         rig.Put(kIni, "[SYSTEM]\r\nCD ROM Speed=8\r\n");
         rig.registry().DeleteKey(kRoot, kClientKey);
       },
       false, false},
      {"no Directory",
       [](ClientRig& rig) {
         rig.Put(kIni, "[NVC]\r\nValid=TRUE\r\n");
         rig.registry().DeleteKey(kRoot, kClientKey);
       },
       false, false},
      {"the folder gone",
       [](ClientRig& rig) {
         rig.Put(kIni, "[NVC]\r\nDirectory=C:\\Elsewhere\\\r\n");
         rig.registry().DeleteKey(kRoot, kClientKey);
       },
       false, false},
      {"no product subfolder",
       [](ClientRig& rig) {
         rig.product = "Other";
         rig.registry().DeleteKey(kRoot, kClientKey);
       },
       false, false},
      {"startup older", [](ClientRig& rig) { rig.SetValue("StartupVersion", "0.9"); }, false, true},
      {"client value missing",
       [](ClientRig& rig) { rig.registry().DeleteValue(kRoot, kClientKey, "ClientVersion"); }, false, true},
      {"library 1.10 older than 1.9",
       [](ClientRig& rig) {
         rig.script_state.client_library_version = "1.9";
         rig.SetValue("NVCDLLVersion", "1.10");
       },
       false, true},
      {"only the normal installation's product value",
       [](ClientRig& rig) {
         rig.registry().DeleteValue(kRoot, kClientKey, "ZephraVersion");
         rig.SetValue("Zephra_DLLVersion", "1.0");
       },
       false, true},
      {"every version 0 and no values at all",
       [](ClientRig& rig) {
         rig.SetVersions({"0", "0", "0", "0"});
         for (const char* name : {"StartupVersion", "ClientVersion", "NVCDLLVersion", "ZephraVersion"})
           rig.registry().DeleteValue(kRoot, kClientKey, name);
       },
       true, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    ClientRig rig;
    PutInstalledClient(rig);
    row.spoil(rig);
    EXPECT_EQ(rig.client.ClientProbe(), row.present);
    EXPECT_EQ(rig.KeyExists(), row.values_read);
  }
}

TEST(ClientInstallTest, EveryVersionZeroCopiesOnlyTheMissingClientFiles) {
  ClientRig rig;
  rig.SetVersions({"0", "0", "0", "0"});
  rig.PutSource();
  rig.Put(std::string(kFolder) + "Startup.exe", "old Startup.exe");

  ASSERT_TRUE(rig.client.ClientInstall());

  EXPECT_EQ(rig.Read(std::string(kFolder) + "Startup.exe"), "old Startup.exe");
  EXPECT_EQ(rig.Read(std::string(kFolder) + "Client.exe"), "new Client.exe");
  EXPECT_FALSE(rig.Exists(std::string(kFolder) + "Client.dll")) << "skipped for any version";
  EXPECT_FALSE(rig.Exists(std::string(kFolder) + "Zephra\\Zephra.dll")) << "skipped for any version";
  EXPECT_TRUE(rig.FolderExists(std::string(kFolder) + "Zephra"));
  EXPECT_EQ(rig.Value(kClientKey, "ClientVersion"), "0");
  EXPECT_EQ(rig.Value(kClientKey, "StartupVersion"), std::nullopt);
  EXPECT_TRUE(Contains(rig.Read(kIni), std::string("[NVC]\r\nDirectory=") + kFolder + "\r\n"))
      << rig.Read(kIni);
  EXPECT_EQ(rig.Boxes(), 0);
}

TEST(ClientInstallTest, AFileIsCopiedWhenItsVersionIsOlderAsText) {
  struct Row {
    const char* label;
    const char* installed;
    const char* expected;
    bool copied;
  } rows[] = {
      {"1.10 installed, 1.9 expected", "1.10", "1.9", true},
      {"1.9 installed, 1.10 expected", "1.9", "1.10", false},
      {"the same", "1.9", "1.9", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    ClientRig rig;
    rig.SetVersions({"0", row.expected, "0", "0"});
    rig.PutSource();
    rig.Put(std::string(kFolder) + "Startup.exe", "old");
    rig.Put(std::string(kFolder) + "Client.exe", "old");
    rig.SetValue("ClientVersion", row.installed);

    ASSERT_TRUE(rig.client.ClientInstall());

    EXPECT_EQ(rig.Read(std::string(kFolder) + "Client.exe"), row.copied ? "new Client.exe" : "old");
    EXPECT_EQ(rig.Value(kClientKey, "ClientVersion"), row.copied ? row.expected : row.installed);
  }
}

TEST(ClientInstallTest, TheProductLibraryWritesItsValueOrTheRestoreValue) {
  struct Row {
    const char* label;
    std::optional<std::string> installed;  // product + "_DLLVersion"
    bool file_present;
    const char* written;  // the value the copy writes; empty: no copy
  } rows[] = {
      {"no value yet", std::nullopt, false, "Zephra_DLLVersion"},
      {"an older value", "0.9", true, "Zephra_DLLVersion"},
      {"current, file gone: restored", "1.0", false, "ZephraVersion"},
      {"current, file there", "1.0", true, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    ClientRig rig;
    rig.PutSource();
    const std::string library = std::string(kFolder) + "Zephra\\Zephra.dll";
    if (row.file_present) rig.Put(library, "old");
    if (row.installed) rig.SetValue("Zephra_DLLVersion", *row.installed);

    ASSERT_TRUE(rig.client.ClientInstall());

    const bool copied = *row.written != '\0';
    EXPECT_EQ(rig.Read(library), copied ? "new Zephra.dll" : "old");
    for (const char* name : {"Zephra_DLLVersion", "ZephraVersion"}) {
      SCOPED_TRACE(name);
      const bool written = std::string_view(row.written) == name;
      std::optional<std::string> expected = written ? std::optional<std::string>("1.0") : std::nullopt;
      if (!written && std::string_view(name) == "Zephra_DLLVersion") expected = row.installed;
      EXPECT_EQ(rig.Value(kClientKey, name), expected);
    }
  }
}

TEST(ClientInstallTest, ACopyThatFailsStopsAndOnlyTwoOfThemSaySo) {
  struct Row {
    const char* label;
    Versions versions;
    const char* missing_source;
    const char* message;  // empty: silent
  } rows[] = {
      {"startup to update", {"1.0", "0", "0", "0"}, "Startup.exe", "startup"},
      {"startup only missing", {"0", "0", "0", "0"}, "Startup.exe", ""},
      {"client only missing", {"0", "0", "0", "0"}, "Client.exe", "client"},
      {"client to update", {"0", "1.0", "0", "0"}, "Client.exe", ""},
      {"client library to update", {"0", "0", "1.0", "0"}, "Client.dll", ""},
      {"product library", {"0", "0", "0", "1.0"}, "Zephra.dll", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    ClientRig rig;
    rig.SetVersions(row.versions);
    rig.PutSource(row.missing_source);

    EXPECT_FALSE(rig.client.ClientInstall());

    const std::string transcript = rig.Transcript();
    if (*row.message) {
      EXPECT_TRUE(Contains(transcript, std::string("message-box caption=\"SetupTvx\" text=\"") + row.message +
                                           "\" style=0x00000000"))
          << transcript;
      EXPECT_EQ(rig.Boxes(), 1);
    } else {
      EXPECT_EQ(rig.Boxes(), 0) << transcript;
    }
    EXPECT_EQ(rig.Count("C:\\WINDOWS\\SYSTEM\\svrapi.dll"), std::nullopt) << "nothing counted";
  }
}

TEST(ClientInstallTest, EachSystemLibraryIsCountedOnceFoundOrCopied) {
  struct Row {
    const char* label;
    bool svrapi_in_system;
    bool secur32_on_disc;
    const char* secur32_count;  // nullptr: left alone
  } rows[] = {
      {"found and copied", true, true, "1"},
      {"one neither in the system nor on the disc", true, false, nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    ClientRig rig;
    rig.PutSource(row.secur32_on_disc ? "" : "secur32.dll");
    if (row.svrapi_in_system) rig.Put(kSvrapi, "system svrapi");

    ASSERT_TRUE(rig.client.ClientInstall());

    EXPECT_EQ(rig.Read(kSvrapi), "system svrapi") << "a library there is not replaced";
    EXPECT_EQ(rig.Count(kSvrapi), "1");
    EXPECT_EQ(rig.Count(kSecur32),
              row.secur32_count ? std::optional<std::string>(row.secur32_count) : std::nullopt);
    EXPECT_EQ(rig.Exists(kSecur32), row.secur32_on_disc);
    const bool told =
        Contains(rig.Transcript(),
                 "message-box caption=\"SetupTvx\" text=\"Can't open D:\\\\Online\\\\secur32.dll !!\" "
                 "style=0x00000000 owner=main");
    EXPECT_EQ(told, !row.secur32_on_disc) << rig.Transcript();
  }
}

TEST(ClientInstallTest, EachInstallationCountsTheLibrariesOnceMore) {
  ClientRig rig;
  rig.PutSource();
  ASSERT_TRUE(rig.client.ClientInstall());
  rig.product = "Other";
  ASSERT_TRUE(rig.client.ClientInstall());
  EXPECT_EQ(rig.Count(kSvrapi), "2");
  EXPECT_EQ(rig.Count(kSecur32), "2");
  EXPECT_EQ(rig.Read(std::string(kFolder) + "Other\\Other.dll"), "new Other.dll");
}

// Drive C: with room for a few bytes only.
constexpr const char* kNearlyFull = R"({"drives": [
    {"letter": "C", "type": "fixed", "label": "", "capacity": 1073741824, "used": 1073741814},
    {"letter": "D", "type": "cdrom", "label": "ZEPHRA"}]})";

TEST(ClientInstallTest, ACopyCutShortLeavesNoPartOfTheFile) {
  struct Row {
    const char* label;
    std::string file;
    bool installed;
  } rows[] = {
      {"a client file: the installation fails", std::string(kFolder) + "Client.exe", false},
      {"a system library: left uncounted", kSvrapi, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    ClientRig rig(kNearlyFull);
    rig.SetVersions({"0", "0", "0", "0"});
    rig.PutSource();
    rig.Put(std::string(kFolder) + "Startup.exe");
    if (row.installed) rig.Put(std::string(kFolder) + "Client.exe");
    rig.Put(kSecur32);

    EXPECT_EQ(rig.client.ClientInstall(), row.installed);

    EXPECT_FALSE(rig.platform().files.Attributes(row.file)) << "a truncated file would pass for installed";
    EXPECT_FALSE(rig.platform().files.Attributes(row.file + ".tmp"));
    EXPECT_EQ(rig.Count(kSvrapi), std::nullopt);
  }
}

TEST(ClientInstallTest, AProductNameThatIsNoPlainFolderNameFailsAndWritesNothing) {
  for (const char* name : {"..", "..\\..\\Evil", "Zephra\\..\\..", "a/b", "C:Evil", "", ". .", "Ze*ra"}) {
    SCOPED_TRACE(name);
    ClientRig rig;
    rig.PutSource();
    rig.product = name;
    EXPECT_FALSE(rig.client.ClientInstall());
    EXPECT_FALSE(rig.FolderExists(kFolder));
    EXPECT_FALSE(rig.KeyExists());
  }
}

// Zephra installed with its client, as the installer leaves them, and
// recorded with the other products.
ClientRig& Installed(ClientRig& rig, const std::vector<std::string>& products) {
  rig.PutSource();
  for (const std::string& product : products) {
    rig.product = product;
    EXPECT_TRUE(rig.client.ClientInstall());
  }
  rig.product = "Zephra";
  std::string record = rig.Read(kIni) + "\r\n[INSTALLED PRODUCTS]\r\n";
  for (const std::string& product : products) record += product + "\r\n";
  for (const std::string& product : products) record += "\r\n[" + product + "]\r\nDirectory=C:\\Games\\\r\n";
  rig.Put(kIni, record);
  return rig;
}

TEST(ClientRemoveTest, TheLastProductTakesTheWholeClient) {
  ClientRig rig;
  Installed(rig, {"Zephra"});
  ASSERT_TRUE(rig.Exists(std::string(kFolder) + "Startup.exe"));
  rig.Put(kSvrapi, "system svrapi");

  rig.client.ClientRemove();

  EXPECT_FALSE(rig.FolderExists(kFolder));
  EXPECT_TRUE(rig.FolderExists("C:\\WINDOWS\\Tarvex"));
  EXPECT_FALSE(Contains(rig.Read(kIni), "[NVC]")) << rig.Read(kIni);
  EXPECT_TRUE(Contains(rig.Read(kIni), "[Zephra]")) << "the product's record is the uninstaller's";
  EXPECT_FALSE(rig.KeyExists());
  EXPECT_EQ(rig.Count(kSvrapi), "0");
  EXPECT_EQ(rig.Count(kSecur32), "0");
  EXPECT_EQ(rig.Read(kSvrapi), "system svrapi") << "the system's libraries stay";
  const std::string transcript = rig.Transcript();
  for (const char* library : {"svrapi.dll", "secur32.dll"})
    EXPECT_TRUE(Contains(transcript, std::string("caption=\"S131\" text=\"S130 ") + library + "\""))
        << transcript;
}

TEST(ClientRemoveTest, AnotherProductTakesOnlyItsShare) {
  ClientRig rig;
  Installed(rig, {"Zephra", "Other"});

  rig.client.ClientRemove();

  EXPECT_FALSE(rig.FolderExists(std::string(kFolder) + "Zephra"));
  EXPECT_TRUE(rig.Exists(std::string(kFolder) + "Startup.exe"));
  EXPECT_TRUE(rig.Exists(std::string(kFolder) + "Other\\Other.dll"));
  EXPECT_TRUE(Contains(rig.Read(kIni), std::string("[NVC]\r\nDirectory=") + kFolder));
  EXPECT_EQ(rig.Value(kClientKey, "Zephra_DLLVersion"), std::nullopt);
  EXPECT_EQ(rig.Value(kClientKey, "Other_DLLVersion"), "1.0");
  EXPECT_EQ(rig.Value(kClientKey, "StartupVersion"), "1.0");
  EXPECT_EQ(rig.Count(kSvrapi), "2");
  EXPECT_EQ(rig.Boxes(), 0);
}

// A rollback of Zephra's installation while only Other is recorded: one
// product is left, but not this one.
TEST(ClientRemoveTest, ARollbackBesideTheOnlyRecordedProductKeepsItsClient) {
  ClientRig rig;
  Installed(rig, {"Other"});
  rig.product = "Zephra";
  ASSERT_TRUE(rig.client.ClientInstall());

  rig.client.ClientRemove();

  EXPECT_FALSE(rig.FolderExists(std::string(kFolder) + "Zephra"));
  EXPECT_TRUE(rig.Exists(std::string(kFolder) + "Other\\Other.dll"));
  EXPECT_EQ(rig.Value(kClientKey, "Other_DLLVersion"), "1.0");
  EXPECT_EQ(rig.Value(kClientKey, "StartupVersion"), "1.0");
}

// A hand-edited "Directory" names a folder of the user's: only the
// client's own folder goes.
TEST(ClientRemoveTest, AFolderThatDirectoryNamesElsewhereSurvives) {
  struct Row {
    const char* label;
    std::vector<std::string> products;
    const char* directory;
  } rows[] = {
      {"last product", {"Zephra"}, "C:\\Important\\"},
      {"last product, the Windows folder", {"Zephra"}, "C:\\WINDOWS\\"},
      {"one of two", {"Zephra", "Other"}, "C:\\Important\\"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    ClientRig rig;
    Installed(rig, row.products);
    std::string record = rig.Read(kIni);
    const std::string recorded = std::string("Directory=") + kFolder;
    record.replace(record.find(recorded), recorded.size(), std::string("Directory=") + row.directory);
    rig.Put(kIni, record);
    const std::string mine = std::string(row.directory) + "Zephra\\Letter.txt";
    rig.Put(mine, "dear");
    rig.Put(std::string(row.directory) + "Notes.txt", "notes");

    rig.client.ClientRemove();

    EXPECT_EQ(rig.Read(mine), "dear");
    EXPECT_EQ(rig.Read(std::string(row.directory) + "Notes.txt"), "notes");
    EXPECT_FALSE(rig.FolderExists(std::string(kFolder) + "Zephra")) << "the client's own share goes";
    EXPECT_EQ(rig.FolderExists(kFolder), row.products.size() > 1);
  }
}

TEST(ClientRemoveTest, AProductNameThatIsNoPlainFolderNameRemovesNothing) {
  for (const char* name : {"..", "..\\..", "Other\\..", "Zephra/../..", "*"}) {
    SCOPED_TRACE(name);
    ClientRig rig;
    Installed(rig, {"Zephra", "Other"});
    rig.Put("C:\\WINDOWS\\Tarvex\\SetupTvx.exe", "program");
    rig.product = name;

    rig.client.ClientRemove();

    EXPECT_EQ(rig.Read("C:\\WINDOWS\\Tarvex\\SetupTvx.exe"), "program");
    EXPECT_TRUE(Contains(rig.Read(kIni), "[INSTALLED PRODUCTS]"));
    for (const char* file : {"Startup.exe", "Client.exe", "Zephra\\Zephra.dll", "Other\\Other.dll"})
      EXPECT_TRUE(rig.Exists(std::string(kFolder) + file)) << file;
  }
}

}  // namespace
}  // namespace tvx::testing
