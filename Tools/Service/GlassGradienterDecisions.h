#pragma once
// The decisions of the window look that do not need a window: what a paint
// of the bottom band does, how a window is prepared for glass on each
// Windows version, how a change of the frame's rendering is answered, and how
// uses of the Desktop Window Manager's library are counted.

#include <cstdint>
#include <functional>

namespace vk {

// What painting the band does, given the band's mark (the window it was last
// prepared for, 0 for none), the form's current window and the glass state.
struct TBandPaintSteps {
  bool PrepareGlass = false;  // the band becomes glass (then UpdateBevel)
  bool ClearGlass = false;    // the band leaves glass (then UpdateBevel)
  bool PaintGradient = false;
  intptr_t NewTag = 0;  // the band's mark afterwards

  bool operator==(const TBandPaintSteps&) const = default;
};
TBandPaintSteps PlanBandPaint(intptr_t tag, intptr_t formWindow, bool glass);

// A change of the frame's rendering (WM_DWMNCRENDERINGCHANGED): remembered is
// the value kept per window class. True when the band must be painted again
// (its mark was then cleared).
bool RenderingChanged(intptr_t& tag, intptr_t& remembered, intptr_t formWindow);

// How a window is made ready for glass on one Windows version class.
struct TGlassPreparation {
  uint32_t ImageFill = 0;  // the whole band
  bool LayeredForm = false;
  uint32_t FormKey = 0;
  bool FillButtons = false;  // the band buttons' rectangles on the band
  uint32_t ButtonFill = 0;
  int ButtonOutlines = 0;  // nested one-pixel outlines on each button rectangle
  uint32_t OutlineColor = 0;
  bool LayeredButtons = false;
  uint32_t ButtonKey = 0;
  bool ShowForm = false;
  // Hidden band buttons count too when false.
  bool OnlyVisibleButtons = false;

  bool operator==(const TGlassPreparation&) const = default;
};
inline constexpr uint32_t kGlassKeyColor = 0x197510;
inline constexpr uint32_t kGlassButtonKeyColor = 0x010101;
TGlassPreparation PlanGlassPreparation(uint8_t versionClass, uint32_t activeFirst, uint32_t inactiveFirst);
// Leaving glass clears the layered style of the form (Windows 7 and before)
// or of the band buttons (later).
bool ClearGlassOnForm(uint8_t versionClass);
// The grey of the outlines around the band buttons on Windows 11: the
// luminance of the brighter first colour, as a grey.
uint32_t BandKeyGrey(uint32_t activeFirst, uint32_t inactiveFirst);

// The Desktop Window Manager's library is used only from Windows 7 on (also
// on an unknown newer version).
bool DwmSupported(uint8_t versionClass);

// Counts the uses of a library that is loaded at the first use and freed
// when the last one is dropped. A failed load keeps the use and is tried
// again by the next one. Not locked: the caller holds its own lock.
class TLibraryUses {
 public:
  // load returns whether the library is now loaded; free releases it.
  TLibraryUses(std::function<bool()> load, std::function<void()> free)
      : load_(std::move(load)), free_(std::move(free)) {}

  // A use on a supported system; nothing on another.
  void Take(bool supported);
  void Drop();
  // Drops every remaining use (the end of the program).
  void DropAll();

  int Count() const { return count_; }
  bool Loaded() const { return loaded_; }

 private:
  std::function<bool()> load_;
  std::function<void()> free_;
  int count_ = 0;
  bool loaded_ = false;
};

}  // namespace vk
