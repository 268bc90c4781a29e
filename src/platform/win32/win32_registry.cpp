#include "platform/win32/win32_registry.h"

#include "platform/win32/win32_handles.h"

namespace tvx::win32 {
namespace {

HKEY RootKey(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::LocalMachine:
      return HKEY_LOCAL_MACHINE;
    case RegistryRoot::ClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser:
      return HKEY_CURRENT_USER;
  }
  return HKEY_LOCAL_MACHINE;
}

long Open(RegistryRoot root, std::string_view path, REGSAM access, RegistryKeyHandle& key) {
  return ::RegOpenKeyExA(RootKey(root), std::string(path).c_str(), 0, access, key.receive());
}

DWORD SubkeyCount(HKEY key) {
  DWORD count = 0;
  ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr);
  return count;
}

// Enumerates names with RegEnumKeyExA or RegEnumValueA until no more.
template <typename Enumerate>
std::vector<std::string> Names(Enumerate enumerate) {
  std::vector<std::string> names;
  for (DWORD index = 0;; ++index) {
    char name[1024];
    DWORD length = sizeof name;
    if (enumerate(index, name, &length) != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  return names;
}

}  // namespace

long Win32Registry::CreateKey(RegistryRoot root, std::string_view path) {
  RegistryKeyHandle key;
  DWORD disposition = 0;
  return ::RegCreateKeyExA(RootKey(root), std::string(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_WRITE, nullptr, key.receive(), &disposition);
}

long Win32Registry::OpenKey(RegistryRoot root, std::string_view path) {
  RegistryKeyHandle key;
  return Open(root, path, KEY_READ, key);
}

long Win32Registry::DeleteKey(RegistryRoot root, std::string_view path) {
  // Windows 95/98 would delete a whole subtree: refuse that everywhere.
  RegistryKeyHandle key;
  if (const long status = Open(root, path, KEY_READ, key); status != ERROR_SUCCESS) return status;
  if (SubkeyCount(key.get()) > 0) return ERROR_ACCESS_DENIED;
  key.Reset();
  return ::RegDeleteKeyA(RootKey(root), std::string(path).c_str());
}

long Win32Registry::SetValue(RegistryRoot root, std::string_view path, std::string_view name,
                             const RegistryValue& value) {
  RegistryKeyHandle key;
  if (const long status = Open(root, path, KEY_SET_VALUE, key); status != ERROR_SUCCESS) return status;
  return ::RegSetValueExA(key.get(), std::string(name).c_str(), 0, static_cast<DWORD>(value.type),
                          reinterpret_cast<const BYTE*>(value.data.data()),
                          static_cast<DWORD>(value.data.size()));
}

long Win32Registry::QueryValue(RegistryRoot root, std::string_view path, std::string_view name,
                               RegistryValue& value) {
  RegistryKeyHandle key;
  if (const long status = Open(root, path, KEY_QUERY_VALUE, key); status != ERROR_SUCCESS) return status;
  const std::string value_name(name);
  DWORD type = 0, size = 0;
  long status = ::RegQueryValueExA(key.get(), value_name.c_str(), nullptr, &type, nullptr, &size);
  if (status != ERROR_SUCCESS) return status;
  std::string data(size, '\0');
  status = ::RegQueryValueExA(key.get(), value_name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &size);
  if (status != ERROR_SUCCESS) return status;
  data.resize(size);
  value = RegistryValue{static_cast<RegistryType>(type), std::move(data)};
  return ERROR_SUCCESS;
}

long Win32Registry::DeleteValue(RegistryRoot root, std::string_view path, std::string_view name) {
  RegistryKeyHandle key;
  if (const long status = Open(root, path, KEY_SET_VALUE, key); status != ERROR_SUCCESS) return status;
  return ::RegDeleteValueA(key.get(), std::string(name).c_str());
}

std::vector<std::string> Win32Registry::SubkeyNames(RegistryRoot root, std::string_view path) {
  RegistryKeyHandle key;
  if (Open(root, path, KEY_READ, key) != ERROR_SUCCESS) return {};
  return Names([&](DWORD index, char* name, DWORD* length) {
    return ::RegEnumKeyExA(key.get(), index, name, length, nullptr, nullptr, nullptr, nullptr);
  });
}

std::vector<std::string> Win32Registry::ValueNames(RegistryRoot root, std::string_view path) {
  RegistryKeyHandle key;
  if (Open(root, path, KEY_READ, key) != ERROR_SUCCESS) return {};
  return Names([&](DWORD index, char* name, DWORD* length) {
    return ::RegEnumValueA(key.get(), index, name, length, nullptr, nullptr, nullptr, nullptr);
  });
}

long Win32Registry::Flush(RegistryRoot root) { return ::RegFlushKey(RootKey(root)); }

}  // namespace tvx::win32
