// The page image that the documents draw into for the counting pass and the preview, and the
// scaled copy of a finished page that the preview shows.
#pragma once

#include <string_view>

#include "print/DibImage.h"

namespace vx {

struct PrintJob;

// A zero-filled packed bitmap of 8 (with a black palette) or 24 bits; null for another depth or
// when memory runs out.
DibImagePtr AllocPageDib(int bitsPerPixel, int width, int height);

// Records the page geometry of the job from the layout's paper and DPI: where a run draws
// without a page image (counting pages, the printer drawn directly).
void OpenPageGeometry(const PrintJob& job);
// Creates the job's 24-bit page image from the layout's paper and DPI and records the page
// geometry; -1 after reporting `failText` from `caller` when memory runs out.
int OpenPageImage(PrintJob& job, std::string_view failText, std::string_view caller);

// Creates the job's 24-bit page image from the layout's paper and DPI (when the job draws into
// an image) and records the page geometry; -1 after reporting when memory runs out.
int Preview_Open(PrintJob& job);
// Scales the finished page to the job's long side as its scaled page image; -1 after reporting.
int Preview_Put(PrintJob& job);
// Releases the page image; 0.
int Preview_Close(PrintJob& job);

}  // namespace vx
