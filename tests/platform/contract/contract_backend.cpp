#include "platform/contract/contract_backend.h"

#include "platform/file_services.h"

namespace tvx::testing {

FileError SeamTest::ReadWholeFileForTest(const std::string& path, std::string& contents) {
  return ReadWholeFile(files(), path, contents);
}

}  // namespace tvx::testing
