// The maker's online-service client as the install sequence and the
// uninstaller see it; the installer itself lives above them, with the
// other component installers.
#pragma once

namespace tvx {

class OnlineClientService {
 public:
  virtual ~OnlineClientService() = default;

  // True when the client is installed and current for this product.
  virtual bool ClientProbe() = 0;
  // True when the client may be counted as installed.
  virtual bool ClientInstall() = 0;
  // The product's share of the client goes; the client itself with the
  // last product. Never fails.
  virtual void ClientRemove() = 0;
};

}  // namespace tvx
