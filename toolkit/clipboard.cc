#include "toolkit/clipboard.h"

#include "toolkit/backend.h"

namespace toolkit {

std::string GetClipboardText() { return Backend::Current().GetClipboardText(); }

void SetClipboardText(const std::string& utf8) { Backend::Current().SetClipboardText(utf8); }

}  // namespace toolkit
