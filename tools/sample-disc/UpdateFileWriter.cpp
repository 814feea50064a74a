#include "tools/sample-disc/UpdateFileWriter.h"

#include <algorithm>
#include <cstdio>

#include "platform/CodePage.h"
#include "tools/sample-disc/CatalogTextWriter.h"
#include "tools/sample-disc/NameMaker.h"
#include "tools/sample-disc/SampleRandom.h"
#include "tools/sample-disc/TabText.h"

namespace vx::sampledisc {
namespace {

constexpr std::uint64_t kUpdateStream = 7001;

std::string Format(const char* pattern, int value) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, pattern, value);
  return buffer;
}

// The circle as the update states it: new contact and information fields, the rest kept.
Circle ChangedCircle(const Circle& original, SampleRandom& random) {
  NameMaker maker(random);
  Circle changed = original;
  changed.penName = original.penName + Utf8ToCp932("（改名）");
  changed.bookName = maker.MakeBookName();
  changed.url = Format("https://www.example.com/~c%05d/new/", original.id);
  changed.mail = Format("new-c%05d@example.org", original.id);
  changed.description = maker.MakeDescription();
  changed.updateData = maker.MakeUpdateData(changed.bookName);
  changed.orbalink = Format("https://portal.example.com/circle/%d", original.id);
  if (random.Chance(50)) changed.rss = Format("https://blog.example.com/c%05d/feed", original.id);
  changed.twitter = Format("vx_new%05d", original.id);
  return changed;
}

std::string DayMark(const Catalog& catalog, const Circle& circle) {
  return WeekdayMark(catalog, circle.day);
}

void WriteLine(TabText& out, const Catalog& catalog, const Circle& c) {
  const std::string block = c.blockId > 0 ? catalog.BlockById(c.blockId).name : std::string();
  out.Line({Num(c.updateId),
            Num(c.pageNo),
            Num(c.cutIndex),
            DayMark(catalog, c),
            "",
            block,
            Num(c.spaceNo),
            Num(catalog.GenreById(c.genreId).code),
            c.name,
            c.kana,
            c.penName,
            c.bookName,
            c.url,
            c.mail,
            c.description,
            c.updateData,
            c.orbalink,
            c.rss,
            c.twitter,
            c.pixiv});
}

}  // namespace

UpdatePlan PlanUpdate(const Catalog& catalog, std::uint64_t seed) {
  SampleRandom random = SampleRandom(seed).Fork(kUpdateStream);
  // The circle with an apostrophe in its name is always among the changed ones.
  std::vector<int> chosen;
  if (catalog.special.apostrophe >= 0) chosen.push_back(catalog.special.apostrophe);
  const std::size_t wanted = std::max<std::size_t>(10, catalog.circles.size() / 100);
  while (chosen.size() < wanted) {
    const int index =
        static_cast<int>(random.Below(static_cast<std::uint32_t>(catalog.circles.size())));
    const bool taken = std::find(chosen.begin(), chosen.end(), index) != chosen.end();
    if (!taken && !catalog.circles[index].name.empty()) chosen.push_back(index);
  }
  UpdatePlan plan;
  for (int index : chosen) {
    SampleRandom textRandom = random.Fork(static_cast<std::uint64_t>(index) + 1);
    plan.changed.push_back(ChangedCircle(catalog.circles[index], textRandom));
  }
  const int added = catalog.circles.size() > 1000 ? 5 : 2;
  for (int i = 0; i < added; ++i) {
    SampleRandom textRandom = random.Fork(kUpdateStream + static_cast<std::uint64_t>(i));
    NameMaker maker(textRandom);
    Circle circle;
    circle.updateId = kFirstNewUpdateId + i;
    circle.genreId =
        1 + static_cast<int>(textRandom.Below(static_cast<std::uint32_t>(catalog.genres.size())));
    maker.MakeCircleName(circle.name, circle.kana);
    circle.penName = maker.MakePenName();
    circle.bookName = maker.MakeBookName();
    circle.description = maker.MakeDescription();
    circle.updateData = Utf8ToCp932("追加参加が決まりました。");
    maker.MakeLinks(circle, circle.updateId);
    plan.added.push_back(circle);
  }
  return plan;
}

std::string UpdateFileText(const Catalog& catalog, const UpdatePlan& plan) {
  TabText out;
  for (const Circle& circle : plan.changed) WriteLine(out, catalog, circle);
  for (const Circle& circle : plan.added) WriteLine(out, catalog, circle);
  return out.Text();
}

}  // namespace vx::sampledisc
