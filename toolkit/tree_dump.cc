#include "toolkit/tree_dump.h"

#include <json/json.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "toolkit/containers.h"
#include "toolkit/paint_manager.h"
#include "toolkit/window.h"

namespace toolkit {

namespace {

Json::Value DumpControl(ui::CControlUI* control, ui::POINT origin) {
  Json::Value node(Json::objectValue);
  node["name"] = control->GetName().ToUtf8();
  node["class"] = ui::CDuiString::ToUtf8(control->GetClass());
  ui::RECT rc = control->GetPos().Offset(origin.x, origin.y);
  Json::Value rect(Json::arrayValue);
  rect.append(rc.left);
  rect.append(rc.top);
  rect.append(rc.right);
  rect.append(rc.bottom);
  node["rect"] = rect;
  node["visible"] = control->IsVisibleOnScreen();
  node["enabled"] = control->IsEnabled();
  node["selected"] = control->IsSelectedState();
  node["focused"] = control->IsFocused();
  if (control->IsPasswordText()) {
    node["textLength"] = control->GetText().GetLength();
  } else {
    node["text"] = control->GetText().ToUtf8();
  }
  if (auto* tab = static_cast<ui::CTabLayoutUI*>(control->GetInterface(u"TabLayout")))
    node["current"] = tab->GetCurSel();
  if (control->GetChildCount() > 0) {
    Json::Value children(Json::arrayValue);
    for (int i = 0; i < control->GetChildCount(); ++i)
      children.append(DumpControl(control->GetChildAt(i), origin));
    node["children"] = children;
  }
  return node;
}

}  // namespace

std::string DumpTreeJson(ui::CPaintManagerUI& manager, const std::string& windowClass) {
  Json::Value root(Json::objectValue);
  root["window"] = windowClass;
  ui::POINT origin = manager.GetScreenOrigin();
  ui::SIZE size = manager.GetClientSize();
  Json::Value rect(Json::arrayValue);
  rect.append(origin.x);
  rect.append(origin.y);
  rect.append(origin.x + size.cx);
  rect.append(origin.y + size.cy);
  root["rect"] = rect;
  Json::Value controls(Json::arrayValue);
  if (manager.GetRoot()) {
    manager.Render();  // brings the layout up to date
    controls.append(DumpControl(manager.GetRoot(), origin));
  }
  root["controls"] = controls;
  Json::StreamWriterBuilder writer;
  writer["indentation"] = " ";
  return Json::writeString(writer, root);
}

void WriteTreeDumpIfRequested() {
  const char* path = std::getenv("ORLUSSD_UI_DUMP");
  if (!path || !*path) return;
  ui::CWindowWnd* top = ui::CWindowWnd::TopWindow();
  if (!top || !top->GetPaintManager()) return;
  std::string json = DumpTreeJson(*top->GetPaintManager(), top->GetWindowClassName().ToUtf8());
  // Write beside and rename, so a reader never sees half a file.
  std::string tmp = std::string(path) + ".tmp";
  {
    std::ofstream out(tmp, std::ios::trunc);
    out << json << "\n";
    if (!out) return;
  }
  std::rename(tmp.c_str(), path);
}

}  // namespace toolkit
