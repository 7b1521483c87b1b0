#pragma once
// The narrow drawing interface the chart draws through. The picture box implements it on
// the screen; tests implement it to record what is drawn.

#include "platform/Colours.h"

namespace tallyo {

// A user scale with its origin fixed at the top-left corner, y growing downwards. Every
// line and box is mapped with the scale in force at the moment of its call.
class DrawSurface {
 public:
  virtual ~DrawSurface() = default;
  // Paints the whole picture in its background colour, dropping everything drawn before.
  virtual void Clear() = 0;
  virtual void SetScaleWidth(float width) = 0;
  virtual void SetScaleHeight(float height) = 0;
  // Both points absolute, in the scale in force.
  virtual void Line(float x1, float y1, float x2, float y2, Colour colour) = 0;
  // A filled rectangle with the opposite corners (x1, y1) and (x2, y2).
  virtual void Box(float x1, float y1, float x2, float y2, Colour colour) = 0;
  // Called when a complete draw is done, so a surface that batches may render now.
  virtual void Flush() {}
};

}  // namespace tallyo
