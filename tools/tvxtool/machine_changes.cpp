#include "machine_changes.h"

#include <fstream>
#include <sstream>

#include "platform/host/regedit4.h"
#include "platform/host/registry_tree.h"

namespace tvx::authoring {
namespace fs = std::filesystem;

namespace {

// FNV-1a over the file's bytes: a changed file is told from an equal one
// without holding either in memory.
MachineState::FileFacts FactsOf(const fs::path& file) {
  MachineState::FileFacts facts;
  facts.digest = 14695981039346656037ull;
  std::ifstream in(file, std::ios::binary);
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    const std::streamsize count = in.gcount();
    facts.size += static_cast<std::uint64_t>(count);
    for (std::streamsize i = 0; i < count; ++i)
      facts.digest = (facts.digest ^ static_cast<unsigned char>(buffer[i])) * 1099511628211ull;
  }
  return facts;
}

// "drives/c/WINDOWS/x" -> "C:\WINDOWS\x".
std::string WindowsPathOf(const fs::path& relative) {
  auto part = relative.begin();
  std::string path;
  if (part == relative.end()) return path;
  const std::string letter = part->string();
  path = std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(letter[0])))) + ":";
  for (++part; part != relative.end(); ++part) path += "\\" + part->string();
  return path.size() == 2 ? path + "\\" : path;
}

void ReadDrives(const fs::path& drives, MachineState& state) {
  std::error_code status;
  for (fs::recursive_directory_iterator it(drives, status), end; !status && it != end; it.increment(status)) {
    const std::string path = WindowsPathOf(fs::relative(it->path(), drives, status));
    if (it->is_symlink(status)) continue;
    if (it->is_directory(status))
      state.folders.insert(path);
    else if (it->is_regular_file(status))
      state.files[path] = FactsOf(it->path());
  }
}

std::string ReadText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Walks the tree with a stack of its own: the registry may be deep.
void ReadRegistry(const fs::path& file, MachineState& state) {
  host::RegistryTree tree;
  if (!host::ParseRegedit4(ReadText(file), tree).ok) return;
  std::vector<std::pair<const host::RegistryKey*, std::string>> pending;
  for (RegistryRoot root : {RegistryRoot::LocalMachine, RegistryRoot::ClassesRoot, RegistryRoot::CurrentUser})
    pending.emplace_back(&tree.Root(root), host::RootName(root));
  while (!pending.empty()) {
    const auto [key, path] = pending.back();
    pending.pop_back();
    state.keys.insert(path);
    for (const auto& [name, value] : key->values) state.values[{path, name}] = value;
    for (const auto& entry : key->subkeys)
      pending.emplace_back(entry.second.get(), path + "\\" + entry.second->name);
  }
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

template <typename Key, typename Value>
void CompareMaps(const std::map<Key, Value>& before, const std::map<Key, Value>& after,
                 std::vector<Key>& written, std::vector<Key>& removed) {
  for (const auto& [key, value] : after) {
    const auto found = before.find(key);
    if (found == before.end() || !(found->second == value)) written.push_back(key);
  }
  for (const auto& entry : before)
    if (!after.contains(entry.first)) removed.push_back(entry.first);
}

void CompareSets(const std::set<std::string>& before, const std::set<std::string>& after,
                 std::vector<std::string>& made, std::vector<std::string>& removed) {
  for (const std::string& item : after)
    if (!before.contains(item)) made.push_back(item);
  for (const std::string& item : before)
    if (!after.contains(item)) removed.push_back(item);
}

}  // namespace

MachineState ReadMachineState(const fs::path& machine_folder) {
  MachineState state;
  ReadDrives(machine_folder / "drives", state);
  ReadRegistry(machine_folder / "registry.reg", state);
  state.journal = Lines(ReadText(machine_folder / "journal.log"));
  return state;
}

MachineChanges CompareStates(const MachineState& before, const MachineState& after) {
  MachineChanges changes;
  CompareSets(before.folders, after.folders, changes.folders_made, changes.folders_removed);
  CompareMaps(before.files, after.files, changes.files_written, changes.files_removed);
  CompareMaps(before.values, after.values, changes.values_set, changes.values_removed);
  CompareSets(before.keys, after.keys, changes.keys_made, changes.keys_removed);
  const std::size_t kept = before.journal.size();
  bool continues = after.journal.size() >= kept;
  for (std::size_t i = 0; continues && i < kept; ++i) continues = after.journal[i] == before.journal[i];
  if (continues)
    changes.journal.assign(after.journal.begin() + static_cast<std::ptrdiff_t>(kept), after.journal.end());
  else
    changes.journal = after.journal;
  return changes;
}

}  // namespace tvx::authoring
