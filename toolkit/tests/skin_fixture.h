// Test skins: a zip archive built in memory from small files, and images
// drawn on the spot, so each test shows the layout it is about.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace toolkit::testing {

using Bytes = std::vector<unsigned char>;

// A zip archive holding `files` (name -> content).
Bytes MakeZip(const std::map<std::string, Bytes>& files);
Bytes ToBytes(const std::string& text);
// A w x h PNG filled with one ARGB colour.
Bytes SolidPng(int w, int h, std::uint32_t argb);
// A PNG made of 3 x 3 blocks (each `block` pixels) with the nine colours given
// row by row: lets a test tell which part of the source landed where.
Bytes NineBlockPng(int block, const std::uint32_t colors[9]);

// Installs `files` as the process's skin archive (kept alive by the fixture).
void InstallSkin(const std::map<std::string, Bytes>& files);

}  // namespace toolkit::testing
