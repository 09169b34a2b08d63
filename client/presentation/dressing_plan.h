// Turns the dressing tables into an ordered list of steps for one page and
// one display mode. The plan is plain data; the dresser carries it out on the
// window's controls.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "client/presentation/dressing_tables.h"

namespace presentation {

// The texts a dressing reads; every call may read the language file anew.
using TextLookup = std::function<std::u16string(std::string_view key)>;

// What the window knows that a page's texts depend on.
struct PageContext {
  std::uint8_t darkMode = 0;  // 1 = dark
  bool newVersionFound = false;
  std::string newVersion;  // UTF-8, shown on the version page when found
  std::u16string clientVersion = u"1.1.0";
  std::u16string releaseDate = u"2020-10-27";
};

enum class StepKind : std::uint8_t {
  kSetText,
  kSetHint,
  kSetLook,
  kRestoreLook,  // back to the value the layout gave the property
  kAction,
  kSelectPage,
};

struct DressStep {
  StepKind kind;
  std::string_view control;
  std::u16string text = {};  // kSetText, kSetHint
  Property property = {};    // kSetLook, kRestoreLook
  LookValue value = {};      // kSetLook
  Action action = {};        // kAction
  int page = -1;             // kSelectPage
};

using DressPlan = std::vector<DressStep>;

// The steps for showing `page`: the window background, then (for 0..22) the
// page's texts, looks and actions and the selection of the page in the tab
// layout, in the order that page needs. Above 22 only the background is set.
DressPlan BuildPagePlan(int page, const PageContext& context, const TextLookup& texts);

// The same without selecting the page.
DressPlan BuildPageDressing(int page, const PageContext& context, const TextLookup& texts);

// The looks of the window chrome for a mode.
DressPlan BuildChromePlan(std::uint8_t darkMode);

// The version page's status text: `format` with its first "%s" replaced by
// `version` ("%%" stands for '%'; any other directive is kept as written),
// cut to 255 UTF-16 units.
std::u16string FormatVersionText(std::u16string_view format, std::u16string_view version);

}  // namespace presentation
