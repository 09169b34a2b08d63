#include "toolkit/fonts.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <vector>

#include "toolkit/text_lock.h"

namespace toolkit {

namespace {

std::mutex g_mutex;
std::filesystem::path g_dir;
int g_count = 0;

// Pango caches what fontconfig knew when its font map was made.
void RefreshPango() {
  PangoFontMap* map = pango_cairo_font_map_get_default();
  if (PANGO_IS_FC_FONT_MAP(map)) pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(map));
}

bool AddFile(const std::string& path) {
  std::lock_guard lock(TextEngineMutex());
  FcConfig* config = FcConfigGetCurrent();
  if (!FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(path.c_str()))) return false;
  RefreshPango();
  return true;
}

}  // namespace

bool RegisterPrivateFont(std::span<const unsigned char> bytes) {
  if (bytes.empty()) return false;
  std::lock_guard lock(g_mutex);
  if (g_dir.empty()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "orlu-fonts-XXXXXX").string();
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data())) return false;
    g_dir = buf.data();
  }
  std::filesystem::path file = g_dir / ("font" + std::to_string(g_count++) + ".otf");
  {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) return false;
  }
  return AddFile(file.string());
}

bool RegisterPrivateFont(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
  return RegisterPrivateFont(std::span<const unsigned char>(bytes));
}

void RemovePrivateFonts() {
  std::lock_guard lock(g_mutex);
  if (g_dir.empty()) return;
  std::lock_guard textLock(TextEngineMutex());
  FcConfigAppFontClear(FcConfigGetCurrent());
  RefreshPango();
  std::error_code ec;
  std::filesystem::remove_all(g_dir, ec);
  g_dir.clear();
}

bool HasFontFamily(const std::string& family) {
  std::lock_guard lock(TextEngineMutex());
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
  FcFontSet* set = FcFontList(FcConfigGetCurrent(), pattern, objects);
  bool found = set && set->nfont > 0;
  if (set) FcFontSetDestroy(set);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  return found;
}

}  // namespace toolkit
