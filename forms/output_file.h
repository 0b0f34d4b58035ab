#pragma once

#include <string>
#include <string_view>

namespace varnoth {

// Writes a whole file or nothing: the content goes to a temporary file in the
// target's folder, is flushed to disk, and the temporary file is then renamed
// over the target. A reader sees the old file or the new one, never a part,
// and a failed write leaves the old file as it was. Throws FileFailure.
void writeFileAtomically(const std::string &utf8Path, std::string_view content);

} // namespace varnoth
