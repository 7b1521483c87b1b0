#pragma once
// The picture box's map between its user scale and pixels. Drawing and the mouse both go
// through this one type, so a point drawn at user x lights the pixel the pointer reports
// as x. Plain C++ so that it can be tested without a window.

#include <cmath>

namespace tallyo {

class ScaleMap {
 public:
  // Until a user scale is set the scale is in points (1/72 inch) at 96 logical pixels per
  // inch, so one logical pixel is 0.75 of a unit and the scale follows the box's size.
  static constexpr double kPointsPerPixel = 0.75;

  ScaleMap() { SetPixelSize(0, 0, 1); }

  // The box's size in logical pixels and the device pixels per logical pixel.
  void SetPixelSize(int width, int height, double devicePixelRatio) {
    pixelWidth_ = width > 0 ? width : 0;
    pixelHeight_ = height > 0 ? height : 0;
    dpr_ = std::isfinite(devicePixelRatio) && devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    if (!userWidth_) scaleWidth_ = pixelWidth_ * kPointsPerPixel;
    if (!userHeight_) scaleHeight_ = pixelHeight_ * kPointsPerPixel;
    RefreshX();
    RefreshY();
  }

  // A width of 0, infinity or NaN would put every point at infinity or nowhere; such a
  // value is passed over and the scale in force stays.
  void SetScaleWidth(double width) {
    if (!Usable(width)) return;
    scaleWidth_ = width;
    userWidth_ = true;
    RefreshX();
  }
  // The chart sets the height before every segment it draws, so this stays small.
  void SetScaleHeight(double height) {
    if (!Usable(height)) return;
    scaleHeight_ = height;
    userHeight_ = true;
    RefreshY();
  }

  double ScaleWidth() const { return scaleWidth_; }
  double ScaleHeight() const { return scaleHeight_; }
  double DevicePixelRatio() const { return dpr_; }

  // User units to logical pixels and back. A point at pixel position p lies in the pixel
  // floor(p), the one the drawing lights for it.
  double ToPixelX(double x) const { return x * pixelsPerUnitX_; }
  double ToPixelY(double y) const { return y * pixelsPerUnitY_; }
  double ToUserX(double px) const { return pixelsPerUnitX_ != 0 ? px / pixelsPerUnitX_ : 0; }
  double ToUserY(double py) const { return pixelsPerUnitY_ != 0 ? py / pixelsPerUnitY_ : 0; }

  // User units to device pixels: the same map times the pixel ratio.
  double ToDeviceX(double x) const { return x * devicePerUnitX_; }
  double ToDeviceY(double y) const { return y * devicePerUnitY_; }

 private:
  static bool Usable(double v) { return std::isfinite(v) && v != 0; }

  // A box of no size (not laid out yet) has an initial scale of 0: everything maps to 0.
  void RefreshX() {
    pixelsPerUnitX_ = scaleWidth_ != 0 ? pixelWidth_ / scaleWidth_ : 0;
    devicePerUnitX_ = pixelsPerUnitX_ * dpr_;
  }
  void RefreshY() {
    pixelsPerUnitY_ = scaleHeight_ != 0 ? pixelHeight_ / scaleHeight_ : 0;
    devicePerUnitY_ = pixelsPerUnitY_ * dpr_;
  }

  int pixelWidth_ = 0, pixelHeight_ = 0;
  double dpr_ = 1;
  double scaleWidth_ = 0, scaleHeight_ = 0;
  bool userWidth_ = false, userHeight_ = false;
  double pixelsPerUnitX_ = 0, pixelsPerUnitY_ = 0;
  double devicePerUnitX_ = 0, devicePerUnitY_ = 0;
};

}  // namespace tallyo
