#include "client/presentation/dressing_plan.h"

#include "platform/text.h"

namespace presentation {
namespace {

constexpr std::size_t kMaxVersionText = 255;

class PlanWriter {
 public:
  PlanWriter(std::uint8_t darkMode, DressPlan& plan) : dark_(darkMode == 1), plan_(plan) {}

  void Look(const ControlRow& row, const presentation::Look& look) {
    const auto& value = dark_ ? look.dark : look.normal;
    for (std::string_view control : row.controls) {
      if (value) {
        plan_.push_back({.kind = StepKind::kSetLook,
                         .control = control,
                         .property = look.property,
                         .value = *value});
      } else {
        plan_.push_back(
            {.kind = StepKind::kRestoreLook, .control = control, .property = look.property});
      }
    }
  }

  void Action(const ControlRow& row, presentation::Action action) {
    for (std::string_view control : row.controls) {
      plan_.push_back({.kind = StepKind::kAction, .control = control, .action = action});
    }
  }

  void Text(const ControlRow& row, StepKind kind, const std::u16string& text) {
    for (std::string_view control : row.controls) {
      plan_.push_back({.kind = kind, .control = control, .text = text});
    }
  }

 private:
  bool dark_;
  DressPlan& plan_;
};

std::u16string RowText(const ControlRow& row, const PageContext& context, const TextLookup& texts) {
  switch (row.textRule) {
    case TextRule::kKey:
      return texts(row.textKey);
    case TextRule::kVersionNumber:
      return texts(row.textKey) + u" " + context.clientVersion;
    case TextRule::kVersionStatus:
      if (context.newVersionFound) {
        return FormatVersionText(texts("Version_FoundNewVersion"),
                                 platform::Utf8ToUtf16(context.newVersion));
      }
      return texts(row.textKey);
    case TextRule::kReleaseDate:
      return texts(row.textKey) + u": " + context.releaseDate;
  }
  return {};
}

void AppendRows(const std::vector<ControlRow>& rows, const PageContext& context,
                const TextLookup& texts, DressPlan& plan) {
  PlanWriter writer(context.darkMode, plan);
  // Texts first, then the looks of the mode, then the resets.
  for (const ControlRow& row : rows) {
    if (!row.onlyIfKeyHasText.empty() && texts(row.onlyIfKeyHasText).empty()) continue;
    if (!row.textKey.empty()) writer.Text(row, StepKind::kSetText, RowText(row, context, texts));
    if (!row.hintKey.empty()) writer.Text(row, StepKind::kSetHint, texts(row.hintKey));
  }
  for (const ControlRow& row : rows) {
    for (Style style : row.styles) {
      for (const Look& look : DefinitionOf(style).looks) writer.Look(row, look);
    }
    for (const Look& look : row.looks) writer.Look(row, look);
  }
  for (const ControlRow& row : rows) {
    for (Style style : row.styles) {
      for (Action action : DefinitionOf(style).actions) writer.Action(row, action);
    }
    for (Action action : row.actions) writer.Action(row, action);
  }
}

DressPlan BuildPlan(int page, const PageContext& context, const TextLookup& texts, bool select) {
  DressPlan plan;
  plan.push_back({.kind = StepKind::kSetLook,
                  .control = kBackgroundControl,
                  .property = Property::kBkColor,
                  .value = context.darkMode == 1 ? kBackgroundDark : kBackgroundNormal});
  if (page < 0 || page >= kPageCount) return plan;

  const PageTable& table = PageTableOf(page);
  const DressStep selectStep{.kind = StepKind::kSelectPage, .control = kTabControl, .page = page};
  if (select && table.selectBeforeDressing) plan.push_back(selectStep);
  AppendRows(table.rows, context, texts, plan);
  if (select && !table.selectBeforeDressing) plan.push_back(selectStep);
  return plan;
}

}  // namespace

DressPlan BuildPagePlan(int page, const PageContext& context, const TextLookup& texts) {
  return BuildPlan(page, context, texts, true);
}

DressPlan BuildPageDressing(int page, const PageContext& context, const TextLookup& texts) {
  return BuildPlan(page, context, texts, false);
}

DressPlan BuildChromePlan(std::uint8_t darkMode) {
  DressPlan plan;
  PageContext context;
  context.darkMode = darkMode;
  AppendRows(
      ChromeRows(), context, [](std::string_view) { return std::u16string(); }, plan);
  return plan;
}

std::u16string FormatVersionText(std::u16string_view format, std::u16string_view version) {
  // The format comes from a language file: only "%s" and "%%" are honoured,
  // so a stray directive can never read an argument that is not there.
  std::u16string out;
  bool versionUsed = false;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == u'%' && i + 1 < format.size()) {
      const char16_t next = format[i + 1];
      if (next == u'%') {
        out += u'%';
        ++i;
        continue;
      }
      if (next == u's' && !versionUsed) {
        out += version;
        versionUsed = true;
        ++i;
        continue;
      }
    }
    out += format[i];
  }
  return std::u16string(platform::TruncateUtf16(out, kMaxVersionText));
}

}  // namespace presentation
