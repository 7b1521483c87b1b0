#include "platform/PlotPicture.h"

#include <algorithm>
#include <cmath>

#include "platform/PixelCanvas.h"

namespace tallyo {
namespace {

// A chart draw that is never shown (nobody paints a hidden box) must not grow without
// end: past this many pending lines and boxes they are rendered at once.
constexpr std::size_t kMaxPending = std::size_t{1} << 20;

}  // namespace

PlotPicture::PlotPicture(Colour background) : background_(background) {}

void PlotPicture::SetBackground(Colour colour) {
  background_ = colour;
  Clear();
}

void PlotPicture::Clear() {
  BeforeDrawing();
  batch_.Reset();
  std::fill(pixels_.begin(), pixels_.end(), PixelOf(background_));
  Changed();
}

void PlotPicture::SetScaleWidth(float width) {
  BeforeDrawing();
  map_.SetScaleWidth(width);
}

void PlotPicture::SetScaleHeight(float height) {
  BeforeDrawing();
  map_.SetScaleHeight(height);
}

void PlotPicture::Line(float x1, float y1, float x2, float y2, Colour colour) {
  BeforeDrawing();
  batch_.AddLine({map_.ToDeviceX(x1), map_.ToDeviceY(y1)}, {map_.ToDeviceX(x2), map_.ToDeviceY(y2)},
                 colour);
  if (batch_.Pending() >= kMaxPending) Flush();
  Changed();
}

void PlotPicture::Box(float x1, float y1, float x2, float y2, Colour colour) {
  BeforeDrawing();
  batch_.AddBox({map_.ToDeviceX(x1), map_.ToDeviceY(y1)}, {map_.ToDeviceX(x2), map_.ToDeviceY(y2)},
                colour);
  if (batch_.Pending() >= kMaxPending) Flush();
  Changed();
}

void PlotPicture::Flush() {
  if (batch_.Empty()) return;
  PixelCanvas canvas(pixels_.data(), width_, height_, width_);
  batch_.Render(canvas);
}

const std::uint32_t* PlotPicture::Pixels() {
  Flush();
  changed_ = false;
  return pixels_.data();
}

void PlotPicture::Changed() {
  // One repaint for a whole chart draw of tens of thousands of calls.
  if (changed_) return;
  changed_ = true;
  OnPictureChanged();
}

void PlotPicture::SetBoxSize(int width, int height, double ratio) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  map_.SetPixelSize(width, height, ratio);
  ratio = map_.DevicePixelRatio();
  const int w = static_cast<int>(std::ceil(width * ratio));
  const int h = static_cast<int>(std::ceil(height * ratio));
  if (w == width_ && h == height_) return;
  // What is pending was mapped to the old size: it goes into the old picture first.
  Flush();
  std::vector<std::uint32_t> fresh(static_cast<std::size_t>(w) * static_cast<std::size_t>(h),
                                   PixelOf(background_));
  if (width_ > 0 && height_ > 0) {
    const double kx = static_cast<double>(w) / width_;
    const double ky = static_cast<double>(h) / height_;
    for (int y = 0; y < h; ++y) {
      const auto sy = static_cast<int>(y / ky);
      if (sy >= height_) break;
      for (int x = 0; x < w; ++x) {
        const auto sx = static_cast<int>(x / kx);
        if (sx >= width_) break;
        fresh[static_cast<std::size_t>(y) * w + x] =
            pixels_[static_cast<std::size_t>(sy) * width_ + sx];
      }
    }
  }
  pixels_ = std::move(fresh);
  width_ = w;
  height_ = h;
  batch_.SetPictureSize(w, h);
  Changed();
}

}  // namespace tallyo
