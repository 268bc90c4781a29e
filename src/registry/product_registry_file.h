// The editor of "tvx.ini", the product registry that every product of the
// maker shares: loaded whole, edited as a list of lines, saved whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "registry/registry_process_state.h"

namespace tvx {

inline constexpr const char* kRegistryFileSuffix = "\\Tarvex\\tvx.ini";
inline constexpr const char* kBackupFileSuffix = "\\Tarvex\\tvx.bak";
// Where a save prepares the new contents before they replace a file.
inline constexpr const char* kRegistryTemporarySuffix = "\\Tarvex\\tvx.tmp";
inline constexpr const char* kSystemSection = "SYSTEM";

// Results of WriteString and WriteLong; callers test only for non-zero.
inline constexpr int kWriteFailed = 0;
inline constexpr int kWriteStored = 1;          // entry replaced or inserted
inline constexpr int kWriteSectionCreated = 2;  // section appended with the entry

class ProductRegistryFile {
 public:
  // Loads the machine's registry, restoring it from the backup when it is
  // missing; neither file readable gives an empty registry.
  ProductRegistryFile(FileSystem& files, RegistryProcessState& state);
  // An editor over text alone, with no file behind it: Save writes nothing.
  ProductRegistryFile(RegistryProcessState& state, std::string_view text);
  // Saves when loaded and modified.
  ~ProductRegistryFile();
  ProductRegistryFile(const ProductRegistryFile&) = delete;
  ProductRegistryFile& operator=(const ProductRegistryFile&) = delete;

  // The next significant line after the position, without leading blanks;
  // empty at the end.
  std::string NextLine();
  bool FindSection(std::string_view section);
  bool FindKey(std::string_view section, std::string_view key);
  bool ReadString(std::string_view section, std::string_view key, std::string& value);
  bool ReadLong(std::string_view section, std::string_view key, std::int32_t& value);
  int WriteString(std::string_view section, std::string_view key, std::string_view value);
  int WriteLong(std::string_view section, std::string_view key, std::int32_t value);
  int WriteSystemLong(std::string_view key, std::int32_t value);
  bool DeleteKey(std::string_view section, std::string_view key);
  bool DeleteSection(std::string_view section);
  // One enumeration for the whole process: while it runs, the section
  // argument is not looked at and the lines follow this object's position.
  bool NextEntry(std::string_view section, std::string& line);
  long CountEntries(std::string_view section);
  // True when the file was written; the object is then spent.
  bool Save();

  // The text a save writes.
  std::string Text() const;
  const std::vector<std::string>& lines() const { return lines_; }
  const std::string& current_line() const { return current_line_; }
  std::ptrdiff_t position() const { return position_; }
  bool loaded() const { return loaded_; }
  bool modified() const { return modified_; }

 private:
  void Load();
  bool ReadRegistryText(std::string& text);
  // NextLine without storing the current line: a view into the list.
  bool ScanNext(std::string_view& line);
  // The rest of FindKey, from a section header at the position.
  bool FindKeyInSection(std::string_view key);
  int WriteLine(std::string_view section, std::string_view key, std::string line);

  FileSystem* files_ = nullptr;
  RegistryProcessState& state_;
  std::string registry_path_;
  std::string backup_path_;
  std::string temporary_path_;
  std::string current_line_;
  bool loaded_ = false;
  std::string system_section_ = kSystemSection;
  std::ptrdiff_t position_ = -1;
  bool modified_ = false;
  std::vector<std::string> lines_;
};

}  // namespace tvx
