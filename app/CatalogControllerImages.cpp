// The cut geometry and pictures of the image store, in the resolution the settings choose.
#include "app/CatalogController.h"

#include "app/SettingsValues.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"
#include "platform/Paths.h"
#include "platform/TemplateText.h"
#include "res/ResourceIds.h"

namespace vx {

namespace {

// The folder becomes the fixed part of a printf template.
std::string EscapePercent(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    escaped += c;
    if (c == '%') escaped += '%';
  }
  return escaped;
}

std::string FolderTemplate(const std::filesystem::path& folder, const char* fileTemplate) {
  std::string result = EscapePercent(folder.string());
  if (!result.empty() && result.back() != '/') result += '/';
  return result + fileTemplate;
}

}  // namespace

bool CatalogController::CutResolution() const { return values_ && values_->cutResolution; }

void CatalogController::PreparePageImage(int page) {
  if (images_ && database_) {
    images_->GetPageImage(page, *database_, slots_, CutResolution() || ComposesSharpPage());
  }
}

void CatalogController::SetPagePixelRatio(double ratio) {
  const bool sharp = ratio >= 1.5;
  if (sharp == sharpPages_) return;
  sharpPages_ = sharp;
  if (current_.pageNo > 0) ReloadCurrentPage();
}

// Twice the size in both directions keeps every cut where the low-resolution page has it (the
// caption band is twice as high too).
bool CatalogController::ComposesSharpPage() const {
  return sharpPages_ && !CutResolution() && images_ && images_->HasLowResArchive() &&
         images_->HasHighResArchive() && images_->GetCutWidth(true) == 2 * GetCutWidth() &&
         images_->GetCutHeight(true) == 2 * GetCutHeight();
}

void CatalogController::SetImageFolder(const std::filesystem::path& folder) {
  if (!values_) return;
  imageFolder_ = folder;
  genreMapTemplate_ = FolderTemplate(folder, values_->gdataFile);
  mapTemplate_ = FolderTemplate(folder, values_->mdataFile);
  LoadPage(current_.pageNo);
  Broadcast(UM_IMAGES_CHANGED, 0, 0);
}

std::filesystem::path CatalogController::GetMapImagePath(MapPicture picture, int day,
                                                         int mapId) const {
  if (!values_ || imageFolder_.empty()) return {};
  const char* const formats[] = {values_->mdataFile, values_->gdataFile, values_->hmdataFile,
                                 values_->hgdataFile};
  const std::string_view format = formats[picture];
  const TemplateArg args[] = {day, std::string_view(GetMapFileStem(mapId))};
  const std::optional<std::string> name = FormatTemplate(format, args);
  if (format.empty() || !name) return {};
  return ResolveCaseInsensitive(imageFolder_, *name).value_or(JoinPath(imageFolder_, *name));
}

void CatalogController::ReloadCurrentPage() {
  LoadPage(current_.pageNo);
  Broadcast(UM_IMAGES_CHANGED, 0, 0);
}

CutRect CatalogController::GetCutRect(int cut) const {
  return images_ ? images_->GetCutRect(cut - 1, CutResolution()) : CutRect{};
}

int CatalogController::HitTestCut(int x, int y) const {
  return images_ ? images_->HitTestCut(x, y, CutResolution()) + 1 : 0;
}

CutRect CatalogController::GetCutMarkRect(const CutRect& cutRect) {
  CutRect mark = cutRect;
  CutMarkRect(mark);
  return mark;
}

int CatalogController::GetCutWidth() const {
  return images_ ? images_->GetCutWidth(CutResolution()) : 0;
}

int CatalogController::GetCutHeight() const {
  return images_ ? images_->GetCutHeight(CutResolution()) : 0;
}

bool CatalogController::HasPageImage() const { return images_ && images_->HasPageImage(); }

int CatalogController::GetPageImageWidth() const {
  if (!images_) return 0;
  return images_->GetPageImageWidth() / (ComposesSharpPage() ? 2 : 1);
}

int CatalogController::GetPageImageHeight() const {
  if (!images_) return 0;
  return images_->GetPageImageHeight() / (ComposesSharpPage() ? 2 : 1);
}

void CatalogController::DrawPageImage(QPainter& painter, const QRectF& rect) const {
  if (images_) images_->DrawPageImage(painter, rect);
}

void CatalogController::DrawCircleCut(QPainter& painter, const CutRect& rect, int page,
                                      int cutIndex, int cutNumber, std::uint32_t colorRef,
                                      int number) const {
  if (images_) images_->DrawCut(painter, rect, page, cutIndex, cutNumber, colorRef, number);
}

void CatalogController::CloseImages() {
  if (images_) images_->Close();
}

}  // namespace vx
