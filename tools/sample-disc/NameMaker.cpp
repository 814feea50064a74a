#include "tools/sample-disc/NameMaker.h"

#include <cstdio>

#include "platform/CodePage.h"
#include "tools/sample-disc/WordLists.h"

namespace vx::sampledisc {
namespace {

std::string Format(const char* pattern, int value) {
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, pattern, value);
  return buffer;
}

}  // namespace

std::string FillPlaceholder(const std::string& pattern, const std::string& value) {
  std::string result;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern.compare(i, 2, "%s") == 0) {
      result += value;
      ++i;
    } else {
      result += pattern[i];
    }
  }
  return result;
}

std::string NameMaker::MakeNameUtf8(std::string& reading) {
  const Word& noun = random_.Pick(NounWords());
  switch (random_.Below(8)) {
    case 0: {
      const Word& prefix = random_.Pick(PrefixWords());
      reading = prefix.reading + noun.reading;
      return prefix.text + noun.text;
    }
    case 1: {
      const Word& suffix = random_.Pick(SuffixWords());
      reading = noun.reading + suffix.reading;
      return noun.text + suffix.text;
    }
    case 2: {
      const Word& second = random_.Pick(NounWords());
      reading = noun.reading + "ノ" + second.reading;
      return noun.text + "の" + second.text;
    }
    case 3: {
      const Word& first = random_.Pick(KatakanaWords());
      const Word& second = random_.Pick(KatakanaWords());
      reading = first.reading + second.reading;
      return first.text + second.text;
    }
    case 4: {
      const Word& first = random_.Pick(LatinWords());
      const Word& second = random_.Pick(LatinWords());
      reading = first.reading + second.reading;
      return first.text + " " + second.text;
    }
    case 5: {
      const Word& word = random_.Pick(HiraganaWords());
      const Word& suffix = random_.Pick(SuffixWords());
      reading = word.reading + suffix.reading;
      return word.text + suffix.text;
    }
    case 6: {
      const Word& word = random_.Pick(KatakanaWords());
      reading = noun.reading + word.reading;
      return noun.text + word.text;
    }
    default: {
      const Word& word = random_.Pick(HiraganaWords());
      reading = word.reading;
      return word.text;
    }
  }
}

void NameMaker::MakeCircleName(std::string& name, std::string& kana) {
  for (;;) {
    std::string reading;
    name = Utf8ToCp932(MakeNameUtf8(reading));
    kana = Utf8ToCp932(reading);
    if (name.size() <= kCircleNameMaxBytes && kana.size() <= kCircleNameMaxBytes) return;
  }
}

std::string NameMaker::MakePenName() {
  std::string pen;
  const int authors = random_.Chance(12) ? 2 : 1;
  for (int i = 0; i < authors; ++i) {
    if (i > 0) pen += "／";
    if (random_.Chance(55)) {
      // Drawn in the order the discs have always had: the given name first.
      const Word& given = random_.Pick(GivenNames());
      const Word& family = random_.Pick(FamilyNames());
      pen += family.text + given.text;
    } else {
      pen += random_.Pick(Nicknames());
    }
  }
  return Utf8ToCp932(pen);
}

std::string NameMaker::MakeBookName() {
  const Word& noun = random_.Pick(NounWords());
  switch (random_.Below(6)) {
    case 0:
      return Utf8ToCp932(noun.text + "の" + random_.Pick(NounWords()).text);
    case 1: {
      const int volume = random_.Between(1, 12);  // first, as the discs have always had it
      const Word& title = random_.Pick(KatakanaWords());
      return Utf8ToCp932(title.text + Format(" Vol.%d", volume));
    }
    case 2:
      return Utf8ToCp932(noun.text + "日和");
    case 3:
      return Utf8ToCp932(noun.text + "総集編");
    case 4:
      return Utf8ToCp932(random_.Pick(PrefixWords()).text + noun.text + "の本");
    default:
      return Utf8ToCp932(noun.text + "通信" + Format(" %d号", random_.Between(1, 40)));
  }
}

std::string NameMaker::MakeDescription() {
  std::string text;
  const int sentences = random_.Between(1, 2);
  for (int i = 0; i < sentences; ++i) {
    const Word& noun = random_.Pick(NounWords());  // first, as the discs have always had it
    const std::string& sentence = random_.Pick(DescriptionSentences());
    text += FillPlaceholder(sentence, noun.text);
  }
  return Utf8ToCp932(text);
}

std::string NameMaker::MakeUpdateData(const std::string& bookName) {
  return Utf8ToCp932(FillPlaceholder(random_.Pick(UpdateSentences()), Cp932ToUtf8(bookName)));
}

void NameMaker::MakeLinks(Circle& circle, int serial) {
  if (random_.Chance(60)) {
    circle.url = random_.Chance(50) ? Format("https://www.example.com/~c%05d/", serial)
                                    : Format("http://c%d.example.net/", serial);
  }
  if (random_.Chance(40)) circle.mail = Format("c%05d@example.org", serial);
  if (random_.Chance(50)) circle.orbalink = Format("https://portal.example.com/circle/%d", serial);
  if (random_.Chance(20)) {
    circle.rss = random_.Chance(50) ? Format("http://c%d.example.net/rss.xml", serial)
                                    : Format("https://blog.example.com/c%05d/feed", serial);
  }
  if (random_.Chance(50)) circle.twitter = Format("vx_c%05d", serial);
  if (random_.Chance(30)) circle.pixiv = Format("%d", 3000000 + serial * 7);
}

}  // namespace vx::sampledisc
