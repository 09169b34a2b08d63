#include "toolkit/skin_archive.h"

#include <zip.h>

#include <algorithm>
#include <cctype>
#include <mutex>
#include <unordered_map>

namespace ui {

namespace {

std::string NormalizePath(std::string_view path) {
  while (path.starts_with("./")) path.remove_prefix(2);
  while (path.starts_with("/")) path.remove_prefix(1);
  std::string out(path);
  std::replace(out.begin(), out.end(), '\\', '/');
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

}  // namespace

struct SkinArchive::Impl {
  zip_t* zip = nullptr;
  std::unordered_map<std::string, zip_uint64_t> index;
  std::vector<std::string> names;
  // libzip archives are not safe to read from two threads at once.
  mutable std::mutex mutex;

  ~Impl() {
    if (zip) zip_discard(zip);
  }
};

SkinArchive::SkinArchive(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
SkinArchive::~SkinArchive() = default;

std::unique_ptr<SkinArchive> SkinArchive::Open(std::span<const unsigned char> bytes) {
  if (bytes.empty()) return nullptr;
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  if (!source) {
    zip_error_fini(&error);
    return nullptr;
  }
  zip_t* zip = zip_open_from_source(source, ZIP_RDONLY, &error);
  zip_error_fini(&error);
  if (!zip) {
    zip_source_free(source);
    return nullptr;
  }
  auto impl = std::make_unique<Impl>();
  impl->zip = zip;
  zip_int64_t count = zip_get_num_entries(zip, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* name = zip_get_name(zip, static_cast<zip_uint64_t>(i), 0);
    if (!name) continue;
    std::string n(name);
    if (!n.empty() && n.back() == '/') continue;
    impl->names.push_back(n);
    impl->index.emplace(NormalizePath(n), static_cast<zip_uint64_t>(i));
  }
  return std::unique_ptr<SkinArchive>(new SkinArchive(std::move(impl)));
}

bool SkinArchive::Contains(std::string_view path) const {
  return impl_->index.count(NormalizePath(path)) != 0;
}

std::vector<std::string> SkinArchive::FileNames() const { return impl_->names; }

std::optional<std::vector<unsigned char>> SkinArchive::Read(std::string_view path) const {
  auto it = impl_->index.find(NormalizePath(path));
  if (it == impl_->index.end()) return std::nullopt;
  std::lock_guard lock(impl_->mutex);
  zip_stat_t st;
  if (zip_stat_index(impl_->zip, it->second, 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE))
    return std::nullopt;
  zip_file_t* file = zip_fopen_index(impl_->zip, it->second, 0);
  if (!file) return std::nullopt;
  std::vector<unsigned char> data(static_cast<std::size_t>(st.size));
  zip_int64_t got = data.empty() ? 0 : zip_fread(file, data.data(), data.size());
  zip_fclose(file);
  if (got < 0 || static_cast<zip_uint64_t>(got) != st.size) return std::nullopt;
  return data;
}

}  // namespace ui
