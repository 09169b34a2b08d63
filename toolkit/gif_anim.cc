#include "toolkit/gif_anim.h"

#include <cairo.h>

#include <algorithm>

#include "toolkit/paint_context.h"
#include "toolkit/paint_manager.h"
#include "toolkit/resources.h"

namespace ui {

namespace {
constexpr UINT kFrameTimer = 1;

const Animation* AnimationOf(const CDuiString& bkImage) {
  if (bkImage.IsEmpty()) return nullptr;
  return ResourceStore::Get().GetAnimation(ParseImageDescription(bkImage.ToUtf8()).file);
}
}  // namespace

CGifAnimUI::~CGifAnimUI() {
  if (manager_) manager_->KillTimers(this);
}

void* CGifAnimUI::GetInterface(std::u16string_view name) {
  if (name == u"GifAnim") return this;
  return CControlUI::GetInterface(name);
}

const PropertyTable& CGifAnimUI::Properties() const {
  static const PropertyTable table(&CControlUI::ControlProperties(),
                                   {
                                       {"autoplay", Bind(&CGifAnimUI::SetAutoPlay, attr::Bool)},
                                       {"autosize", Ignored()},
                                   });
  return table;
}

void CGifAnimUI::SetAutoPlay(bool on) { autoPlay_ = on; }

int CGifAnimUI::GetFrameCount() {
  const Animation* anim = AnimationOf(GetBkImage());
  return anim ? static_cast<int>(anim->frames.size()) : 0;
}

void CGifAnimUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
  CControlUI::SetManager(manager, parent, init);
  if (manager_ && autoPlay_ && IsVisible()) PlayGif();
}

void CGifAnimUI::SetVisible(bool visible) {
  CControlUI::SetVisible(visible);
  if (!manager_) return;
  if (visible && autoPlay_) PlayGif();
  if (!visible) PauseGif();
}

void CGifAnimUI::ScheduleNextFrame() {
  if (!manager_ || !playing_) return;
  const Animation* anim = AnimationOf(GetBkImage());
  if (!anim || anim->frames.size() < 2) return;
  int delay = anim->delaysMs[static_cast<std::size_t>(frame_) % anim->delaysMs.size()];
  if (delay < 0) return;
  manager_->SetTimer(this, kFrameTimer, static_cast<UINT>(delay < 20 ? 100 : delay));
}

void CGifAnimUI::PlayGif() {
  if (playing_) return;
  playing_ = true;
  ScheduleNextFrame();
}

void CGifAnimUI::PauseGif() {
  playing_ = false;
  if (manager_) manager_->KillTimer(this, kFrameTimer);
}

void CGifAnimUI::StopGif() {
  PauseGif();
  frame_ = 0;
  Invalidate();
}

void CGifAnimUI::DoEvent(TEventUI& event) {
  if (event.Type == EventType::kTimer && event.wParam == kFrameTimer) {
    int count = GetFrameCount();
    if (count > 0) frame_ = (frame_ + 1) % count;
    // On a page that is not shown the animation runs on without redrawing.
    if (IsVisibleOnScreen()) Invalidate();
    ScheduleNextFrame();
    return;
  }
  CControlUI::DoEvent(event);
}

void CGifAnimUI::PaintBkImage(PaintContext& ctx) {
  const Animation* anim = AnimationOf(GetBkImage());
  if (!anim || anim->frames.empty()) return;
  const Image& image = anim->frames[static_cast<std::size_t>(frame_) % anim->frames.size()];
  // Stretched over the control, like any background image.
  double sx = static_cast<double>(pos_.Width()) / image.width;
  double sy = static_cast<double>(pos_.Height()) / image.height;
  cairo_t* cr = ctx.cairo();
  cairo_save(cr);
  cairo_translate(cr, pos_.left, pos_.top);
  cairo_scale(cr, sx, sy);
  cairo_set_source_surface(cr, image.surface, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
  cairo_rectangle(cr, 0, 0, image.width, image.height);
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace ui
