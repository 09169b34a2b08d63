// The dressing of the main window's pages as data: per page, which control
// shows which language key, which styles it takes and which mode-dependent
// images and colours it gets. The plan builder turns these rows into steps.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

namespace presentation {

inline constexpr int kPageCount = 23;

// A property that differs between the normal and the dark mode.
enum class Property : std::uint8_t {
  kTextColor,
  kDisabledTextColor,
  kBkColor,
  kNativeBkColor,        // an edit's native background
  kItemSelectedBkColor,  // a list's selected row
  kItemHotBkColor,       // a list's row under the mouse
  kBkImage,
  kNormalImage,
  kPushedImage,
  kDisabledImage,
  kSelectedImage,
  kForeImage,
  kAnimation,  // the image file of an animation control
};

bool IsColorProperty(Property property);

// An ARGB colour or an image description.
using LookValue = std::variant<std::uint32_t, std::string_view>;

// A property's value in each mode; an empty side is not set in that mode (the
// layout's own value applies).
struct Look {
  Property property;
  std::optional<LookValue> normal;
  std::optional<LookValue> dark;
};

// Changes that do not depend on the mode.
enum class Action : std::uint8_t {
  kEnable,
  kDisable,
  kShow,
  kHide,
  kEmpty,     // clear the text
  kUnselect,  // an option's selected state
};

enum class Style : std::uint8_t {
  kTitle,
  kBody,
  kPrimary,
  kPrimary2,
  kPrimary3,
  kPrimary4,
  kBtnText,
  kDisabled,
  kSecondary,
  kBack,
  kDot,
  kPwdEdit,
  kShowPwd,
  kLine,
  kPanel,
};

struct StyleDefinition {
  std::vector<Look> looks;
  std::vector<Action> actions;
};

const StyleDefinition& DefinitionOf(Style style);

// Where a control's text comes from.
enum class TextRule : std::uint8_t {
  kKey,            // the text of `textKey` (none when the key is empty)
  kVersionNumber,  // text of the key + " " + the client's version
  kVersionStatus,  // up to date, or the found version formatted into the key
  kReleaseDate,    // text of the key + ": " + the release date
};

// One row of a page's table; several controls may share a row.
struct ControlRow {
  std::vector<std::string_view> controls;
  std::string_view textKey = {};
  std::vector<Style> styles = {};
  std::vector<Look> looks = {};
  std::vector<Action> actions = {};
  std::string_view hintKey = {};  // an edit's placeholder
  // When set, the text and the hint are set only if this key's text is not
  // empty; otherwise the layout's own texts stay.
  std::string_view onlyIfKeyHasText = {};
  TextRule textRule = TextRule::kKey;
};

struct PageTable {
  std::vector<ControlRow> rows;
  bool selectBeforeDressing = false;
};

// The table of a page 0..22.
const PageTable& PageTableOf(int page);

// Set on every page change, before the page's own rows.
inline constexpr std::string_view kBackgroundControl = "backgrund";
inline constexpr std::uint32_t kBackgroundNormal = 0xFFFAFAFA;
inline constexpr std::uint32_t kBackgroundDark = 0xFF121212;

// The window chrome: the controls that must all exist, and their looks.
std::span<const std::string_view> ChromeControls();
const std::vector<ControlRow>& ChromeRows();

inline constexpr std::string_view kTabControl = "TabMain";

}  // namespace presentation
