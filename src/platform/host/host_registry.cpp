#include "platform/host/host_registry.h"

#include "platform/host/atomic_file.h"
#include "platform/host/regedit4.h"

namespace tvx::host {

using namespace registry_status;

HostRegistry::HostRegistry(std::filesystem::path file, const MachineProfile& profile)
    : file_(std::move(file)), profile_(profile) {
  std::string text;
  std::error_code status;
  if (!std::filesystem::exists(file_, status) && !status) return;
  if (!ReadHostFile(file_, text)) {
    problem_ = file_.string() + ": cannot be read";
    return;
  }
  const Regedit4Result result = ParseRegedit4(text, tree_);
  if (result.ok) return;
  problem_ = file_.string();
  if (result.bad_line > 0) problem_ += " line " + std::to_string(result.bad_line);
  problem_ += ": " + result.problem;
}

// A user without administrator rights on NT cannot change the machine's
// keys; every user can on Windows 95/98.
bool HostRegistry::MayWrite(RegistryRoot root) const {
  return root == RegistryRoot::CurrentUser || HoldsAdministratorRights(profile_) ||
         profile_.version.platform_id != kPlatformWin32Nt;
}

// Every change reaches the disk at once, as the real registry would
// survive a crash of the program.
long HostRegistry::Save() {
  return WriteFileAtomically(file_, WriteRegedit4(tree_)) ? kSuccess : kAccessDenied;
}

// Creating opens for writing, which an existing key refuses too.
long HostRegistry::CreateKey(RegistryRoot root, std::string_view path) {
  if (!MayWrite(root)) return kAccessDenied;
  if (tree_.Find(root, path)) return kSuccess;
  tree_.Create(root, path);
  return Save();
}

long HostRegistry::OpenKey(RegistryRoot root, std::string_view path) {
  return tree_.Find(root, path) ? kSuccess : kFileNotFound;
}

long HostRegistry::DeleteKey(RegistryRoot root, std::string_view path) {
  if (!MayWrite(root)) return kAccessDenied;
  switch (tree_.Delete(root, path)) {
    case RegistryTree::DeleteResult::Deleted:
      return Save();
    case RegistryTree::DeleteResult::Missing:
      return kFileNotFound;
    case RegistryTree::DeleteResult::HasSubkeys:
      return kAccessDenied;
  }
  return kAccessDenied;
}

long HostRegistry::SetValue(RegistryRoot root, std::string_view path, std::string_view name,
                            const RegistryValue& value) {
  RegistryKey* key = tree_.Find(root, path);
  if (!key) return kFileNotFound;
  if (!MayWrite(root)) return kAccessDenied;
  key->SetValue(name, value);
  return Save();
}

long HostRegistry::QueryValue(RegistryRoot root, std::string_view path, std::string_view name,
                              RegistryValue& value) {
  RegistryKey* key = tree_.Find(root, path);
  if (!key) return kFileNotFound;
  const RegistryValue* found = key->FindValue(name);
  if (!found) return kFileNotFound;
  value = *found;
  return kSuccess;
}

long HostRegistry::DeleteValue(RegistryRoot root, std::string_view path, std::string_view name) {
  RegistryKey* key = tree_.Find(root, path);
  if (!key) return kFileNotFound;
  if (!MayWrite(root)) return kAccessDenied;
  if (!key->DeleteValue(name)) return kFileNotFound;
  return Save();
}

std::vector<std::string> HostRegistry::SubkeyNames(RegistryRoot root, std::string_view path) {
  std::vector<std::string> names;
  if (RegistryKey* key = tree_.Find(root, path))
    for (const auto& [folded, child] : key->subkeys) names.push_back(child->name);
  return names;
}

std::vector<std::string> HostRegistry::ValueNames(RegistryRoot root, std::string_view path) {
  std::vector<std::string> names;
  if (RegistryKey* key = tree_.Find(root, path))
    for (const auto& [name, value] : key->values) names.push_back(name);
  return names;
}

long HostRegistry::Flush(RegistryRoot) { return Save(); }

}  // namespace tvx::host
