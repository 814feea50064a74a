// Event folders with cut archives and page files built in the test.
#pragma once

#include <QColor>
#include <filesystem>
#include <map>
#include <string>

#include "tests/data/images/TestArchive.h"
#include "tests/data/images/TestPictures.h"
#include "tests/support/TempDir.h"

namespace vxtest {

inline std::string SolidPng(int width, int height, QColor colour) {
  return SolidRgbPng(width, height, colour.red(), colour.green(), colour.blue());
}

inline std::string InitText(int event, int width, int height) {
  return "vqnum\t" + std::to_string(event) + "\r\nwidth\t" + std::to_string(width) +
         "\r\nheight\t" + std::to_string(height) + "\r\n";
}

inline std::string CutEntryName(int updateId) {
  char name[32];
  std::snprintf(name, sizeof name, "%06d.PNG", updateId);
  return name;
}

// A cut archive whose cuts are solid colours; `extra` adds entries such as JIKO.PNG.
inline void WriteCutArchive(const std::filesystem::path& path, int event, int width, int height,
                            const std::map<int, QColor>& cuts,
                            const std::map<std::string, std::string>& extra = {}) {
  ZipWriter zip(path);
  zip.Add("INIT.TXT", InitText(event, width, height));
  for (const auto& [updateId, colour] : cuts) {
    zip.Add(CutEntryName(updateId), SolidPng(width, height, colour));
  }
  for (const auto& [name, bytes] : extra) zip.Add(name, bytes);
}

}  // namespace vxtest
