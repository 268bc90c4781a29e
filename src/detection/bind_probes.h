// Binding the machine's probes and actions to the catalogue tests, and what
// the probes learn from the script, the strings and the product registry.
#pragma once

#include "detection/machine_probes.h"
#include "platform/platform.h"
#include "registry/registry_process_state.h"
#include "script/detection_catalogue.h"
#include "script/install_script.h"
#include "script/string_table.h"

namespace tvx {

// Every test of the three catalogues gets its probe; the tests that have an
// action get it, the others keep theirs (the component installers are
// bound by the components that own them).
void BindProbes(DetectionCatalogue& catalogue, MachineProbes& probes);

// The volume name of the script, the stored "CD ROM Speed" of the product
// registry, that test's value base and the localized strings, read when a
// probe asks. Everything named must outlive the probes.
MachineProbes::Sources ProbeSources(Platform& platform, RegistryProcessState& registry_state,
                                    const InstallScript& script, DetectionCatalogue& catalogue,
                                    StringTable& strings);

}  // namespace tvx
