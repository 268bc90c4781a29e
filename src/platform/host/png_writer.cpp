#include "platform/host/png_writer.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace tvx::host {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// libpng reports errors by long jump; nothing with a destructor may live
// between setjmp and the calls, so the writing happens in this plain frame.
bool WriteRows(std::FILE* file, const IndexedBitmap& bitmap, const png_color* colours,
               std::vector<png_bytep>& rows) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(bitmap.size().width),
               static_cast<png_uint_32>(bitmap.size().height), 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_PLTE(png, info, colours, kPaletteSize);
  png_set_rows(png, info, rows.data());
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool WritePng(const IndexedBitmap& bitmap, const std::filesystem::path& path, std::string& error) {
  if (bitmap.size().width <= 0 || bitmap.size().height <= 0) {
    error = "the picture is empty";
    return false;
  }
  png_color colours[kPaletteSize];
  for (int i = 0; i < kPaletteSize; ++i)
    colours[i] = {bitmap.palette()[i].red, bitmap.palette()[i].green, bitmap.palette()[i].blue};
  std::vector<png_bytep> rows(bitmap.size().height);
  for (int y = 0; y < bitmap.size().height; ++y)
    rows[y] =
        const_cast<png_bytep>(bitmap.pixels().data() + static_cast<std::size_t>(y) * bitmap.size().width);
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file || !WriteRows(file.get(), bitmap, colours, rows) || std::fflush(file.get()) != 0) {
    error = "cannot write " + path.string();
    return false;
  }
  return true;
}

}  // namespace tvx::host
