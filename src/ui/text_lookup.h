// Localized texts by number, as the widgets ask for them; the strings
// table of the chosen language answers.
#pragma once

#include <functional>
#include <string>

namespace tvx {

using TextLookup = std::function<std::string(int number)>;

}  // namespace tvx
