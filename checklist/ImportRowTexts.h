// The eighteen texts of an import row (ImportText): the file's fourteen and the candidate's four.
// A record's file texts are shared by every row made for it, and a candidate's texts by every row
// that proposes it: a pen name that many circles share can give one load hundreds of thousands of
// rows. Changing a text through a row first gives that row a copy of its own.
#pragma once

#include <array>
#include <cstddef>
#include <iterator>
#include <memory>
#include <string>
#include <utility>

namespace vx {

// Indexes of the texts. 0 to 13 come from the file, 14 to 17 from the candidate.
enum ImportText : int {
  kImportCircleName,
  kImportCircleKana,
  kImportPenName,
  kImportBookName,
  kImportUrl,
  kImportMailAddr,
  kImportDescription,
  kImportUpdateData,
  kImportOrbalink,
  kImportRss,
  kImportMemo,
  kImportRssInfo,
  kImportTwitter,
  kImportPixiv,
  kImportFileTextCount,
  kImportCandidateName = kImportFileTextCount,
  kImportCandidatePenName,
  kImportCandidateGenre,
  kImportCandidateDescription,
  kImportTextCount,
};

using ImportFileTexts = std::array<std::string, kImportFileTextCount>;
using ImportCandidateTexts = std::array<std::string, kImportTextCount - kImportFileTextCount>;

class ImportRowTexts {
 public:
  class const_iterator {
   public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = std::string;
    using difference_type = std::ptrdiff_t;
    using pointer = const std::string*;
    using reference = const std::string&;

    const_iterator() = default;
    const_iterator(const ImportRowTexts* texts, difference_type i) : texts_(texts), i_(i) {}
    reference operator*() const { return (*texts_)[static_cast<std::size_t>(i_)]; }
    pointer operator->() const { return &**this; }
    reference operator[](difference_type n) const { return *(*this + n); }
    const_iterator& operator++() { return *this += 1; }
    const_iterator operator++(int) { return std::exchange(*this, *this + 1); }
    const_iterator& operator--() { return *this -= 1; }
    const_iterator operator--(int) { return std::exchange(*this, *this - 1); }
    const_iterator& operator+=(difference_type n) { return i_ += n, *this; }
    const_iterator& operator-=(difference_type n) { return i_ -= n, *this; }
    friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
    friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
    friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
    friend difference_type operator-(const const_iterator& a, const const_iterator& b) {
      return a.i_ - b.i_;
    }
    friend bool operator==(const const_iterator& a, const const_iterator& b) {
      return a.i_ == b.i_;
    }
    friend auto operator<=>(const const_iterator& a, const const_iterator& b) {
      return a.i_ <=> b.i_;
    }

   private:
    const ImportRowTexts* texts_ = nullptr;
    difference_type i_ = 0;
  };

  ImportRowTexts() = default;
  // Either part may be null (all its texts empty).
  ImportRowTexts(std::shared_ptr<ImportFileTexts> file,
                 std::shared_ptr<ImportCandidateTexts> candidate)
      : file_(std::move(file)), candidate_(std::move(candidate)) {}

  const std::string& operator[](std::size_t i) const;
  std::string& operator[](std::size_t i);
  static constexpr std::size_t size() { return kImportTextCount; }
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, static_cast<std::ptrdiff_t>(size())}; }
  // By the texts, not by whom they are shared with.
  bool operator==(const ImportRowTexts& other) const;
  // A copy of all eighteen.
  explicit operator std::array<std::string, kImportTextCount>() const;

 private:
  std::shared_ptr<ImportFileTexts> file_;
  std::shared_ptr<ImportCandidateTexts> candidate_;
};

}  // namespace vx
