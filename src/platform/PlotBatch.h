#pragma once
// The picture box's pending drawing, in device pixels. A chart draw arrives as tens of
// thousands of single segments and boxes; they are kept here cheaply and later handed to
// the renderer as few long polylines, filled pixel columns and merged boxes.
//
// Pixel model (that of an aliased one-pixel pen): a point at (x, y) lights the pixel
// (floor x, floor y), and a line lights both its end pixels.
//
// Stacking within one batch: lines drawn before the batch's first box lie under the
// boxes, boxes under the lines drawn after it; lines of one layer are stacked by colour,
// in the order the colours first appeared. Where curves of different colours cross, the
// later colour wins over the whole chart rather than segment by segment.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Colours.h"
#include "platform/Rounding.h"

namespace tallyo {

struct PlotPoint {
  double x, y;
  bool operator==(const PlotPoint&) const = default;
};

// Device pixels, both corners included.
struct PixelRect {
  int left, top, right, bottom;
};

struct ClipRect {
  double left, top, right, bottom;
};

// Whether both ends lie in the rectangle, as nearly every segment of a chart does. NaN
// fails it.
inline bool InsideClip(const PlotPoint& a, const PlotPoint& b, const ClipRect& r) {
  return a.x >= r.left && a.x <= r.right && a.y >= r.top && a.y <= r.bottom && b.x >= r.left &&
         b.x <= r.right && b.y >= r.top && b.y <= r.bottom;
}

// The pixel column of x. std::floor is a library call on the base x86-64 instruction set,
// and rendering asks it once per point.
inline double PixelColumn(double x) {
  if (!(std::fabs(x) < kNoFractionBelow)) return std::floor(x);  // whole already
  const double t = static_cast<double>(static_cast<long long>(x));
  return t > x ? t - 1 : t;
}

// Cuts the segment to the rectangle; false when nothing of it is inside or a coordinate is
// not finite. Each cut point is computed from the other end, which is the nearer one once
// it has been cut itself, so a segment with one end far away keeps its slope where it is
// visible.
inline bool ClipSegment(PlotPoint& a, PlotPoint& b, const ClipRect& r) {
  if (InsideClip(a, b, r)) return true;
  if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y))
    return false;
  enum { kLeft = 1, kRight = 2, kTop = 4, kBottom = 8 };
  auto code = [&r](const PlotPoint& p) {
    return (p.x < r.left ? kLeft : 0) | (p.x > r.right ? kRight : 0) | (p.y < r.top ? kTop : 0) |
           (p.y > r.bottom ? kBottom : 0);
  };
  int ca = code(a), cb = code(b);
  for (int round = 0; round < 8; ++round) {
    if ((ca | cb) == 0) return true;
    if (ca & cb) return false;
    const bool cutA = ca != 0;
    PlotPoint& p = cutA ? a : b;
    const PlotPoint& q = cutA ? b : a;
    const int c = cutA ? ca : cb;
    // q lies on the inner side of the edge that p crosses, so the differences are not 0.
    if (c & kLeft) {
      p = {r.left, q.y + (r.left - q.x) * ((p.y - q.y) / (p.x - q.x))};
    } else if (c & kRight) {
      p = {r.right, q.y + (r.right - q.x) * ((p.y - q.y) / (p.x - q.x))};
    } else if (c & kTop) {
      p = {q.x + (r.top - q.y) * ((p.x - q.x) / (p.y - q.y)), r.top};
    } else {
      p = {q.x + (r.bottom - q.y) * ((p.x - q.x) / (p.y - q.y)), r.bottom};
    }
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
    (cutA ? ca : cb) = code(p);
  }
  return (ca | cb) == 0;
}

class PlotBatch {
 public:
  // Lines are cut this many pixels outside the picture: far enough that the cut ends light
  // no pixel inside it.
  static constexpr double kClipMargin = 4;

  // The size of the picture in device pixels.
  void SetPictureSize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    clip_ = {-kClipMargin, -kClipMargin, width_ + kClipMargin, height_ + kClipMargin};
  }

  // Both points in device pixels. A line that starts where the last one of its colour and
  // layer ended continues that polyline.
  void AddLine(PlotPoint a, PlotPoint b, Colour colour) {
    if (!InsideClip(a, b, clip_) && !ClipSegment(a, b, clip_)) return;
    Track& track = TrackFor(colour, sawBox_ ? 1 : 0);
    if (track.points.empty() || !(track.points.back() == a)) {
      track.runStarts.push_back(static_cast<std::uint32_t>(track.points.size()));
      track.points.push_back(a);
    }
    track.points.push_back(b);
    ++pending_;
  }

  // A filled box over every pixel from corner to corner, both included. Lines drawn from
  // now on lie over it. Touching boxes of one colour and the same rows become one.
  void AddBox(PlotPoint a, PlotPoint b, Colour colour) {
    sawBox_ = true;
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y))
      return;
    PixelRect r;
    if (!PixelSpan(std::min(a.x, b.x), std::max(a.x, b.x), width_, r.left, r.right)) return;
    if (!PixelSpan(std::min(a.y, b.y), std::max(a.y, b.y), height_, r.top, r.bottom)) return;
    ++pending_;
    if (!boxes_.empty()) {
      Box& last = boxes_.back();
      if (last.colour == colour && last.rect.top == r.top && last.rect.bottom == r.bottom &&
          r.left <= last.rect.right + 1 && r.right >= last.rect.left - 1) {
        last.rect.left = std::min(last.rect.left, r.left);
        last.rect.right = std::max(last.rect.right, r.right);
        return;
      }
    }
    boxes_.push_back({colour, r});
  }

  bool Empty() const { return pending_ == 0 && !sawBox_; }
  // Lines and boxes recorded since the last Reset.
  std::size_t Pending() const { return pending_; }

  // Drops everything pending; the buffers keep their capacity for the next draw.
  void Reset() {
    for (std::size_t k = 0; k < activeTracks_; ++k) {
      tracks_[k].points.clear();
      tracks_[k].runStarts.clear();
    }
    activeTracks_ = 0;
    lastTrack_ = 0;
    boxes_.clear();
    sawBox_ = false;
    pending_ = 0;
  }

  // Hands the batch to a sink in stacking order, filling crowded pixel columns on the way,
  // then resets. Sink: Polyline(Colour, const PlotPoint*, std::size_t), Lines(Colour, const
  // PlotPoint*, std::size_t pairs), Column(Colour, int x, int top, int bottom) and
  // Fill(Colour, PixelRect).
  template <class Sink>
  void Render(Sink& sink) {
    RenderLayer(sink, 0);
    for (const Box& box : boxes_) sink.Fill(box.colour, box.rect);
    RenderLayer(sink, 1);
    Reset();
  }

 private:
  struct Track {
    Colour colour = 0;
    int layer = 0;
    std::vector<PlotPoint> points;
    std::vector<std::uint32_t> runStarts;
  };
  struct Box {
    Colour colour;
    PixelRect rect;
  };

  // Pixels floor(lo)..floor(hi) cut to 0..limit-1; false when none is left.
  static bool PixelSpan(double lo, double hi, int limit, int& first, int& last) {
    const double f = std::max(std::floor(lo), 0.0);
    const double l = std::min(std::floor(hi), static_cast<double>(limit) - 1);
    if (f > l) return false;
    first = static_cast<int>(f);
    last = static_cast<int>(l);
    return true;
  }

  Track& TrackFor(Colour colour, int layer) {
    // The chart draws its colours in turn, record by record: the track wanted is nearly
    // always the one after the last, so the search starts there.
    std::size_t k = lastTrack_;
    for (std::size_t n = 0; n < activeTracks_; ++n) {
      if (++k >= activeTracks_) k = 0;
      if (tracks_[k].colour == colour && tracks_[k].layer == layer) {
        lastTrack_ = k;
        return tracks_[k];
      }
    }
    if (activeTracks_ == tracks_.size()) tracks_.emplace_back();
    Track& t = tracks_[activeTracks_];
    t.colour = colour;
    t.layer = layer;
    lastTrack_ = activeTracks_++;
    return t;
  }

  template <class Sink>
  void RenderLayer(Sink& sink, int layer) {
    for (std::size_t k = 0; k < activeTracks_; ++k) {
      Track& t = tracks_[k];
      if (t.layer != layer) continue;
      const std::size_t runs = t.runStarts.size();
      for (std::size_t r = 0; r < runs; ++r) {
        const std::size_t begin = t.runStarts[r];
        const std::size_t end = r + 1 < runs ? t.runStarts[r + 1] : t.points.size();
        RenderRunInColumns(sink, t.colour, t.points.data() + begin, end - begin);
      }
      if (!joins_.empty()) sink.Lines(t.colour, joins_.data(), joins_.size() / 2);
      joins_.clear();
    }
  }

  // One run as pixel columns and lines. A column that holds more than four points of the
  // run is filled from the row of its highest point to that of its lowest: every row a
  // chain inside one column lights. The chain goes on from the
  // column's first point and leaves from its last. The other points stay in polylines; a
  // chain of a single line, the usual join between two filled columns, is gathered in
  // joins_ and drawn with all the others of its colour in one call.
  template <class Sink>
  void RenderRunInColumns(Sink& sink, Colour colour, const PlotPoint* points, std::size_t count) {
    chain_.clear();
    auto endChain = [&] {
      if (chain_.size() == 2) {
        joins_.push_back(chain_[0]);
        joins_.push_back(chain_[1]);
      } else if (chain_.size() > 2) {
        sink.Polyline(colour, chain_.data(), chain_.size());
      }
      chain_.clear();
    };
    std::size_t i = 0;
    double nextColumn = count > 0 ? PixelColumn(points[0].x) : 0;
    while (i < count) {
      const double column = nextColumn;
      double low = points[i].y, high = points[i].y;
      std::size_t end = i + 1;
      for (; end < count; ++end) {
        nextColumn = PixelColumn(points[end].x);
        if (nextColumn != column) break;
        low = std::min(low, points[end].y);
        high = std::max(high, points[end].y);
      }
      if (end - i <= 4) {
        chain_.insert(chain_.end(), points + i, points + end);
      } else {
        chain_.push_back(points[i]);
        endChain();
        int x = 0, top = 0, bottom = 0;
        if (PixelSpan(column, column, width_, x, x) && PixelSpan(low, high, height_, top, bottom))
          sink.Column(colour, x, top, bottom);
        chain_.push_back(points[end - 1]);
      }
      i = end;
    }
    // A run of a single point goes on as a polyline of one point.
    if (chain_.size() == 1 && count == 1) sink.Polyline(colour, chain_.data(), 1);
    endChain();
  }

  int width_ = 0, height_ = 0;
  ClipRect clip_{-kClipMargin, -kClipMargin, kClipMargin, kClipMargin};
  std::vector<Track> tracks_;
  std::size_t activeTracks_ = 0;
  std::size_t lastTrack_ = 0;
  std::vector<Box> boxes_;
  std::vector<PlotPoint> chain_;  // the polyline gathered while a run is rendered
  std::vector<PlotPoint> joins_;  // single lines of one colour, two points each
  bool sawBox_ = false;
  std::size_t pending_ = 0;
};

}  // namespace tallyo
