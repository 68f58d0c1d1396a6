#include "platform/FileCaption.h"

#include <filesystem>

std::string FileNameCaption(const std::string& path)
{
    return std::filesystem::path(path).filename().stem().string();
}
