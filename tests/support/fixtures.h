// The fixtures kept in tests/data, as each build's tests reach them: a host
// path natively, the same folder through Wine's Z: drive under Wine.
#pragma once

#include <string>

namespace tvx::testing {

std::string FixturePath(const std::string& relative);
// The bytes of a fixture; one that cannot be read fails the test.
std::string ReadFixture(const std::string& relative);

}  // namespace tvx::testing
