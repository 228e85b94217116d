#pragma once

#include <filesystem>
#include <string>

#include "demo/dump_picture.h"

/// Writes the picture as an 8-bit RGBA PNG (through libpng). Empty on success,
/// else what went wrong; a failed write leaves no partial file behind.
std::string WritePngFile(const std::filesystem::path& path, const Picture& picture);

