#include "data/CsvReader.h"

#include "platform/CodePage.h"
#include "platform/LeadingInt.h"

#include <algorithm>
#include <utility>

namespace vx {
namespace {

constexpr char kQuote = '"';
constexpr int kCr = 13;
constexpr int kLf = 10;

}  // namespace

CsvReader::CsvReader(IFile* source, char separator) : source_(source), separator_(separator) {}

bool CsvReader::ReadRecord() {
  line_.clear();
  ReadLine();
  SplitFields();
  return !line_.empty();
}

std::string CsvReader::GetField(int i) const {
  if (i < 0 || i >= fieldCount_) return {};
  return fields_[static_cast<std::size_t>(i)];
}

int CsvReader::GetFieldInt(int i) const {
  if (i < 0 || i >= fieldCount_) return 0;
  return LeadingInt(fields_[static_cast<std::size_t>(i)]);
}

bool CsvReader::ReadLine() {
  std::string bytes;
  int c = IFile::kEnd;
  while ((c = source_->getc()) != IFile::kEnd && !IsLineEnd(c)) {
    bytes.push_back(static_cast<char>(c));
  }
  if (bytes.empty() && c == IFile::kEnd) return false;
  std::string text = ToCp932(bytes, codePage_);
  // A NUL ends the text of the line, as it ends a converted C string.
  const std::size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  line_ += text;
  return true;
}

bool CsvReader::IsLineEnd(int c) {
  if (c == kLf) return true;
  if (c != kCr) return false;
  const int next = source_->getc();
  if (next != kLf && next != IFile::kEnd) source_->ungetc(next);
  return true;
}

std::size_t CsvReader::FindSeparator(std::size_t from) const {
  if (from >= line_.size()) return from;
  const std::size_t found = line_.find(separator_, from);
  return found == std::string::npos ? line_.size() : found;
}

std::size_t CsvReader::ReadQuotedField(std::size_t start, std::string& text) {
  std::size_t j = start + 1;
  for (;;) {
    while (j < line_.size() && line_[j] != kQuote) text.push_back(line_[j++]);
    if (j >= line_.size()) {
      // The quote is still open: the field goes on in the next physical line.
      text += "\r\n";
      if (ReadLine()) continue;
      return j;
    }
    ++j;
    if (j < line_.size() && line_[j] == kQuote) {
      text.push_back(kQuote);
      ++j;
      continue;
    }
    const std::size_t end = std::min(FindSeparator(j), line_.size());
    text.append(line_, j, end - j);
    return end;
  }
}

void CsvReader::SplitFields() {
  fieldCount_ = 0;
  if (line_.empty()) return;
  std::size_t i = 0;
  for (;;) {
    std::string text;
    std::size_t end = 0;
    if (i < line_.size() && line_[i] == kQuote) {
      end = ReadQuotedField(i, text);
    } else {
      end = std::min(FindSeparator(i), line_.size());
      text.assign(line_, i, end - i);
    }
    StoreField(std::move(text));
    if (end >= line_.size()) return;
    i = end + 1;
  }
}

void CsvReader::StoreField(std::string&& text) {
  const auto index = static_cast<std::size_t>(fieldCount_);
  if (index < fields_.size()) {
    fields_[index] = std::move(text);
  } else {
    fields_.push_back(std::move(text));
  }
  ++fieldCount_;
}

}  // namespace vx
