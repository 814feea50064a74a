#include "print/OutlineMapRenderer.h"

#include "platform/CodePage.h"
#include "print/MapPictureFile.h"
#include "print/PageDrawing.h"
#include "print/PrintEngineState.h"
#include "print/PrintErrors.h"

namespace vx {
namespace {

constexpr int kMapParts = kHallGroupCount;

struct OutlinePart {
  std::string file;
  bool rotated = false;
  bool hallArea = false;
};

bool PartOf(const PrintDay& day, int part, OutlinePart& out) {
  if (part >= 1 && part <= static_cast<int>(day.groups.size()) && part <= kMapParts) {
    const PrintHallGroup& group = day.groups[static_cast<std::size_t>(part - 1)];
    out = {group.outlineFile, group.rotate != 0, false};
    return true;
  }
  const int entry = part - kMapParts;
  if (entry < 1 || entry > static_cast<int>(day.halls.size())) return false;
  const PrintHallEntry& hall = day.halls[static_cast<std::size_t>(entry - 1)];
  const int g = hall.hallGroup;
  const bool rotated = g >= 1 && g <= static_cast<int>(day.groups.size()) &&
                       day.groups[static_cast<std::size_t>(g - 1)].rotate != 0;
  out = {hall.outlineFile, rotated, true};
  return true;
}

int Percent(int channel) { return channel * 100 / 256; }

// The part's shape, light on dark, in the area colour: black (transparent) elsewhere.
DibImagePtr PartMask(int width, int height, const DibImage* partPicture, const PrintLayout& l) {
  DibImagePtr mask = DibImage_Create(24, width, height);
  if (!mask) return nullptr;
  DibImage_FillRect(*mask, 0, 0, width, height, 255, 255, 255, kDibSet);
  if (partPicture) DibImage_Blit(*mask, 0, 0, width, height, *partPicture, 0, 0, kDibSet);
  DibImage_InvertRect(*mask, width, height);
  const ColorRef c = l.outlineAreaColor;
  int r = Percent(c & 0xFF);
  int g = Percent((c >> 8) & 0xFF);
  int b = Percent((c >> 16) & 0xFF);
  if (r == 0 && g == 0 && b == 0) b = 1;
  DibImage_FillRect(*mask, 0, 0, width, height, r, g, b, kDibPercent);
  return mask;
}

// The tinted outline, turned when asked for; null after reporting.
DibImagePtr ComposeOutline(const DibImage& outline, const OutlinePart& part, const PrintJob& job) {
  const PrintLayout& l = PrintEngine_State().layout;
  DibImagePtr composed = DibImage_To24(outline);
  DibImagePtr partPicture =
      PrintEngine_ImageFileExists(part.file) ? MapPicture_Load(part.file) : nullptr;
  const int width = composed ? DibImage_Width(*composed) : 0;
  const int height = composed ? DibImage_Height(*composed) : 0;
  DibImagePtr mask = composed ? PartMask(width, height, partPicture.get(), l) : nullptr;
  if (mask) {
    const int opacity = l.outlineAreaOpacity;
    DibImage_BlitTransparent(opacity, *composed, width, height, *mask);
    if (job.smallMapRotation && part.rotated) composed = DibImage_Rotate(*composed, 180);
  }
  if (!mask || !composed) {
    ReportPrintError(Sjis("略図マップ用メモリが確保できません"), "RenderOutlineMap");
    return nullptr;
  }
  return composed;
}

}  // namespace

int RenderOutlineMap(PrintJob& job, int day, int part, bool output) {
  PageCanvas* canvas = PrintPage_Canvas(job, output);
  const PrintEngineState& state = PrintEngine_State();
  if (!canvas || !job.smallMap || day < 1 || day > static_cast<int>(state.tables.days.size())) {
    return 0;
  }
  const PrintDay& d = state.tables.days[static_cast<std::size_t>(day - 1)];
  OutlinePart p;
  if (!PartOf(d, part, p) || !PrintEngine_ImageFileExists(d.outlineFile)) return 0;
  const DibImagePtr outline = MapPicture_Load(d.outlineFile);
  if (!outline) {
    ReportFileReadError(PrintEngine_ImagePath(d.outlineFile), "RenderOutlineMap");
    return -1;
  }
  const DibImagePtr composed = ComposeOutline(*outline, p, job);
  if (!composed) return -1;
  const PrintLayout& l = state.layout;
  const PagePoint origin = PrintPage_Origin();
  const DibRect& place = p.hallArea ? l.outlineHallRect : l.outlineMapRect;
  const DibRect to{place.x + origin.x, place.y + origin.y, place.w, place.h};
  const DibRect whole{0, 0, DibImage_Width(*composed), DibImage_Height(*composed)};
  if (canvas->DrawPicture(to, *composed, whole) != 0) {
    ReportPrintError(Sjis("略図マップ用メモリが確保できません"), "RenderOutlineMap");
    return -1;
  }
  const int t = l.outlineFrameWidth;
  if (t > 0) {
    const ColorRef frame = canvas->OnPrinter() ? kBlack : l.outlineFrameColor;
    DrawFrame(*canvas, {to.x - t, to.y - t, to.w + 2 * t, to.h + 2 * t}, t, t, frame);
  }
  return 0;
}

}  // namespace vx
