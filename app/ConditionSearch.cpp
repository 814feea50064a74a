#include "app/ConditionSearch.h"

#include <utility>

#include "data/SearchCondition.h"

namespace vx {

namespace {

template <class>
struct RowParameter;
template <class Record>
struct RowParameter<void (*)(void*, Record)> {
  using type = Record;
};
// How the condition hands its record over: lent for the call, or given away.
using ConditionRow = RowParameter<SearchRowCallback>::type;

void DeliverRow(void* context, ConditionRow record) {
  (*static_cast<const CircleSearch::RowSink*>(context))(
      CircleRecord(std::forward<ConditionRow>(record)));
}

}  // namespace

int ConditionSearch::CountMatches() { return condition_.CountMatches(); }

int ConditionSearch::Run(const RowSink& sink) {
  return condition_.Run(DeliverRow, const_cast<RowSink*>(&sink));
}

void ConditionSearch::Cancel() { condition_.Cancel(); }

std::string ConditionSearch::LastError() const { return condition_.LastError(); }

// Setting a choice, even to the value it has, makes the condition forget a pending cancel.
void ConditionSearch::ForgetCancel() { condition_.SetMemoOnly(condition_.MemoOnly()); }

}  // namespace vx
