#pragma once
// The icon of the viewer window and of the program: a small chart picture, painted here
// in 32x32 and 16x16.

#include <QIcon>
#include <QImage>

namespace tallyo {

QImage ChartIconImage(int size);
QIcon ChartIcon();

}  // namespace tallyo
