// Shortcuts through the shell-link object and its persist-file interface.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include "platform/win32/win32_com.h"
#include "platform/win32/win32_shell.h"

namespace tvx::win32 {

bool Win32Shell::CreateShellLink(const ShellLink& link) {
  const ComApartment apartment;
  ComPtr<IShellLinkA> shell_link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                shell_link.receive())))
    return false;
  shell_link->SetPath(link.target.c_str());
  shell_link->SetArguments(link.arguments.c_str());
  shell_link->SetWorkingDirectory(link.working_directory.c_str());
  shell_link->SetIconLocation(link.icon_path.c_str(), link.icon_index);
  ComPtr<IPersistFile> file;
  if (FAILED(shell_link->QueryInterface(IID_IPersistFile, file.receive()))) return false;
  // The file name in UTF-16, as much as a MAX_PATH buffer holds; a longer
  // one is not cut to another name.
  wchar_t name[MAX_PATH] = {};
  if (::MultiByteToWideChar(CP_ACP, 0, link.file.c_str(), -1, name, MAX_PATH) == 0) return false;
  return SUCCEEDED(file->Save(name, TRUE));
}

}  // namespace tvx::win32
