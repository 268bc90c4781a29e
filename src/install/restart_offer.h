// The offer to restart Windows when a component installed at the end of
// an installation asked for it.
#pragma once

#include <string_view>

#include "platform/platform.h"
#include "ui/text_lookup.h"

namespace tvx {

// Asks; on Yes leaves a Startup entry playing the product through the
// common folder's copy of this program, then asks for the restart.
void OfferRestart(Platform& platform, TextLookup text, std::string_view product_name,
                  std::string_view localized_application_name);

}  // namespace tvx
