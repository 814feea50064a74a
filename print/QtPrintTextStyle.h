// How print texts look in Qt on either drawing path: the catalogue's proportional Gothic face at
// a pixel height, the kText* format flags as Qt alignment flags, CP932 texts as QString.
#pragma once

#include <QFont>
#include <QString>
#include <string_view>

namespace vx {

QFont PrintTextFont(int fontHeight, int fontWeight);
int PrintTextQtFlags(unsigned format);
QString PrintTextString(std::string_view cp932);

}  // namespace vx
