// The main of the widget tests: one QApplication for the whole run, on the offscreen
// platform unless the caller chose another, with the faces of the build's fonts folder
// added before any window is built, as the program adds those of its own folder. Listing
// the tests (as the build does to discover them) needs no application, so none is made
// then.
#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>

#include "Fonts.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  tallyo::AddFontFolder(TALLYO_FONTS_FOLDER);
  return RUN_ALL_TESTS();
}
