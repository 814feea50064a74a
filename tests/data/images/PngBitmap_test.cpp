#include "data/images/PngBitmap.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QBuffer>

#include "data/images/OctetReader.h"
#include "tests/data/images/TestPictures.h"
#include "tests/support/TempDir.h"

namespace vx {
namespace {

using namespace std::string_literals;
using vxtest::Png;
constexpr QRgb W = 0xFFFFFFFF, B = 0xFF000000;

// The pixels as they lie in memory, each B, G, R, A read as a little-endian 0xAARRGGBB.
std::vector<QRgb> Pixels(const QImage& image) {
  const auto* bits = reinterpret_cast<const QRgb*>(image.constBits());
  return image.depth() == 32 ? std::vector(bits, bits + image.width() * image.height())
                             : std::vector<QRgb>{};
}

TEST(PngDecodeTest, EveryColourTypeArrivesAsBgra) {
  const struct {
    const char* what;
    std::string png;
    QImage::Format format;
    std::vector<QRgb> pixels;
  } cases[] = {
      {"palette with tRNS",
       Png(3, 1, 8, 3, {"\0\1\2"s},
           vxtest::PngChunk("PLTE", "\xFF\0\0\0\0\xFF\x0A\x14\x1E"s) +
               vxtest::PngChunk("tRNS", "\x80\0"s)),
       QImage::Format_ARGB32,
       {0x80FF0000, 0x000000FF, 0xFF0A141E}},
      {"16-bit grey",
       Png(2, 1, 16, 0, {"\x12\x34\xFF\xFF"}),
       QImage::Format_RGB32,
       {0xFF121212, W}},
      {"1-bit grey over two bytes",
       Png(9, 1, 1, 0, {"\xB0\x80"}),
       QImage::Format_RGB32,
       {W, B, W, W, B, B, B, B, W}},
      {"interlaced",
       Png(3, 3, 8, 0, {"\1", "\3", "\7\11", "\2", "\10", "\4\5\6"}, "", true),
       QImage::Format_RGB32,
       {0xFF010101, 0xFF020202, 0xFF030303, 0xFF040404, 0xFF050505, 0xFF060606, 0xFF070707,
        0xFF080808, 0xFF090909}},
  };
  for (const auto& c : cases) {
    const QImage image = LoadImageFromMemory(c.png);
    EXPECT_EQ(image.format(), c.format) << c.what;
    EXPECT_EQ(Pixels(image), c.pixels) << c.what;
  }
}

// Hands over every byte asked for after the signature but owns up to one less.
struct UnderReportingReader : OctetReader {
  using OctetReader::OctetReader;
  std::size_t Read(void* buffer, std::size_t count) override {
    const std::size_t given = OctetReader::Read(buffer, count);
    return Position() > 8 && given > 0 ? given - 1 : given;
  }
};

TEST(PngDecodeTest, ShortTruncatedOrAbsurdPicturesFailCleanly) {
  std::vector<std::string> lines(64);
  for (int y = 0; y < 64; ++y) lines[y] = std::string(192, char(y * 37));
  const std::string png = Png(64, 64, 8, 2, lines);
  vxtest::TempDir dir;
  for (std::size_t keep : {std::size_t{8}, std::size_t{30}, png.size() / 2, png.size() - 13}) {
    const std::string part = png.substr(0, keep);
    OctetReader reader(part);
    EXPECT_TRUE(DecodePng(reader).isNull()) << keep;
    EXPECT_TRUE(LoadImageFromMemory(part).isNull()) << keep;
    vxtest::WriteFileBytes(dir / "short.PNG", part);
    EXPECT_TRUE(LoadImageFile(dir / "short.PNG").isNull()) << keep;
  }
  const std::vector<std::string> rows(4, std::string(12, 'x'));
  EXPECT_EQ(LoadImageFromMemory(Png(4, 4, 8, 2, rows)).size(), QSize(4, 4));
  UnderReportingReader shortReads(png);
  EXPECT_TRUE(DecodePng(shortReads).isNull());
  // Too large a side, too many pixels in all, or too little data for the size.
  for (auto [w, h] :
       {std::pair(100000u, 100000u), {0x7FFFFFFFu, 1u}, {19000u, 19000u}, {400u, 400u}}) {
    EXPECT_TRUE(LoadImageFromMemory(Png(w, h, 8, 2, rows)).isNull()) << w << " x " << h;
  }
}

long PeakMemoryKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Chunks the program never reads are skipped unread: a header declaring two gigabytes of text
// costs nothing, and pictures that carry such chunks honestly still decode.
TEST(PngDecodeTest, ChunksThatAreNeverUsedCostNothing) {
  const std::string signature = "\x89PNG\r\n\x1A\n"s;
  const std::string header =
      signature + vxtest::PngChunk("IHDR", vxtest::Be32(1) + vxtest::Be32(1) + "\x08\0\0\0\0"s);
  const long before = PeakMemoryKb();
  for (const char* type : {"tEXt", "zTXt", "iTXt", "sPLT", "iCCP", "eXIf", "prVt"}) {
    const std::string png = header + vxtest::Be32(0x7FFFFFFF) + type + "abcd";
    EXPECT_TRUE(LoadImageFromMemory(png).isNull()) << type;
  }
  EXPECT_LT(PeakMemoryKb() - before, 64 * 1024);

  const std::string chunks = vxtest::PngChunk("tEXt", "Title\0cut"s) +
                             vxtest::PngChunk("sPLT", "pal\0\x08\1\2\3\4\0\5"s) +
                             vxtest::PngChunk("prVt", "private");
  EXPECT_EQ(Pixels(LoadImageFromMemory(Png(2, 1, 8, 0, {"\x10\x20"}, chunks))),
            (std::vector<QRgb>{0xFF101010, 0xFF202020}));
}

// A few hundred kilobytes of PNG can declare hundreds of megabytes of pixels: pictures are
// refused beyond 8192 pixels a side or 32 M pixels in all, cuts beyond 1024 a side.
TEST(PngDecodeTest, PicturesBeyondTheLimitsAreRefusedBeforeTheirPixelsAreMade) {
  const long before = PeakMemoryKb();
  const std::string huge =
      Png(20000, 4000, 8, 0, std::vector<std::string>(4000, std::string(20000, '\0')));
  EXPECT_LT(huge.size(), 300'000u);
  EXPECT_TRUE(LoadImageFromMemory(huge).isNull());
  EXPECT_LT(PeakMemoryKb() - before, 200 * 1024);  // the test's own 80 MB of rows included

  const std::vector<std::string> tall(4097, std::string(8192, '\0'));
  EXPECT_TRUE(LoadImageFromMemory(Png(8192, 4097, 8, 0, tall)).isNull());
  const std::string cut = Png(1025, 1, 8, 0, {std::string(1025, '\0')});
  EXPECT_EQ(LoadImageFromMemory(cut).size(), QSize(1025, 1));
  EXPECT_TRUE(LoadImageFromMemory(cut, kCutPictureLimits).isNull());
  const std::string widest = Png(1024, 1, 8, 0, {std::string(1024, '\0')});
  EXPECT_EQ(LoadImageFromMemory(widest, kCutPictureLimits).size(), QSize(1024, 1));
}

TEST(ImageFallbackTest, JpegUnderAPngNameLoadsAndGarbageDoesNot) {
  vxtest::TempDir dir;
  QImage source(40, 30, QImage::Format_RGB32);
  source.fill(QColor(0, 0, 250));
  ASSERT_TRUE(source.save(QString::fromStdString((dir / "000123.PNG").string()), "JPG", 95));
  const QImage image = LoadImageFile(dir / "000123.PNG");
  ASSERT_EQ(image.size(), QSize(40, 30));
  EXPECT_EQ(image.format(), QImage::Format_RGB32);
  EXPECT_GT(qBlue(image.pixel(20, 15)), 200);
  EXPECT_LT(qRed(image.pixel(20, 15)), 40);
  EXPECT_EQ(LoadImageFromMemory(vxtest::ReadFileBytes(dir / "000123.PNG")).size(), QSize(40, 30));

  vxtest::WriteFileBytes(dir / "junk.PNG", "this is not a picture at all");
  EXPECT_TRUE(LoadImageFile(dir / "junk.PNG").isNull());
  EXPECT_TRUE(LoadImageFile(dir / "absent.PNG").isNull());
  EXPECT_TRUE(LoadImageFromMemory("").isNull());
  EXPECT_TRUE(LoadImageFromMemory("\x89PNG").isNull());

  // Other formats meet the same limits, read from their headers.
  QByteArray bmp;
  QBuffer buffer(&bmp);
  ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
  ASSERT_TRUE(QImage(9000, 2, QImage::Format_RGB32).save(&buffer, "BMP"));
  const std::string wide(bmp.constData(), static_cast<std::size_t>(bmp.size()));
  EXPECT_TRUE(LoadImageFromMemory(wide).isNull());
  vxtest::WriteFileBytes(dir / "wide.PNG", wide);
  EXPECT_TRUE(LoadImageFile(dir / "wide.PNG").isNull());
  const std::string jpeg = vxtest::ReadFileBytes(dir / "000123.PNG");
  EXPECT_TRUE(LoadImageFromMemory(jpeg, {39, 10000}).isNull());
}

}  // namespace
}  // namespace vx
