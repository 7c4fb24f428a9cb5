#pragma once
// The plain entry fields: digits right-aligned, digits left-aligned, any text.
// They differ only in their window styles; the window sets MaxLength and bounds.

#include "Tools/LocalDbCtrls/LocalDbEdit.h"

namespace vk {

class TIntEdit : public TLocalDbEdit {
 public:
  using TLocalDbEdit::TLocalDbEdit;

 protected:
  void CreateParams(TCreateParams& params) override;
};

class TStrIntEdit : public TLocalDbEdit {
 public:
  using TLocalDbEdit::TLocalDbEdit;

 protected:
  void CreateParams(TCreateParams& params) override;
};

class TStringEdit : public TLocalDbEdit {
 public:
  using TLocalDbEdit::TLocalDbEdit;
};

}  // namespace vk
