// The end of a successful installation: the configuration's own program
// started from the source, and the offer to read the README.
#pragma once

#include <cstddef>

#include "install/post_install_context.h"

namespace tvx {

// Starts source directory + "\" + the configuration's LAUNCH EXECUTABLE
// command from the setup program's folder; a failed start is reported by
// number and changes nothing else.
void LaunchAfterInstall(PostInstallContext& context);

// Asks whether to show the README of that language (its place in the
// script's language list) and opens it in Notepad on Yes, when it exists.
void OfferReadme(PostInstallContext& context, std::size_t language_index);

}  // namespace tvx
