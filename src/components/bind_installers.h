// Binds the component installers to the software tests that name them, as
// their actions.
#pragma once

#include "components/media_installers.h"
#include "script/detection_catalogue.h"

namespace tvx {

// The context outlives the catalogue's use of the actions.
void BindComponentInstallers(DetectionCatalogue& catalogue, ComponentContext& context);

}  // namespace tvx
