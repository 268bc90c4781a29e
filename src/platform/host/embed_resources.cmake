# Writes OUTPUT: the resource script RESOURCE_DIR/resources.rc as text and
# every bitmap it names as the bytes a bitmap resource holds (the file
# without its 14-byte file header), for the simulated machine.
file(READ ${RESOURCE_DIR}/resources.rc script)
string(REGEX MATCHALL "\n[0-9]+ BITMAP \"[^\"]+\"" bitmaps "${script}")
set(arrays "")
set(entries "")
foreach(line ${bitmaps})
  string(REGEX REPLACE "\n([0-9]+) BITMAP \"([^\"]+)\"" "\\1;\\2" parts "${line}")
  list(GET parts 0 id)
  list(GET parts 1 file)
  file(READ ${RESOURCE_DIR}/${file} hex OFFSET 14 HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" escaped "${hex}")
  string(APPEND arrays "constexpr char kBitmap${id}[] = \"${escaped}\";\n")
  string(APPEND entries "    {${id}, {kBitmap${id}, sizeof kBitmap${id} - 1}},\n")
endforeach()
file(WRITE ${OUTPUT} "// Generated from the resource script; do not edit.
#include \"platform/host/dialog_templates.h\"

namespace tvx::host {
namespace {

constexpr char kScript[] = R\"tvxrc(${script})tvxrc\";
${arrays}
struct Bitmap {
  int id;
  std::string_view bytes;
};
constexpr Bitmap kBitmaps[] = {
${entries}};

}  // namespace

std::string_view ResourceScriptText() { return {kScript, sizeof kScript - 1}; }

std::optional<std::string_view> BitmapResourceBytes(int id) {
  for (const Bitmap& bitmap : kBitmaps)
    if (bitmap.id == id) return bitmap.bytes;
  return std::nullopt;
}

}  // namespace tvx::host
")
