#include "detection/bind_probes.h"

#include "registry/product_registry_file.h"

namespace tvx {

void BindProbes(DetectionCatalogue& catalogue, MachineProbes& probes) {
  for (auto* tests : {&catalogue.HardwareTests(), &catalogue.SoftwareTests(), &catalogue.SystemTests()})
    for (DetectionTest& test : *tests) {
      test.probe = probes.ProbeFor(test.name);
      if (MachineProbes::Routine action = probes.ActionFor(test.name)) test.action = std::move(action);
    }
}

MachineProbes::Sources ProbeSources(Platform& platform, RegistryProcessState& registry_state,
                                    const InstallScript& script, DetectionCatalogue& catalogue,
                                    StringTable& strings) {
  MachineProbes::Sources sources;
  sources.product_volume_name = [&script] { return script.volume_name; };
  sources.stored_cd_rom_speed = [&platform, &registry_state]() -> std::optional<std::int32_t> {
    ProductRegistryFile registry(platform.files, registry_state);
    std::int32_t value = 0;
    if (!registry.ReadLong(kSystemSection, "CD ROM Speed", value)) return std::nullopt;
    return value;
  };
  sources.cd_rom_speed_value_base = [&catalogue] {
    const DetectionTest* test = FindTestIn(catalogue.HardwareTests(), "CD ROM Speed");
    return test ? test->value_base : 0;
  };
  sources.localized_string = [&platform, &strings](std::int32_t number) {
    return strings.LookupString(platform.ui, number);
  };
  return sources;
}

}  // namespace tvx
