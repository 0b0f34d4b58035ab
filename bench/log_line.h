#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "random.h"

namespace varnoth::bench {

// The parts of an upload line as the client writes them:
// "2003-06-14 21:05: PATH uploaded to NICK, SIZE (SENT), SPEED, H:MM:SS".

// "2003-06-14 21:05: "
void appendDateTime(std::string &out, unsigned year, unsigned month, unsigned day, unsigned hour, unsigned minute);

// The size as the client shows it: the exact byte count or, as often, a short
// text in KiB, MiB or GiB.
std::string sizeText(std::uint64_t bytes, Random &random);

// " uploaded to NICK, SIZE (SENT), SPEED, H:MM:SS" and the line end; the
// speed is sent / seconds in KiB/s.
void appendUploadTail(std::string &out, std::string_view nick, std::string_view size, std::uint64_t sent,
                      std::uint64_t seconds);

} // namespace varnoth::bench
