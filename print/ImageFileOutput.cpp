#include "print/ImageFileOutput.h"

#include "platform/CodePage.h"
#include "print/OutputPath.h"
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
  return OpenPageImage(job, Sjis("出力用メモリが確保できません"), "PutBMP_Open");
}

int ImageFileOutput::Put(PrintJob& job) {
  if (!job.pageImage) return 0;
  const std::filesystem::path path = PagePath(job, job.currentPage);
  if (Write(job, path) != 0) {
    ReportPrintBox(Sjis("画像ファイルの保存に失敗しました。\n") + Utf8ToCp932(path.string()),
                   Sjis("画像の出力"));
  }
  return 0;  // the next page is still worth writing
}

int ImageFileOutput::Write(const PrintJob& job, const std::filesystem::path& path) {
  const std::shared_ptr<const DibImage> page = SizedPage(job);
  if (!page) {
    ReportPrintError(Sjis("出力用メモリが確保できません(2)"), "PutBMP_Put");
    return -1;
  }
  switch (job.imageFormat) {
    case kImagePng:
      return PageImage_WritePng(path, *page);
    case kImageJpeg:
      return PageImage_WriteJpeg(path, *page, kJpegQuality);
    default:
      return DibImage_SaveBmp(page.get(), path);
  }
}

int ImageFileOutput::Close(PrintJob& job) {
  job.pageImage.reset();
  if (openFolder_ && !folder_.empty()) openFolder_(folder_);
  folder_.clear();
  return 0;
}

}  // namespace vx
