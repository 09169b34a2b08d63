// Run-time loading of a shared library and look-up of its entry points.
#pragma once

#include <memory>
#include <string>

namespace platform {

class DynamicLibrary {
 public:
  // `nameOrPath` as dlopen takes it: a path, or a file name searched on the
  // library path. Null on failure, with the loader's text in `error`.
  static std::unique_ptr<DynamicLibrary> Load(const std::string& nameOrPath,
                                              std::string* error = nullptr);
  // Tries ExecutableDir()/fileName first, then the library search path.
  static std::unique_ptr<DynamicLibrary> LoadFromOwnFolderFirst(const std::string& fileName,
                                                                std::string* error = nullptr);

  ~DynamicLibrary();
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;

  // The address of an exported symbol, or null.
  void* Resolve(const char* name) const;

  template <typename Fn>
  Fn ResolveAs(const char* name) const {
    return reinterpret_cast<Fn>(Resolve(name));
  }

 private:
  explicit DynamicLibrary(void* handle) : handle_(handle) {}
  void* handle_;
};

}  // namespace platform
