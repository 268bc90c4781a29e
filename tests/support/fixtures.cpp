#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace tvx::testing {

std::string FixturePath(const std::string& relative) { return std::string(TVX_TEST_DATA) + "/" + relative; }

std::string ReadFixture(const std::string& relative) {
  std::ifstream in(FixturePath(relative), std::ios::binary);
  if (!in) ADD_FAILURE() << "cannot read the fixture " << FixturePath(relative);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace tvx::testing
