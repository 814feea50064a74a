#include "print/PageImageWriter.h"

// The codecs' error exits leave through longjmp: the functions that call them hold no object
// with a destructor between setjmp and the end of the encoding.
#include <jpeglib.h>
#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/CodePage.h"

namespace vx {
namespace {

// Why the write failed, for the caller's message.
class Failure {
 public:
  explicit Failure(std::string* text) : text_(text) {}
  int operator()(std::string_view why) const {
    if (text_) text_->assign(why);
    return -1;
  }

 private:
  std::string* text_;
};

std::string SystemError(int error) { return std::strerror(error); }

// Opens the file for writing; null (with the reason) when it cannot.
std::FILE* OpenForWriting(const std::filesystem::path& path, const Failure& fail) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) fail(Sjis("ファイルを作成できません (") + SystemError(errno) + ")");
  return file;
}

// Closes the file; a failed encoding or close removes what was written.
int Finish(std::FILE* file, const std::filesystem::path& path, int encoded, std::string_view codec,
           const char* codecError, const Failure& fail) {
  const bool closed = std::fclose(file) == 0;
  const int closeError = errno;
  if (encoded == 0 && closed) return 0;
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
  if (encoded != 0) return fail("ERROR " + std::string(codec) + " = " + codecError);
  return fail(Sjis("ファイルを書き終えられません (") + SystemError(closeError) + ")");
}

// --- PNG ------------------------------------------------------------------------------------

struct PngError {
  char text[200] = "";
};

[[noreturn]] void OnPngError(png_structp png, png_const_charp message) {
  auto* error = static_cast<PngError*>(png_get_error_ptr(png));
  std::snprintf(error->text, sizeof error->text, "%s", message);
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

int EncodePng(std::FILE* file, const DibImage& image, PngError& error) {
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, OnPngError, OnPngWarning);
  if (!png) return -1;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return -1;
  }
  const int width = DibImage_Width(image);
  const int height = DibImage_Height(image);
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_set_bgr(png);  // the rows are stored blue, green, red
  for (int y = 0; y < height; ++y) png_write_row(png, DibImage_GetRow(image, y));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return 0;
}

// --- JPEG -----------------------------------------------------------------------------------

struct JpegError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  char text[JMSG_LENGTH_MAX] = "";
};

[[noreturn]] void OnJpegError(j_common_ptr info) {
  auto* error = reinterpret_cast<JpegError*>(info->err);
  (*info->err->format_message)(info, error->text);
  std::longjmp(error->jump, 1);
}

void SetUpJpeg(jpeg_compress_struct& info, int width, int height, int quality) {
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  for (int c = 0; c < info.num_components; ++c) {  // 4:4:4: no component is subsampled
    info.comp_info[c].h_samp_factor = 1;
    info.comp_info[c].v_samp_factor = 1;
  }
}

int EncodeJpeg(std::FILE* file, const DibImage& image, int quality, JpegError& error,
               std::uint8_t* row) {
  jpeg_compress_struct info;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = OnJpegError;
  if (setjmp(error.jump)) {
    jpeg_destroy_compress(&info);
    return -1;
  }
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  const int width = DibImage_Width(image);
  const int height = DibImage_Height(image);
  SetUpJpeg(info, width, height, quality);
  jpeg_start_compress(&info, TRUE);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* bgr = DibImage_GetRow(image, y);
    for (int x = 0; x < width; ++x) {
      row[3 * x] = bgr[3 * x + 2];
      row[3 * x + 1] = bgr[3 * x + 1];
      row[3 * x + 2] = bgr[3 * x];
    }
    JSAMPROW rows[1] = {row};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return 0;
}

// Page images are 24-bit; anything else is a caller's mistake, said plainly.
int Check24Bit(const DibImage& image, const Failure& fail) {
  return DibImage_BitCount(image) == 24 ? 0 : fail(Sjis("24ビットの画像ではありません。"));
}

}  // namespace

int PageImage_WritePng(const std::filesystem::path& path, const DibImage& image,
                       std::string* failure) {
  const Failure fail(failure);
  if (Check24Bit(image, fail) != 0) return -1;
  std::FILE* file = OpenForWriting(path, fail);
  if (!file) return -1;
  PngError error;
  const int encoded = EncodePng(file, image, error);
  return Finish(file, path, encoded, "PNG", error.text, fail);
}

int PageImage_WriteJpeg(const std::filesystem::path& path, const DibImage& image, int quality,
                        std::string* failure) {
  const Failure fail(failure);
  if (Check24Bit(image, fail) != 0) return -1;
  std::vector<std::uint8_t> row;
  try {
    row.resize(3 * static_cast<std::size_t>(DibImage_Width(image)));
  } catch (const std::bad_alloc&) {
    return fail(Sjis("メモリが不足しています。"));
  }
  std::FILE* file = OpenForWriting(path, fail);
  if (!file) return -1;
  JpegError error;
  const int encoded = EncodeJpeg(file, image, quality, error, row.data());
  return Finish(file, path, encoded, "JPEG", error.text, fail);
}

}  // namespace vx
