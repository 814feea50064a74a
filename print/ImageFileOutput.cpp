#include "print/ImageFileOutput.h"

#include <cerrno>
#include <cstring>

#include "platform/CodePage.h"
#include "print/OutputPath.h"
#include "print/PageDrawing.h"
#include "print/PageImageWriter.h"
#include "print/PreviewPageBuffer.h"
#include "print/PrintErrors.h"
#include "print/PrintJob.h"
#include "print/PrintPageGeometry.h"

namespace vx {
namespace {

constexpr int kJpegQuality = 95;

const char* ExtensionPattern(int format) {
  switch (format) {
    case kImagePng:
      return "*.png";
    case kImageJpeg:
      return "*.jpg";
    default:
      return "*.bmp";
  }
}

std::string WithSeparator(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// The page at the job's long side; the page itself when it asks for none.
std::shared_ptr<const DibImage> SizedPage(const PrintJob& job) {
  const DibImage& page = *job.pageImage;
  if (job.longSide <= 0) return job.pageImage;
  int width = 0;
  int height = 0;
  PrintPage_ScaledSize(DibImage_Width(page), DibImage_Height(page), job.longSide, width, height);
  std::shared_ptr<DibImage> scaled = AllocPageDib(24, width, height);
  if (!scaled) return nullptr;
  DibImage_StretchBlit(*scaled, {0, 0, width, height}, page,
                       {0, 0, DibImage_Width(page), DibImage_Height(page)}, true);
  return scaled;
}

}  // namespace

std::filesystem::path ImageFileOutput::PagePath(const PrintJob& job, int page) {
  return MakeOutputPath(WithSeparator(job.outputFolder), PageFileName(job.outputFile, page),
                        ExtensionPattern(job.imageFormat));
}

int ImageFileOutput::Open(PrintJob& job) {
  folder_ = job.outputFolder;
  written_ = 0;
  return OpenPageImage(job, Sjis("出力用メモリが確保できません"), "PutBMP_Open");
}

int ImageFileOutput::Put(PrintJob& job) {
  if (!job.pageImage) return 0;
  const std::filesystem::path path = PagePath(job, job.currentPage);
  std::string failure;
  if (Write(job, path, failure) != 0) {
    ReportPrintBox(Sjis("画像ファイルの保存に失敗しました。\n") + Utf8ToCp932(path.string()) +
                       "\n" + failure +
                       Sjis("\n\n出力先のフォルダに書き込めるか、空きがあるかを確かめてください。"),
                   Sjis("画像の出力"));
    return -1;
  }
  ++written_;
  return 0;
}

int ImageFileOutput::Write(const PrintJob& job, const std::filesystem::path& path,
                           std::string& failure) {
  const std::shared_ptr<const DibImage> page = SizedPage(job);
  if (!page) {
    failure = Sjis("出力用メモリが確保できません(2)");
    return -1;
  }
  switch (job.imageFormat) {
    case kImagePng:
      return PageImage_WritePng(path, *page, &failure);
    case kImageJpeg:
      return PageImage_WriteJpeg(path, *page, kJpegQuality, &failure);
    default:
      break;
  }
  errno = 0;
  if (DibImage_SaveBmp(page.get(), path) == 0) return 0;
  failure = Sjis("ファイルを書き込めません (") + (errno ? std::strerror(errno) : "I/O") + ")";
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
  return -1;
}

int ImageFileOutput::Close(PrintJob& job) {
  PrintPage_Release(job);
  if (openFolder_ && written_ > 0) openFolder_(folder_);
  return 0;
}

void ImageFileOutput::Abort(PrintJob& job) { PrintPage_Release(job); }

}  // namespace vx
