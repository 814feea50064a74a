// Lines of an update text (UPDATE.TXT): the update id, a place and genre code, then the twelve
// texts of the circle, each ending in a tag.
#pragma once

#include <string>

#include "platform/CodePage.h"

namespace vxtest {

inline std::string UpdateLine(int updateId, int genreCode, const std::string& tag) {
  std::string line = std::to_string(updateId) + "\t9\t9\t" + vx::Sjis("土") + "\t-\t" +
                     vx::Sjis("Ａ") + "\t9\t" + std::to_string(genreCode);
  for (const char* column :
       {"name", "kana", "pen", "book", "url", "mail", "desc", "upd", "orba", "rss", "tw", "px"}) {
    line += "\t" + std::string(column) + tag;
  }
  return line + "\r\n";
}

}  // namespace vxtest
