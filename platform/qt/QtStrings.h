// Crossing the Qt boundary: CP932 text to and from QString, native paths to and from QString.
#pragma once

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

namespace vx {

QString QtText(std::string_view cp932);
std::string Cp932Text(const QString& text);
QString QtPath(const std::filesystem::path& path);
std::filesystem::path PathFromQt(const QString& text);

}  // namespace vx
