// The skin archive (layouts and images, one zip file) embedded in the program at build time.
#pragma once

#include <cstddef>

// The archive's bytes; valid for the whole run of the program.
const unsigned char* SkinZipData();
size_t SkinZipSize();
