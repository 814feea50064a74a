// Built-in word lists from which the sample circles get their names. UTF-8 text with its reading
// in full-width katakana; converted to CP932 where the catalogue is built.
#pragma once

#include <string>
#include <vector>

namespace vx::sampledisc {

struct Word {
  std::string text;
  std::string reading;
};

const std::vector<Word>& NounWords();      // 月, 猫, 硝子, ...
const std::vector<Word>& PrefixWords();    // 青い, 真夜中の, ...
const std::vector<Word>& SuffixWords();    // 工房, 堂, 倶楽部, ...
const std::vector<Word>& KatakanaWords();  // ルナ, プリズム, ...
const std::vector<Word>& LatinWords();     // Studio, Moon, ...
const std::vector<Word>& HiraganaWords();  // ひだまり, みかん, ...
const std::vector<Word>& FamilyNames();
const std::vector<Word>& GivenNames();
const std::vector<std::string>& Nicknames();             // みなみ, リン, ﾐﾅﾐ, ...
const std::vector<std::string>& DescriptionSentences();  // may hold %s for a noun
const std::vector<std::string>& UpdateSentences();       // hold %s for a book name
const std::vector<std::string>& MemoTexts();

}  // namespace vx::sampledisc
