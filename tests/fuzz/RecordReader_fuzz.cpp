// The record reader over any bytes, in every code page and with both separators.
#include <string>

#include "data/CsvReader.h"
#include "data/MyFile2.h"
#include "platform/CodePage.h"
#include "tests/fuzz/FuzzTarget.h"

VX_FUZZ_TARGET(RecordReader) {
  if (size == 0) return 0;
  const int pages[] = {vx::kCodePageCp932, vx::kCodePageUtf8, vx::kCodePageEucJp,
                       vx::kCodePageIso2022Jp};
  vx::MyFile2 source(vxfuzz::Bytes(data + 1, size - 1));
  vx::CsvReader reader(&source, data[0] & 1 ? '\t' : ',');
  reader.SetCodePage(pages[data[0] >> 1 & 3]);
  std::size_t fields = 0;
  while (reader.ReadRecord()) {
    vxfuzz::Check(reader.FieldCount() >= 0, "a record has fields");
    for (int i = -1; i <= reader.FieldCount(); ++i) {
      fields += reader.GetField(i).size();
      reader.GetFieldInt(i);
    }
    vxfuzz::Check(fields <= 4 * size + 64, "fields come from the input");
  }
  return 0;
}
