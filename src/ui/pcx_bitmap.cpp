#include "ui/pcx_bitmap.h"

#include "ui/panel_palette.h"
#include "ui/pcx_image.h"

namespace tvx {

std::string PicturePath(std::string_view folder, std::string_view file_name) {
  return std::string(folder) + "\\" + std::string(file_name);
}

bool DrawPcxIntoBitmap(Platform& platform, std::string_view path, std::unique_ptr<OffscreenBitmap>& slot,
                       const LogicalPalette& palette, DrawMode mode) {
  PcxImage image;
  if (!LoadPcx(platform.files, platform.ui, path, image)) return false;
  Surface& surface = platform.ui.surface();
  if (mode == DrawMode::Create || !slot) slot = surface.CreateBitmap({image.width, image.height});
  surface.DrawIndexed(*slot, palette, image.View());
  return true;
}

bool PanelBackground::Load(Platform& platform, std::string_view path) {
  PcxImage image;
  if (!LoadPcx(platform.files, platform.ui, path, image)) return false;
  Surface& surface = platform.ui.surface();
  bitmap_ = surface.CreateBitmap({image.width, image.height});
  palette_ = BuildPanelPalette(surface, image.palette);
  surface.DrawIndexed(*bitmap_, *palette_, image.View());
  return true;
}

bool PanelBackground::Reload(Platform& platform, std::string_view path) {
  if (!bitmap_) return Load(platform, path);
  PcxImage image;
  if (!LoadPcx(platform.files, platform.ui, path, image)) return false;
  Surface& surface = platform.ui.surface();
  palette_.reset();
  palette_ = BuildPanelPalette(surface, image.palette);
  surface.DrawIndexed(*bitmap_, *palette_, image.View());
  return true;
}

}  // namespace tvx
