#include "install/shortcut_request.h"

#include "platform/file_services.h"
#include "platform/path_text.h"

namespace tvx {
namespace {

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

}  // namespace

ShellLink ShellLinkFor(const ShortcutRequest& request) {
  ShellLink link;
  link.file = JoinPath(WithoutFinalBackslash(request.folder), request.name + ".lnk");
  link.working_directory = request.directory;
  link.icon_path = request.icon;
  link.arguments = request.arguments;
  if (request.program.empty()) {
    // A document: the arguments name it, relative to the directory if any.
    link.target =
        request.directory.empty() ? request.arguments : JoinPath(request.directory, request.arguments);
    link.arguments.clear();
  } else if (EndsWithNoCase(request.program, ".bat") || EndsWithNoCase(request.program, ".exe")) {
    // A name that already carries ".exe" would otherwise name "x.exe.exe",
    // a program that does not exist.
    link.target = JoinPath(WithoutFinalBackslash(request.directory), request.program);
  } else {
    link.target = JoinPath(WithoutFinalBackslash(request.directory), request.program + ".exe");
  }
  return link;
}

void CreateShortcut(Platform& platform, const ShortcutRequest& request) {
  CreateDirectoryChain(platform.files, request.folder);
  platform.shell.CreateShellLink(ShellLinkFor(request));
}

}  // namespace tvx
