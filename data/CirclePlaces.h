// Where each circle of one event lies (id, page, cut, day, block, space, half, genre), read in one
// pass over the circle table. Selecting an event derives its page statistics, the circles per
// area and the jump index from it, instead of scanning the table once for each of them.
#pragma once

#include <vector>

namespace vx {

class SqliteDatabase;

struct CirclePlace {
  int id = 0;
  int pageNo = 0;
  int cutIndex = 0;
  int day = 0;
  int blockId = 0;
  int spaceNo = 0;
  int spaceNoSub = 0;
  int genreId = 0;
};

class CirclePlaces {
 public:
  // Replaces the places with those of `eventNo`'s circles, in the table's order; the statement's
  // result code (-1 without a database). A failure leaves none.
  int Read(SqliteDatabase& db, int eventNo);

  const std::vector<CirclePlace>& All() const { return places_; }

 private:
  std::vector<CirclePlace> places_;
};

}  // namespace vx
