#include "Tools/LocalDbCtrls/IntEdit.h"

namespace vk {

void TIntEdit::CreateParams(TCreateParams& params) {
  TLocalDbEdit::CreateParams(params);
  params.Style = (params.Style & ~static_cast<DWORD>(ES_LEFT | ES_CENTER)) | ES_RIGHT | ES_NUMBER;
}

void TStrIntEdit::CreateParams(TCreateParams& params) {
  TLocalDbEdit::CreateParams(params);
  params.Style |= ES_NUMBER;
}

}  // namespace vk
