#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

/// The whole file's bytes; empty when it cannot be opened or read to the end.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path);
