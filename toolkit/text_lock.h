// One lock for the text engine (fontconfig, pango, harfbuzz): windows on
// different threads draw text one at a time, since those libraries share
// caches across threads.
#pragma once

#include <mutex>

namespace toolkit {

std::recursive_mutex& TextEngineMutex();

}  // namespace toolkit
