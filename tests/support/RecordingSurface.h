#pragma once
// Drawing surfaces for tests: one that records every call with the scale in force, one
// that does nothing (for timing and fuzzing), and helpers to pick recorded calls apart.

#include <cstddef>
#include <vector>

#include "platform/DrawSurface.h"

namespace tallyo::test {

enum class SurfaceOp { kClear, kScaleWidth, kScaleHeight, kLine, kBox, kFlush };

struct SurfaceCall {
  SurfaceOp op;
  // Line and box: both corners. Scale width or height: the new value in x1.
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  Colour colour = 0;
  // The scale in force when the call was made (after it, for the scale calls).
  float width = 0;
  float height = 0;
};

// Records every call in order. A clear drops nothing from the record, so a test sees
// everything drawn since the surface was made (or since Reset).
class RecordingSurface : public DrawSurface {
 public:
  void Clear() override { Add({SurfaceOp::kClear}); }
  void SetScaleWidth(float width) override {
    width_ = width;
    Add({SurfaceOp::kScaleWidth, width});
  }
  void SetScaleHeight(float height) override {
    height_ = height;
    Add({SurfaceOp::kScaleHeight, height});
  }
  void Line(float x1, float y1, float x2, float y2, Colour colour) override {
    Add({SurfaceOp::kLine, x1, y1, x2, y2, colour});
  }
  void Box(float x1, float y1, float x2, float y2, Colour colour) override {
    Add({SurfaceOp::kBox, x1, y1, x2, y2, colour});
  }
  void Flush() override { Add({SurfaceOp::kFlush}); }

  void Reset() { calls.clear(); }

  // The calls of one kind, in order; for lines and boxes optionally of one colour only.
  std::vector<SurfaceCall> Of(SurfaceOp op) const {
    std::vector<SurfaceCall> out;
    for (const SurfaceCall& c : calls) {
      if (c.op == op) out.push_back(c);
    }
    return out;
  }
  std::vector<SurfaceCall> Of(SurfaceOp op, Colour colour) const {
    std::vector<SurfaceCall> out;
    for (const SurfaceCall& c : calls) {
      if (c.op == op && c.colour == colour) out.push_back(c);
    }
    return out;
  }
  std::size_t Count(SurfaceOp op) const {
    std::size_t n = 0;
    for (const SurfaceCall& c : calls) n += c.op == op;
    return n;
  }

  std::vector<SurfaceCall> calls;

 private:
  void Add(SurfaceCall call) {
    call.width = width_;
    call.height = height_;
    calls.push_back(call);
  }

  float width_ = 0;
  float height_ = 0;
};

// Takes every call and does nothing, so a timing measures only the caller's own work.
class NullSurface : public DrawSurface {
 public:
  void Clear() override {}
  void SetScaleWidth(float) override {}
  void SetScaleHeight(float) override {}
  void Line(float, float, float, float, Colour) override {}
  void Box(float, float, float, float, Colour) override {}
};

// Counts calls of each kind and notes whether any number handed over was not finite.
class CountingSurface : public DrawSurface {
 public:
  void Clear() override { ++clears; }
  void SetScaleWidth(float width) override {
    ++scaleCalls;
    CheckScale(width);
  }
  void SetScaleHeight(float height) override {
    ++scaleCalls;
    CheckScale(height);
  }
  void Line(float x1, float y1, float x2, float y2, Colour) override {
    ++lines;
    Check(x1), Check(y1), Check(x2), Check(y2);
  }
  void Box(float x1, float y1, float x2, float y2, Colour) override {
    ++boxes;
    Check(x1), Check(y1), Check(x2), Check(y2);
  }

  std::size_t clears = 0, scaleCalls = 0, lines = 0, boxes = 0;
  bool sawNonFinite = false;
  bool sawBadScale = false;  // a width or height not above 0

 private:
  void CheckScale(float v) {
    Check(v);
    if (!(v > 0)) sawBadScale = true;
  }
  void Check(float v) {
    if (!(v - v == 0)) sawNonFinite = true;  // NaN and infinities
  }
};

}  // namespace tallyo::test
