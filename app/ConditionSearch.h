// A search condition as the search progress runs it.
#pragma once

#include "app/CircleSearch.h"

namespace vx {

class SearchCondition;

class ConditionSearch final : public CircleSearch {
 public:
  explicit ConditionSearch(SearchCondition& condition) : condition_(condition) {}

  int CountMatches() override;
  int Run(const RowSink& sink) override;
  void Cancel() override;
  void ForgetCancel() override;
  std::string LastError() const override;

 private:
  SearchCondition& condition_;
};

}  // namespace vx
