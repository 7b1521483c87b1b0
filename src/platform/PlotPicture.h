#pragma once
// The chart's picture as both editions keep it: its pixels, its user scale and the drawing
// not yet rendered. Lines and boxes are batched and rasterized by PixelCanvas, so the same
// calls give the same pixels on every system; a toolkit's picture box only shows them and
// reports the mouse through the same scale. Plain C++, so that it can be tested without a
// window.

#include <cstdint>
#include <vector>

#include "platform/DrawSurface.h"
#include "platform/PlotBatch.h"
#include "platform/ScaleMap.h"

namespace tallyo {

class PlotPicture : public DrawSurface {
 public:
  explicit PlotPicture(Colour background);

  // As with a picture box's back colour, a new background clears the picture.
  void SetBackground(Colour colour);

  void Clear() override;
  void SetScaleWidth(float width) override;
  void SetScaleHeight(float height) override;
  void Line(float x1, float y1, float x2, float y2, Colour colour) override;
  void Box(float x1, float y1, float x2, float y2, Colour colour) override;
  void Flush() override;

  float ScaleWidth() const { return static_cast<float>(map_.ScaleWidth()); }
  float ScaleHeight() const { return static_cast<float>(map_.ScaleHeight()); }
  // A pointer position in the box's logical pixels to the user scale.
  float ToUserX(double px) const { return static_cast<float>(map_.ToUserX(px)); }
  float ToUserY(double py) const { return static_cast<float>(map_.ToUserY(py)); }

  // The picture with everything drawn so far: PictureWidth() x PictureHeight() device
  // pixels, 0xFFRRGGBB, top row first, rows PictureWidth() apart.
  int PictureWidth() const { return width_; }
  int PictureHeight() const { return height_; }
  const std::uint32_t* Pixels();
  double DevicePixelRatio() const { return map_.DevicePixelRatio(); }

 protected:
  // The box is width x height logical pixels at ratio device pixels each. What the old
  // picture shows goes into the new one, stretched to its size.
  void SetBoxSize(int width, int height, double ratio);

  // The picture has changed since Pixels() was last asked: the box should be shown anew.
  virtual void OnPictureChanged() = 0;
  // Called before every drawing call, so that a box can follow its size first.
  virtual void BeforeDrawing() {}

 private:
  void Changed();

  ScaleMap map_;
  PlotBatch batch_;
  std::vector<std::uint32_t> pixels_;
  int width_ = 0, height_ = 0;
  Colour background_;
  bool changed_ = false;
};

}  // namespace tallyo
