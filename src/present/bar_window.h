#pragma once

#include "ui/host.h"

namespace tsumiki {

// What the progress and optimisation windows share: placed by the status position
// each time they are shown, a bar whose value stays inside its range, and a
// repaint on every change while shown. A derived window says how it is painted
// and hidden, and must call Close() from its own destructor.
class BarWindow {
 public:
  BarWindow(const BarWindow&) = delete;
  BarWindow& operator=(const BarWindow&) = delete;

  bool IsLoaded() const { return loaded_; }
  void SetRange(int minimum, int maximum);
  // A value outside the range is held at its nearer end: a progress bar cannot
  // show more than its maximum.
  void SetValue(int value);

 protected:
  // `status_position` is read each time the window opens. The view is the derived
  // window's own, not yet constructed here: it is first written by Open().
  BarWindow(Host& host, const int& status_position, BarWindowView& view, int width_twips,
            int height_twips);
  ~BarWindow() = default;

  // Marks the window loaded and places it; false (and nothing done) when it was
  // loaded already. The caller paints.
  bool Open();
  // Marks the window unloaded and hides it; false when it was not loaded.
  bool Close();
  void Paint() {
    if (loaded_) Draw();
  }
  Host& host() const { return host_; }

 private:
  virtual void Draw() = 0;
  virtual void Erase() = 0;

  Host& host_;
  const int& status_position_;
  BarWindowView& view_;
  int width_twips_;
  int height_twips_;
  bool loaded_ = false;
};

}  // namespace tsumiki
