#include "Tools/Service/GlassGradienterDecisions.h"

#include <algorithm>

#include "Tools/Service/GlassGradienterColors.h"
#include "Tools/Service/WindowsVersion.h"

namespace vk {

TBandPaintSteps PlanBandPaint(intptr_t tag, intptr_t formWindow, bool glass) {
  // A band marked for another window belongs to a window that was re-created.
  if (tag != 0 && tag != formWindow) tag = 0;
  TBandPaintSteps steps;
  steps.NewTag = formWindow;
  if (glass) {
    steps.PrepareGlass = tag == 0;
  } else {
    steps.ClearGlass = tag == 0;
    steps.PaintGradient = true;
  }
  return steps;
}

bool RenderingChanged(intptr_t& tag, intptr_t& remembered, intptr_t formWindow) {
  if (tag == 0) {
    remembered = formWindow;
    return false;
  }
  if (tag == remembered) {
    tag = 0;
    return true;
  }
  remembered = tag;
  return false;
}

uint32_t BandKeyGrey(uint32_t activeFirst, uint32_t inactiveFirst) {
  double l = std::max(Luminance(WithoutAlpha(activeFirst)), Luminance(WithoutAlpha(inactiveFirst)));
  uint32_t g = static_cast<uint32_t>(l);
  if (g >= 255) return 0xFFFFFF;
  return g | g << 8 | g << 16;
}

TGlassPreparation PlanGlassPreparation(uint8_t versionClass, uint32_t activeFirst, uint32_t inactiveFirst) {
  TGlassPreparation plan;
  if (versionClass <= kWin7) {
    plan.ImageFill = kGlassKeyColor;
    plan.LayeredForm = true;
    plan.FormKey = kGlassKeyColor;
    return plan;
  }
  plan.ImageFill = 0x000000;
  plan.FillButtons = true;
  plan.LayeredButtons = true;
  plan.ShowForm = true;
  if (versionClass <= kWin10) {
    plan.ButtonFill = kGlassButtonKeyColor;
    plan.ButtonKey = kGlassButtonKeyColor;
    return plan;
  }
  plan.ButtonFill = kClBtnFace;
  plan.ButtonOutlines = 3;
  plan.OutlineColor = BandKeyGrey(activeFirst, inactiveFirst);
  plan.ButtonKey = kGlassKeyColor;
  plan.OnlyVisibleButtons = true;
  return plan;
}

bool ClearGlassOnForm(uint8_t versionClass) { return versionClass <= kWin7; }

bool DwmSupported(uint8_t versionClass) { return versionClass > kWinVista; }

void TLibraryUses::Take(bool supported) {
  if (!supported) return;
  ++count_;
  if (!loaded_) loaded_ = load_();
}

void TLibraryUses::Drop() {
  if (count_ > 0) --count_;
  if (count_ == 0 && loaded_) {
    free_();
    loaded_ = false;
  }
}

void TLibraryUses::DropAll() {
  count_ = 0;
  if (loaded_) {
    free_();
    loaded_ = false;
  }
}

}  // namespace vk
