// Files embedded into a program at build time with the CMake function
// orlu_embed_file(TARGET t SYMBOL name FILE path).
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace toolkit {

// The bytes registered under `name`, or an empty span.
std::span<const unsigned char> EmbeddedData(std::string_view name);
// Used by the generated sources.
bool RegisterEmbeddedData(std::string_view name, std::span<const unsigned char> bytes);

}  // namespace toolkit

// Declares the accessor generated for SYMBOL: orlu_embedded_SYMBOL().
// Calling it also keeps the embedded object from being dropped by the linker.
#define ORLU_DECLARE_EMBEDDED(symbol) std::span<const unsigned char> orlu_embedded_##symbol()
