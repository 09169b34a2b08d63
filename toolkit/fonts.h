// Private fonts: font files handed over by the program (from its resources)
// and made visible to the text drawing of this process only.
#pragma once

#include <span>
#include <string>

namespace toolkit {

// Copies the bytes into a private temporary folder and adds the file to the
// process's fontconfig set. False when fontconfig does not take it.
bool RegisterPrivateFont(std::span<const unsigned char> bytes);
bool RegisterPrivateFont(const std::string& path);
// Removes the private copies.
void RemovePrivateFonts();
// Whether fontconfig knows a family of that name (privately or from the system).
bool HasFontFamily(const std::string& family);

}  // namespace toolkit
