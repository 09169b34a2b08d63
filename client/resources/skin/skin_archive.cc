#include "client/resources/skin/skin_archive.h"

#if defined(ORLU_SKIN_VIA_TOOLKIT)

#include "toolkit/embedded.h"

ORLU_DECLARE_EMBEDDED(skin_zip);

const unsigned char* SkinZipData() { return orlu_embedded_skin_zip().data(); }
size_t SkinZipSize() { return orlu_embedded_skin_zip().size(); }

#else

// The zip is pulled in by the assembler; OBJECT_DEPENDS rebuilds this file when it changes.
__asm__(
    ".section .rodata\n"
    ".balign 16\n"
    "orlu_skin_zip_begin:\n"
    ".incbin \"" ORLU_SKIN_ZIP_PATH
    "\"\n"
    "orlu_skin_zip_end:\n"
    ".byte 0\n"
    ".previous\n");

extern "C" const unsigned char orlu_skin_zip_begin[];
extern "C" const unsigned char orlu_skin_zip_end[];

const unsigned char* SkinZipData() { return orlu_skin_zip_begin; }
size_t SkinZipSize() { return static_cast<size_t>(orlu_skin_zip_end - orlu_skin_zip_begin); }

#endif
