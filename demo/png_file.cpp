#include "demo/png_file.h"

#include <png.h>

#include <system_error>

std::string WritePngFile(const std::filesystem::path& path, const Picture& picture) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.width);
  image.height = static_cast<png_uint_32>(picture.height);
  image.format = PNG_FORMAT_RGBA;
  const bool written =
      png_image_write_to_file(&image, path.c_str(), 0, picture.rgba.data(), 0, nullptr) != 0;
  std::string problem = written ? std::string{} : std::string(image.message);
  png_image_free(&image);
  if (!written) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
  }
  return problem;
}
