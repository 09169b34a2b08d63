#include "toolkit/dialog_builder.h"

#include <cstdio>
#include <functional>
#include <map>
#include <pugixml.hpp>

#include "toolkit/controls.h"
#include "toolkit/menu.h"
#include "toolkit/resources.h"
#include "toolkit/skin_archive.h"

namespace ui {

namespace {

constexpr int kMaxIncludeDepth = 8;

bool IsControlElement(std::string_view name) {
  return name != "Font" && name != "Default" && name != "Image" && name != "Style" &&
         name != "Include" && name != "Window";
}

}  // namespace

CControlUI* CDialogBuilder::CreateControlByClass(std::string_view className) {
  static const std::map<std::string_view, std::function<CControlUI*()>> kFactories = {
      {"Control", [] { return new CControlUI; }},
      {"Container", [] { return new CContainerUI; }},
      {"VerticalLayout", [] { return new CVerticalLayoutUI; }},
      {"HorizontalLayout", [] { return new CHorizontalLayoutUI; }},
      {"TabLayout", [] { return new CTabLayoutUI; }},
      {"List", [] { return new CListUI; }},
      {"ListContainerElement", [] { return new CListContainerElementUI; }},
      {"Label", [] { return new CLabelUI; }},
      {"Text", [] { return new CTextUI; }},
      {"Button", [] { return new CButtonUI; }},
      {"Option", [] { return new COptionUI; }},
      {"CheckBox", [] { return new CCheckBoxUI; }},
      {"Edit", [] { return new CEditUI; }},
      {"RichEdit", [] { return new CRichEditUI; }},
      {"Slider", [] { return new CSliderUI; }},
      {"Progress", [] { return new CProgressUI; }},
      {"GifAnim", [] { return new CGifAnimUI; }},
      {"Menu", [] { return new CMenuUI; }},
      {"MenuElement", [] { return new CMenuElementUI; }},
  };
  auto it = kFactories.find(className);
  return it == kFactories.end() ? nullptr : it->second();
}

struct BuilderImpl {
  CDialogBuilder& builder;
  CPaintManagerUI* manager;
  IDialogBuilderCallback* callback;
  bool applyWindow;  // the file builds a window's root: its <Window> attributes count
  std::string file;
  int depth = 0;

  void Warn(const char* what, std::string_view name, std::string_view on) {
    std::fprintf(stderr, "toolkit: %s: unknown %s '%.*s'%s%.*s\n", file.c_str(), what,
                 static_cast<int>(name.size()), name.data(), on.empty() ? "" : " on ",
                 static_cast<int>(on.size()), on.data());
  }

  void ApplyWindowAttributes(const pugi::xml_node& window) {
    if (!manager || !applyWindow) return;
    for (pugi::xml_attribute a : window.attributes()) {
      std::string_view name = a.name();
      std::string_view value = a.value();
      if (name == "size") {
        SIZE size = attr::Size(value);
        manager->SetInitSize(size.cx, size.cy);
      } else if (name == "caption") {
        manager->SetCaptionRect(attr::Rect(value));
      } else if (name == "roundcorner") {
        SIZE r = attr::Size(value);
        manager->SetRoundCorner(r.cx, r.cy);
      } else if (name == "shadow" || name == "showshadow") {
        manager->SetShadow(attr::Bool(value));
      } else if (name == "bktrans" || name == "mininfo" || name == "maxinfo" || name == "sizebox" ||
                 name == "shadowimage" || name == "shadowsize" || name == "shadowcorner" ||
                 name == "shadowcolor" || name == "shadowsharpness" || name == "shadowdarkness" ||
                 name == "layered" || name == "alpha" || name == "defaultfontcolor" ||
                 name == "showdirty" || name == "trans" || name == "noactivate" ||
                 name == "opacity" || name == "layeredopacity") {
        // Accepted; the toolkit has no use for them.
      } else {
        Warn("attribute", name, "Window");
      }
    }
  }

  void ApplyHeader(const pugi::xml_node& window) {
    if (!manager) return;
    for (pugi::xml_node node : window.children()) {
      std::string_view name = node.name();
      if (name == "Font") {
        int id = node.attribute("id").as_int(static_cast<int>(manager->GetFonts().size()));
        if (!applyWindow && manager->GetFonts().count(id)) continue;
        FontSpec font;
        font.family = node.attribute("name").as_string("Sans");
        font.size = node.attribute("size").as_int(14);
        font.bold = attr::Bool(node.attribute("bold").as_string());
        font.italic = attr::Bool(node.attribute("italic").as_string());
        font.underline = attr::Bool(node.attribute("underline").as_string());
        manager->AddFont(id, font, attr::Bool(node.attribute("default").as_string()));
      } else if (name == "Default") {
        std::string cls = node.attribute("name").as_string();
        if (!applyWindow && manager->GetDefaultAttributeList(cls)) continue;
        manager->AddDefaultAttributeList(cls, node.attribute("value").as_string());
      } else if (name == "Image" || name == "Style") {
        Warn("element", name, "");
      }
    }
  }

  // Builds every control element among `nodes`' children into `out`.
  void BuildChildren(const pugi::xml_node& node, std::vector<CControlUI*>& out) {
    for (pugi::xml_node child : node.children()) {
      if (child.type() != pugi::node_element) continue;
      std::string_view name = child.name();
      if (name == "Include") {
        Include(child.attribute("source").as_string(), out);
      } else if (IsControlElement(name)) {
        if (CControlUI* control = BuildControl(child)) out.push_back(control);
      }
    }
  }

  void Include(const std::string& source, std::vector<CControlUI*>& out) {
    if (depth >= kMaxIncludeDepth) {
      std::fprintf(stderr, "toolkit: %s: includes nest too deep at '%s'\n", file.c_str(),
                   source.c_str());
      return;
    }
    SkinArchive* archive = ResourceStore::Get().GetArchive();
    auto bytes = archive ? archive->Read(source) : std::nullopt;
    if (!bytes) {
      std::fprintf(stderr, "toolkit: %s: included file '%s' is not in the skin archive\n",
                   file.c_str(), source.c_str());
      return;
    }
    pugi::xml_document doc;
    if (!doc.load_buffer(bytes->data(), bytes->size())) {
      std::fprintf(stderr, "toolkit: %s: included file '%s' is not valid XML\n", file.c_str(),
                   source.c_str());
      return;
    }
    BuilderImpl inner{builder, manager, callback, false, source, depth + 1};
    pugi::xml_node root = doc.document_element();
    if (std::string_view(root.name()) == "Window") {
      inner.ApplyHeader(root);
      inner.BuildChildren(root, out);
    } else if (IsControlElement(root.name())) {
      if (CControlUI* control = inner.BuildControl(root)) out.push_back(control);
    }
  }

  CControlUI* BuildControl(const pugi::xml_node& node) {
    std::string_view className = node.name();
    CControlUI* control = CDialogBuilder::CreateControlByClass(className);
    if (!control && callback) control = callback->CreateControl(CDuiString(std::string(className)));
    if (!control) {
      Warn("element", className, "");
      return nullptr;
    }
    if (manager) {
      if (const std::string* defaults = manager->GetDefaultAttributeList(std::string(className))) {
        for (auto& [name, value] : ParseAttributeList(*defaults))
          if (!control->ApplyAttribute(name, value)) Warn("attribute", name, className);
      }
    }
    for (pugi::xml_attribute a : node.attributes()) {
      if (!control->ApplyAttribute(a.name(), a.value())) Warn("attribute", a.name(), className);
    }
    auto* container = static_cast<CContainerUI*>(control->GetInterface(u"Container"));
    std::vector<CControlUI*> children;
    BuildChildren(node, children);
    for (CControlUI* child : children) {
      if (container) {
        container->Add(child);
      } else {
        std::fprintf(stderr, "toolkit: %s: %.*s cannot hold children; dropped\n", file.c_str(),
                     static_cast<int>(className.size()), className.data());
        delete child;
      }
    }
    return control;
  }
};

CControlUI* CDialogBuilder::Create(const CDuiString& file, CPaintManagerUI* manager,
                                   IDialogBuilderCallback* callback, CControlUI* parent) {
  std::string name = file.ToUtf8();
  if (!name.empty() && name[0] == '<') return CreateFromXml(name, manager, callback, parent);
  SkinArchive* archive = ResourceStore::Get().GetArchive();
  if (!archive) {
    error_ = "no skin archive is set";
    return nullptr;
  }
  auto bytes = archive->Read(name);
  if (!bytes) {
    error_ = "'" + name + "' is not in the skin archive";
    return nullptr;
  }
  file_ = name;
  std::string xml(bytes->begin(), bytes->end());
  return CreateFromXml(xml, manager, callback, parent);
}

CControlUI* CDialogBuilder::CreateFromXml(std::string_view xml, CPaintManagerUI* manager,
                                          IDialogBuilderCallback* callback, CControlUI* parent) {
  error_.clear();
  pugi::xml_document doc;
  pugi::xml_parse_result parsed = doc.load_buffer(xml.data(), xml.size());
  std::string file = file_.empty() ? std::string("<xml>") : file_;
  file_.clear();
  if (!parsed) {
    error_ = file + ": " + parsed.description() + " at offset " + std::to_string(parsed.offset);
    return nullptr;
  }
  bool buildsWindow = manager && !manager->GetRoot() && !parent;
  BuilderImpl impl{*this, manager, callback, buildsWindow, file, 0};
  pugi::xml_node root = doc.document_element();
  std::vector<CControlUI*> controls;
  if (std::string_view(root.name()) == "Window") {
    impl.ApplyWindowAttributes(root);
    impl.ApplyHeader(root);
    impl.BuildChildren(root, controls);
  } else if (IsControlElement(root.name())) {
    if (CControlUI* control = impl.BuildControl(root)) controls.push_back(control);
  }
  if (controls.empty()) {
    error_ = file + ": no control to build";
    return nullptr;
  }
  for (std::size_t i = 1; i < controls.size(); ++i) {
    std::fprintf(stderr, "toolkit: %s: more than one root control; extra ones dropped\n",
                 file.c_str());
    delete controls[i];
  }
  CControlUI* result = controls[0];
  auto* container =
      parent ? static_cast<CContainerUI*>(parent->GetInterface(u"Container")) : nullptr;
  if (container) {
    container->Add(result);
  } else if (manager) {
    result->SetManager(manager, nullptr, true);
  }
  return result;
}

}  // namespace ui
