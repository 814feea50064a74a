// Reads delimited text record by record from a byte source: the INIT.TXT entry of a cut archive
// (TAB) and checklist files and clipboard text (comma). Each physical line is converted from the
// source's code page to CP932 before it is split, so fields are always CP932.
//
// A field that starts with a double quote runs to the next lone double quote ("" stands for one)
// and may span line ends, which it holds as CR LF; text between its closing quote and the next
// separator is kept. Other fields are taken as they stand. A byte order mark is not removed: with
// code page 932 its three bytes stay in the first field, with 65001 it becomes '?'.
#pragma once

#include "data/IFile.h"

#include <cstddef>
#include <string>
#include <vector>

namespace vx {

class CsvReader {
 public:
  // The source is not owned and must outlive the reader. The code page starts as 932.
  CsvReader(IFile* source, char separator);

  // Reads the next record. False at the end of the data and for a blank line, so a loop over the
  // records stops at the first blank line.
  bool ReadRecord();
  // Field i of the current record; "" when out of range.
  std::string GetField(int i) const;
  // Field i as a decimal number (leading digits; 0 when none or out of range).
  int GetFieldInt(int i) const;
  int FieldCount() const { return fieldCount_; }

  // Both may change between records: a checklist names its encoding in its first record.
  char Separator() const { return separator_; }
  void SetSeparator(char separator) { separator_ = separator; }
  int CodePage() const { return codePage_; }
  void SetCodePage(int codePage) { codePage_ = codePage; }

 private:
  // Appends the next physical line, converted, to the record's text; false at the end of the data.
  bool ReadLine();
  // True for CR or LF; a CR swallows the LF that follows it.
  bool IsLineEnd(int c);
  // The first separator at or after `from`, or the line's length.
  std::size_t FindSeparator(std::size_t from) const;
  void SplitFields();
  // Reads the quoted field starting at line_[start]; returns where it ends (a separator or the
  // line's length).
  std::size_t ReadQuotedField(std::size_t start, std::string& text);
  void StoreField(std::string&& text);

  IFile* source_;
  std::string line_;
  std::vector<std::string> fields_;  // entries at fieldCount_ and beyond are stale
  int fieldCount_ = 0;
  char separator_;
  int codePage_ = 932;
};

}  // namespace vx
