#include <memory>

#include "toolkit/backend.h"

namespace toolkit {

std::unique_ptr<Backend> CreateSdlBackend() { return nullptr; }

}  // namespace toolkit
