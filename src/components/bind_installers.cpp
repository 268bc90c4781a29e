#include "components/bind_installers.h"

#include <string_view>

#include "components/codec_installers.h"

namespace tvx {
namespace {

using Installer = std::int32_t (*)(ComponentContext&);

struct NamedInstaller {
  std::string_view test_name;
  Installer installer;
};

constexpr NamedInstaller kInstallers[] = {
    {"Microsoft Direct X", &InstallDirectX}, {"DXMedia", &InstallDxMedia}, {"AMovie", &InstallAMovie},
    {"VFW Indeo", &InstallVfwIndeo},         {"Indeo5", &InstallIndeo5},
};

}  // namespace

void BindComponentInstallers(DetectionCatalogue& catalogue, ComponentContext& context) {
  for (DetectionTest& test : catalogue.SoftwareTests())
    for (const NamedInstaller& entry : kInstallers)
      if (test.name == entry.test_name)
        test.action = [&context, installer = entry.installer] { return installer(context); };
}

}  // namespace tvx
