// The configuration choice of an installation, and the panel's question
// when no configuration suits the machine.
#pragma once

#include "detection/configuration_matcher.h"

namespace tvx {

// With SEQUENCE AUTO the proposal; otherwise the proposal dialog, and on
// Change the choice dialog. On success the matcher's chosen configuration
// is set; a cancel clears it, a cancelled change leaves it as it was.
bool ChooseConfiguration(ConfigurationMatcher& matcher);

// Asks whether the user wants to see why nothing suits the machine, shows
// the explanation on yes, then matches again.
void AskAboutNoMatch(ConfigurationMatcher& matcher);

}  // namespace tvx
