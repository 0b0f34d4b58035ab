#pragma once

#include <array>

namespace varnoth {

// The column headers of the three ranked lists, as the window's grids show them.
inline constexpr std::array<const char *, 4> downloaderHeaders = {"Name:", "Uploads:", "Mbytes:", "Upload Time:"};
inline constexpr std::array<const char *, 2> fileHeaders = {"File:", "Uploads:"};
inline constexpr std::array<const char *, 2> folderHeaders = {"Folder:", "Accessed:"};

} // namespace varnoth
