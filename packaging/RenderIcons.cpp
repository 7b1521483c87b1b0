// Renders the program's chart icon into the files that packages carry: a PNG for Linux
// desktops and an ICO for the Windows program file. Run by hand (the packaging_icons
// target) when the icon's drawing changes; the results are kept in the repository so that
// no package build has to run Qt on the build machine.
#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/qt/ChartIcon.h"

namespace {

QByteArray PngBytes(int size) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  tallyo::ChartIconImage(size).save(&buffer, "PNG");
  return bytes;
}

void PutLe(QByteArray& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// An ICO file whose images are PNG streams, one per size.
QByteArray IcoBytes(const std::vector<int>& sizes) {
  std::vector<QByteArray> images;
  for (int size : sizes) images.push_back(PngBytes(size));
  QByteArray out;
  PutLe(out, 0, 2);  // reserved
  PutLe(out, 1, 2);  // type: icon
  PutLe(out, static_cast<std::uint32_t>(sizes.size()), 2);
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(sizes.size());
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const std::uint32_t side = sizes[i] >= 256 ? 0 : static_cast<std::uint32_t>(sizes[i]);
    PutLe(out, side, 1);  // width, 0 meaning 256
    PutLe(out, side, 1);  // height
    PutLe(out, 0, 1);     // palette size
    PutLe(out, 0, 1);     // reserved
    PutLe(out, 1, 2);     // colour planes
    PutLe(out, 32, 2);    // bits per pixel
    PutLe(out, static_cast<std::uint32_t>(images[i].size()), 4);
    PutLe(out, offset, 4);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const QByteArray& image : images) out.append(image);
  return out;
}

bool Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const bool ok = Write(folder + "/Tallyo_viewer.png", PngBytes(64)) &&
                  Write(folder + "/Tallyo_viewer.ico", IcoBytes({16, 32, 48, 256}));
  return ok ? 0 : 1;
}
