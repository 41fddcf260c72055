#pragma once

#include <filesystem>
#include <string>

std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, const std::string& bytes);
