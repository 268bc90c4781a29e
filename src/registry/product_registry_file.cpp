// The editor of "tvx.ini": lookups scan from the top, edits work on the
// line list, a save rewrites the file whole.
#include "registry/product_registry_file.h"

#include "platform/file_services.h"
#include "platform/path_text.h"
#include "platform/whole_file_replace.h"
#include "registry/registry_text.h"
#include "script/script_text.h"

namespace tvx {

ProductRegistryFile::ProductRegistryFile(FileSystem& files, RegistryProcessState& state)
    : files_(&files), state_(state) {
  const std::string windows = files.WindowsDirectory();
  registry_path_ = windows + kRegistryFileSuffix;
  backup_path_ = windows + kBackupFileSuffix;
  temporary_path_ = windows + kRegistryTemporarySuffix;
  Load();
}

ProductRegistryFile::ProductRegistryFile(RegistryProcessState& state, std::string_view text)
    : state_(state), loaded_(true), lines_(ParseRegistryText(text)) {}

ProductRegistryFile::~ProductRegistryFile() {
  if (loaded_) Save();
}

void ProductRegistryFile::Load() {
  if (loaded_) return;
  std::string text;
  if (!ReadRegistryText(text)) text.clear();
  lines_ = ParseRegistryText(text);
  loaded_ = true;
  modified_ = false;
}

bool ProductRegistryFile::ReadRegistryText(std::string& text) {
  if (ReadWholeFile(*files_, registry_path_, text) == FileError::None) return true;
  if (ReadWholeFile(*files_, backup_path_, text) != FileError::None) return false;
  // The registry is rebuilt from the backup in one step. When that fails
  // the backup's lines are still used: an empty list would let the next
  // save overwrite both files and lose every product.
  ReplaceWholeFile(*files_, registry_path_, temporary_path_, text, /*replace_read_only=*/true);
  return true;
}

bool ProductRegistryFile::ScanNext(std::string_view& line) {
  const auto count = static_cast<std::ptrdiff_t>(lines_.size());
  while (position_ + 1 < count) {
    ++position_;
    line = WithoutLeadingBlanks(lines_[static_cast<std::size_t>(position_)]);
    if (IsInsignificant(line)) continue;
    if (line.ends_with('\n')) line.remove_suffix(1);
    return true;
  }
  line = {};
  return false;
}

std::string ProductRegistryFile::NextLine() {
  std::string_view line;
  ScanNext(line);
  current_line_ = line;
  return current_line_;
}

bool ProductRegistryFile::FindSection(std::string_view section) {
  const std::string search = AsciiLower("[" + std::string(section) + "]");
  if (!loaded_) return false;
  position_ = -1;
  std::string_view line;
  while (ScanNext(line))
    if (ContainsLowerNeedle(line, search)) return true;
  return false;
}

bool ProductRegistryFile::FindKey(std::string_view section, std::string_view key) {
  return loaded_ && FindSection(section) && FindKeyInSection(key);
}

bool ProductRegistryFile::FindKeyInSection(std::string_view key) {
  std::string_view line;
  // The end of the list ends the search without matching: taken as an
  // empty line it would match an empty key and the write that follows
  // would replace the last line of the file, whatever section it is in.
  while (ScanNext(line)) {
    if (KeyOf(line) == key) {
      current_line_ = line;
      return true;
    }
    if (line.find('[') != std::string_view::npos) return false;
  }
  return false;
}

bool ProductRegistryFile::ReadString(std::string_view section, std::string_view key, std::string& value) {
  if (!FindKey(section, key)) return false;
  const std::size_t equals = current_line_.find('=');
  if (equals == std::string::npos) return false;
  value = current_line_.substr(equals + 1);
  return true;
}

bool ProductRegistryFile::ReadLong(std::string_view section, std::string_view key, std::int32_t& value) {
  std::string text;
  if (!ReadString(section, key, text)) return false;
  value = ParseWholeNumber(text);
  return true;
}

int ProductRegistryFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  std::string line(key);
  if (!value.empty()) {
    line += '=';
    line += value;
  }
  return WriteLine(section, key, std::move(line));
}

int ProductRegistryFile::WriteLong(std::string_view section, std::string_view key, std::int32_t value) {
  return WriteLine(section, key, std::string(key) + "=" + std::to_string(value));
}

int ProductRegistryFile::WriteSystemLong(std::string_view key, std::int32_t value) {
  return WriteLong(system_section_, key, value);
}

int ProductRegistryFile::WriteLine(std::string_view section, std::string_view key, std::string line) {
  // After a save nothing reaches the file any more: say so rather than
  // answer success for a line that is dropped with the object.
  if (!loaded_) return kWriteFailed;
  modified_ = true;
  // One section search serves both the lookup of the key and the insertion.
  if (FindSection(section)) {
    const std::ptrdiff_t header = position_;
    if (FindKeyInSection(key)) {
      lines_[static_cast<std::size_t>(position_)] = std::move(line);
    } else {
      lines_.insert(lines_.begin() + header + 1, std::move(line));
    }
    return kWriteStored;
  }
  lines_.push_back("[" + std::string(section) + "]");
  lines_.push_back(std::move(line));
  return kWriteSectionCreated;
}

bool ProductRegistryFile::DeleteSection(std::string_view section) {
  if (!FindSection(section)) return true;
  const auto first = lines_.begin() + position_;
  auto last = first + 1;
  while (last != lines_.end() && !IsBoundary(*last)) ++last;
  lines_.erase(first, last);
  modified_ = true;
  return true;
}

bool ProductRegistryFile::DeleteKey(std::string_view section, std::string_view key) {
  if (!FindSection(section)) return true;
  // Raw lines, not trimmed: a key written with leading blanks is found by
  // FindKey but not removed here, as the format has always done.
  for (auto it = lines_.begin() + position_ + 1; it != lines_.end() && it->find('[') == std::string::npos;
       ++it) {
    if (KeyOf(*it) == key) {
      lines_.erase(it);
      break;
    }
  }
  modified_ = true;
  if (CountEntries(section) == 0) DeleteSection(section);
  return true;
}

bool ProductRegistryFile::NextEntry(std::string_view section, std::string& line) {
  if (!state_.enumeration_running) {
    if (!FindSection(section)) return false;
    state_.enumeration_running = true;
  }
  line = NextLine();
  if (IsBoundary(line)) {
    state_.enumeration_running = false;
    return false;
  }
  return true;
}

long ProductRegistryFile::CountEntries(std::string_view section) {
  long count = 0;
  std::string line;
  while (NextEntry(section, line)) ++count;
  return count;
}

std::string ProductRegistryFile::Text() const { return FormatRegistryText(lines_, system_section_); }

bool ProductRegistryFile::Save() {
  if (!loaded_ || !modified_ || !files_) return false;
  // The new contents replace each file in one step, so a crash or a full
  // disk leaves the old file or the new one, never a truncated one that
  // the next load would take as valid.
  const std::string text = Text();
  if (!ReplaceWholeFile(*files_, registry_path_, temporary_path_, text, /*replace_read_only=*/false))
    return false;
  ReplaceWholeFile(*files_, backup_path_, temporary_path_, text, /*replace_read_only=*/true);
  loaded_ = false;
  modified_ = false;
  return true;
}

}  // namespace tvx
