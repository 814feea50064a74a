#include "app/SearchConditionSettings.h"

#include "data/SearchCondition.h"

namespace vx {

void ApplySearchSettings(const SearchSettings& settings, SearchCondition& condition) {
  condition.Reset();
  condition.SetMatchAll(settings.matchAll);
  condition.SetNormalizedMatch(settings.normalized);
  condition.SetMemoOnly(settings.memoOnly);
  condition.SetUpdatedOnly(settings.updatedOnly);
  condition.SetKeywordFields(settings.keywordFields);
  if (settings.days) {
    for (int day : *settings.days) condition.AddDay(day);
  } else {
    condition.AddAllDays();
  }
  if (settings.genres) {
    for (int genre : *settings.genres) condition.AddGenre(genre);
  } else {
    condition.AddAllGenres();
  }
  condition.SetKeywords(settings.keywords);
}

SearchSettings CaptureSearchSettings(const SearchCondition& condition) {
  SearchSettings settings;
  settings.matchAll = condition.MatchAll();
  settings.normalized = condition.NormalizedMatch();
  settings.memoOnly = condition.MemoOnly();
  settings.updatedOnly = condition.UpdatedOnly();
  settings.keywordFields = condition.KeywordFields();
  settings.days = condition.Days();
  settings.genres = condition.Genres();
  settings.keywords = condition.KeywordText();
  return settings;
}

}  // namespace vx
