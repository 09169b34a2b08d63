#include "platform/dynamic_library.h"

#include <dlfcn.h>
#include <unistd.h>

#include "platform/process.h"

namespace platform {

std::unique_ptr<DynamicLibrary> DynamicLibrary::Load(const std::string& nameOrPath,
                                                     std::string* error) {
  void* handle = ::dlopen(nameOrPath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    if (error) {
      const char* text = ::dlerror();
      *error = text ? text : "cannot load " + nameOrPath;
    }
    return nullptr;
  }
  return std::unique_ptr<DynamicLibrary>(new DynamicLibrary(handle));
}

std::unique_ptr<DynamicLibrary> DynamicLibrary::LoadFromOwnFolderFirst(const std::string& fileName,
                                                                       std::string* error) {
  std::string ownError;
  if (fileName.find('/') == std::string::npos) {
    const std::string own = ExecutableDir() + "/" + fileName;
    if (::access(own.c_str(), F_OK) == 0) {
      if (auto library = Load(own, &ownError)) return library;
    }
  }
  auto library = Load(fileName, error);
  if (!library && error && !ownError.empty()) *error = ownError + "; " + *error;
  return library;
}

DynamicLibrary::~DynamicLibrary() { ::dlclose(handle_); }

void* DynamicLibrary::Resolve(const char* name) const {
  return name ? ::dlsym(handle_, name) : nullptr;
}

}  // namespace platform
