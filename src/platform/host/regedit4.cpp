#include "platform/host/regedit4.h"

#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/path_text.h"

namespace tvx::host {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";

// ---- writing -------------------------------------------------------------

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

// A string value goes out as quoted text only when that gives back the same
// bytes: one terminating zero and no line breaks or other zeros.
bool WritableAsText(const RegistryValue& value) {
  const std::string& data = value.data;
  if (value.type != RegistryType::String || data.empty() || data.back() != '\0') return false;
  for (std::size_t i = 0; i + 1 < data.size(); ++i)
    if (data[i] == '\0' || data[i] == '\r' || data[i] == '\n') return false;
  return true;
}

std::string HexBytes(const RegistryValue& value) {
  // The type number in "hex(N)" is hexadecimal, as regedit writes it.
  char prefix[24] = "hex:";
  if (value.type != RegistryType::Binary)
    std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(value.type));
  std::string text = prefix;
  std::size_t line_length = text.size();
  for (std::size_t i = 0; i < value.data.size(); ++i) {
    char byte[4];
    std::snprintf(byte, sizeof byte, "%02x", static_cast<unsigned char>(value.data[i]));
    text += byte;
    line_length += 2;
    if (i + 1 == value.data.size()) break;
    text += ',';
    if (++line_length > 74) {
      text += "\\\n  ";
      line_length = 2;
    }
  }
  return text;
}

std::string ValueData(const RegistryValue& value) {
  if (WritableAsText(value)) return Quoted(std::string_view(value.data).substr(0, value.data.size() - 1));
  if (value.type == RegistryType::Dword && value.data.size() == 4) {
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i) number = (number << 8) | static_cast<unsigned char>(value.data[i]);
    char text[20];
    std::snprintf(text, sizeof text, "dword:%08x", number);
    return text;
  }
  return HexBytes(value);
}

void WriteSection(const RegistryKey& key, const std::string& path, std::string& out) {
  out += "\n[" + path + "]\n";
  for (const auto& [name, value] : key.values)
    out += (name.empty() ? std::string("@") : Quoted(name)) + "=" + ValueData(value) + "\n";
}

// Depth first with a stack of its own and one path text that grows and
// shrinks: the tree may be far deeper than the call stack allows, and
// rebuilding each path from its parent's would be quadratic in the depth.
void WriteSubtree(const RegistryKey& top, std::string& path, std::string& out) {
  struct Frame {
    const RegistryKey* key;
    std::map<std::string, std::unique_ptr<RegistryKey>>::const_iterator next;
    std::size_t path_length;
  };
  std::vector<Frame> stack;
  const auto enter = [&](const RegistryKey& key) {
    if (!key.values.empty() || key.subkeys.empty()) WriteSection(key, path, out);
    stack.push_back({&key, key.subkeys.begin(), path.size()});
  };
  enter(top);
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (frame.next == frame.key->subkeys.end()) {
      stack.pop_back();
      continue;
    }
    const RegistryKey& child = *(frame.next++)->second;
    path.resize(frame.path_length);
    path += '\\';
    path += child.name;
    enter(child);
  }
}

// ---- reading -------------------------------------------------------------

std::optional<RegistryRoot> RootFromName(std::string_view name) {
  for (RegistryRoot root : {RegistryRoot::LocalMachine, RegistryRoot::ClassesRoot, RegistryRoot::CurrentUser})
    if (EqualsNoCase(name, RootName(root))) return root;
  return std::nullopt;
}

// Reads a quoted text with \" and \\ escapes from the start of line; leaves
// line after the closing quote.
std::optional<std::string> ReadQuoted(std::string_view& line) {
  if (line.empty() || line[0] != '"') return std::nullopt;
  std::string text;
  for (std::size_t i = 1; i < line.size(); ++i) {
    if (line[i] == '\\' && i + 1 < line.size()) {
      text += line[++i];
    } else if (line[i] == '"') {
      line.remove_prefix(i + 1);
      return text;
    } else {
      text += line[i];
    }
  }
  return std::nullopt;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> ReadHexList(std::string_view text) {
  std::string bytes;
  std::size_t i = 0;
  const auto skip_blanks = [&] {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  };
  skip_blanks();
  if (i == text.size()) return bytes;
  for (;;) {
    if (i + 1 >= text.size() || HexDigit(text[i]) < 0 || HexDigit(text[i + 1]) < 0) return std::nullopt;
    bytes += static_cast<char>(HexDigit(text[i]) * 16 + HexDigit(text[i + 1]));
    i += 2;
    skip_blanks();
    if (i == text.size()) return bytes;
    if (text[i] != ',') return std::nullopt;
    ++i;
    skip_blanks();
  }
}

std::optional<std::uint32_t> ReadDword(std::string_view text) {
  if (text.empty() || text.size() > 8) return std::nullopt;
  std::uint32_t number = 0;
  for (char c : text) {
    if (HexDigit(c) < 0) return std::nullopt;
    number = (number << 4) | static_cast<std::uint32_t>(HexDigit(c));
  }
  return number;
}

std::optional<RegistryValue> ReadHexValue(std::string_view data) {
  RegistryType type = RegistryType::Binary;
  if (data.starts_with("hex(")) {
    const auto close = data.find(')');
    if (close == std::string_view::npos || close == 4) return std::nullopt;
    const auto number = ReadDword(data.substr(4, close - 4));
    if (!number) return std::nullopt;
    type = static_cast<RegistryType>(*number);
    data.remove_prefix(close + 1);
  } else {
    data.remove_prefix(3);
  }
  if (data.empty() || data[0] != ':') return std::nullopt;
  auto bytes = ReadHexList(data.substr(1));
  if (!bytes) return std::nullopt;
  return RegistryValue{type, std::move(*bytes)};
}

std::optional<RegistryValue> ReadValueData(std::string_view data) {
  if (!data.empty() && data[0] == '"') {
    auto text = ReadQuoted(data);
    if (!text || !data.empty()) return std::nullopt;
    return RegistryValue::String(*text);
  }
  if (data.starts_with("dword:")) {
    const auto number = ReadDword(data.substr(6));
    if (!number) return std::nullopt;
    return RegistryValue::Dword(*number);
  }
  if (data.starts_with("hex")) return ReadHexValue(data);
  return std::nullopt;
}

// Reads line by line; the first line it cannot keep answers what is wrong.
class Reader {
 public:
  explicit Reader(RegistryTree& tree) : tree_(tree) {}

  std::string Line(std::string_view line) {
    if (line.empty() || line[0] == ';') return {};
    if (line[0] == '[') return Header(line);
    if (!key_) return "a value outside any key";
    return ValueLine(line) ? std::string() : "a value line that cannot be read";
  }

 private:
  std::string Header(std::string_view line) {
    key_ = nullptr;
    const auto close = line.rfind(']');
    if (close == std::string_view::npos || close < 1) return "a key line without its closing \"]\"";
    const std::string_view path = line.substr(1, close - 1);
    const bool deletion = !path.empty() && path[0] == '-';
    const std::string_view full = deletion ? path.substr(1) : path;
    const auto slash = full.find('\\');
    const auto root = RootFromName(full.substr(0, slash));
    if (!root)
      return "a key outside HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT and HKEY_CURRENT_USER, the roots kept here";
    const std::string_view sub =
        slash == std::string_view::npos ? std::string_view{} : full.substr(slash + 1);
    if (deletion)
      tree_.Delete(*root, sub);
    else
      key_ = &tree_.Create(*root, sub);
    return {};
  }

  bool ValueLine(std::string_view line) {
    std::string name;
    if (line[0] == '@') {
      line.remove_prefix(1);
    } else {
      auto quoted = ReadQuoted(line);
      if (!quoted) return false;
      name = std::move(*quoted);
    }
    if (line.empty() || line[0] != '=') return false;
    line.remove_prefix(1);
    if (line == "-") return key_->DeleteValue(name), true;
    auto value = ReadValueData(line);
    if (!value) return false;
    key_->SetValue(name, std::move(*value));
    return true;
  }

  RegistryTree& tree_;
  RegistryKey* key_ = nullptr;
};

// Next logical line: CR dropped, hex continuations ("\" at the end) joined;
// line_number counts the lines read.
std::string NextLogicalLine(std::string_view text, std::size_t& position, int& line_number) {
  std::string line;
  while (position < text.size()) {
    ++line_number;
    const auto end = text.find('\n', position);
    std::string_view piece =
        text.substr(position, end == std::string_view::npos ? std::string_view::npos : end - position);
    position = end == std::string_view::npos ? text.size() : end + 1;
    if (!piece.empty() && piece.back() == '\r') piece.remove_suffix(1);
    if (!line.empty())
      while (!piece.empty() && (piece[0] == ' ' || piece[0] == '\t')) piece.remove_prefix(1);
    line += piece;
    if (line.empty() || line.back() != '\\' || line.find("=hex") == std::string::npos) break;
    line.pop_back();
  }
  return line;
}

}  // namespace

std::string WriteRegedit4(const RegistryTree& tree) {
  std::string out(kHeader);
  out += "\n";
  for (RegistryRoot root :
       {RegistryRoot::LocalMachine, RegistryRoot::ClassesRoot, RegistryRoot::CurrentUser}) {
    const RegistryKey& key = tree.Root(root);
    for (const auto& [folded, child] : key.subkeys) {
      std::string path = std::string(RootName(root)) + "\\" + child->name;
      WriteSubtree(*child, path, out);
    }
    if (!key.values.empty()) WriteSection(key, RootName(root), out);
  }
  return out;
}

Regedit4Result ParseRegedit4(std::string_view text, RegistryTree& tree) {
  std::size_t position = 0;
  int line_number = 0;
  if (NextLogicalLine(text, position, line_number) != kHeader) return {false, 0, "not a REGEDIT4 file"};
  Reader reader(tree);
  while (position < text.size()) {
    const int first_line = line_number + 1;
    std::string problem = reader.Line(NextLogicalLine(text, position, line_number));
    if (!problem.empty()) return {false, first_line, std::move(problem)};
  }
  return {true, 0, {}};
}

}  // namespace tvx::host
