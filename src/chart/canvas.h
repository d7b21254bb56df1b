// The drawing surface of the graph, in canvas twips. The core draws through
// this interface; the window paints into an image, the driver records lines.
#pragma once

#include <cstdint>
#include <vector>

namespace zelk::chart {

class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void Clear() = 0;
  virtual void SetLineWidth(int pixels) = 0;
  // Coordinates are canvas twips already rounded to single precision; the
  // colour is 0x00BBGGRR.
  virtual void DrawLine(float x1, float y1, float x2, float y2, uint32_t colour) = 0;
};

struct Line {
  float x1, y1, x2, y2;
  uint32_t colour;
  int width;
  bool operator==(const Line&) const = default;
};

// Keeps every line drawn since the last Clear, in drawing order, and passes
// each call on to an optional second canvas. With `keep` false it only
// passes them on, until Keep() is called.
class RecordingCanvas : public Canvas {
 public:
  explicit RecordingCanvas(Canvas* next = nullptr, bool keep = true) : next_(next), keep_(keep) {}
  void Keep() { keep_ = true; }
  void Clear() override;
  void SetLineWidth(int pixels) override;
  void DrawLine(float x1, float y1, float x2, float y2, uint32_t colour) override;
  const std::vector<Line>& lines() const { return lines_; }

 private:
  Canvas* next_;
  bool keep_;
  std::vector<Line> lines_;
  int width_ = 1;
};

}  // namespace zelk::chart
