// GifAnim: an animated GIF from the skin archive, its frames advanced by a
// timer on the window's message loop.
#pragma once

#include "toolkit/control.h"

namespace ui {

class CGifAnimUI : public CControlUI {
 public:
  ~CGifAnimUI() override;
  std::u16string_view GetClass() const override { return u"GifAnim"; }
  void* GetInterface(std::u16string_view name) override;
  const PropertyTable& Properties() const override;

  void SetAutoPlay(bool on);
  void PlayGif();
  void PauseGif();
  void StopGif();
  bool IsPlaying() const { return playing_; }
  int GetFrameIndex() const { return frame_; }
  int GetFrameCount();

  void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
  void SetVisible(bool visible = true) override;
  void DoEvent(TEventUI& event) override;

 protected:
  void PaintBkImage(PaintContext& ctx) override;

 private:
  void ScheduleNextFrame();
  bool autoPlay_ = true;
  bool playing_ = false;
  int frame_ = 0;
};

}  // namespace ui
