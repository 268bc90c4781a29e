#include "platform/platform_types.h"

namespace tvx {

std::vector<int> ButtonsOfStyle(std::uint32_t style) {
  switch (style & box::kButtonMask) {
    case box::kOkCancel:
      return {box::kIdOk, box::kIdCancel};
    case box::kAbortRetryIgnore:
      return {box::kIdAbort, box::kIdRetry, box::kIdIgnore};
    case box::kYesNoCancel:
      return {box::kIdYes, box::kIdNo, box::kIdCancel};
    case box::kYesNo:
      return {box::kIdYes, box::kIdNo};
    case box::kRetryCancel:
      return {box::kIdRetry, box::kIdCancel};
    default:
      return {box::kIdOk};
  }
}

const char* FileErrorName(FileError error) {
  switch (error) {
    case FileError::None:
      return "none";
    case FileError::NotFound:
      return "file not found";
    case FileError::PathNotFound:
      return "path not found";
    case FileError::AccessDenied:
      return "access denied";
    case FileError::AlreadyExists:
      return "already exists";
    case FileError::DirectoryNotEmpty:
      return "directory not empty";
    case FileError::InvalidName:
      return "invalid name";
    case FileError::DiskFull:
      return "disk full";
    case FileError::IoError:
      return "input/output error";
  }
  return "unknown";
}

RegistryValue RegistryValue::String(std::string_view text) {
  RegistryValue value{RegistryType::String, std::string(text)};
  value.data.push_back('\0');
  return value;
}

RegistryValue RegistryValue::Dword(std::uint32_t number) {
  RegistryValue value{RegistryType::Dword, std::string(4, '\0')};
  for (int i = 0; i < 4; ++i) value.data[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
  return value;
}

std::string RegistryValue::Text() const {
  const auto end = data.find('\0');
  return end == std::string::npos ? data : data.substr(0, end);
}

}  // namespace tvx
