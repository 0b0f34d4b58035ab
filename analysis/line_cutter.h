#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "forms/line_reader.h"

namespace varnoth {

// Why a line could not be cut; every status but Ok makes it a corrupted line.
enum class CutStatus {
    Ok,
    TooShort,    // fewer characters than the date/time text
    TooLong,     // longer than a log line can sensibly be
    NoMarker,    // no " uploaded to" (only where the marker is required)
    NoNickComma, // the backward scans found no comma ending the nick
    NoParen,     // no "(" before the byte count
    EmptyNick,
    BadCut, // a cut that would start before the text or take a negative count
};

// One log line cut into its fields. All texts are UTF-8 and stay valid until
// the next cut by the same cutter, and as long as the line's bytes when they
// lie in them (inLine).
struct CutLine {
    CutStatus status = CutStatus::Ok;
    std::string_view DateTimeText; // the first 18 characters, as they are
    std::string_view FilePath;     // the path with the blank that begins " uploaded to"
    std::string_view Folder;       // FilePath before its last "\" or "/"; may be empty
    std::string_view Nick;
    std::string_view DurationText; // 7 characters, or the whole duration when hours have several digits
    std::string_view ByteText;     // the text between "(" and ")"
    bool inLine = true;            // the texts are the line's own bytes, not converted copies
};

// Cuts upload log lines: the first 18 characters are the date/time text, the
// path ends at the first " uploaded to", and the nick, byte count and duration
// are found by three bounded backward scans for commas and a "(" from the end
// of the line. Positions and scan limits count characters, not bytes; the
// cut works on the line's bytes and steps over whole UTF-8 characters.
class LineCutter {
public:
    // Analysis: a line without " uploaded to" is corrupted.
    // View: such a line is cut all the same (path empty, nick from position 13).
    enum class Mode { Analysis, View };

    const CutLine &cut(const TextLine &line, Mode mode);

private:
    bool cutCommonLine(std::string_view text);

    CutLine result_;
    std::vector<std::uint32_t> offsets_;                    // byte positions of the last characters of a UTF-8 line
    std::string dateTime_, path_, nick_, duration_, bytes_; // fields of a Windows-1252 line, as UTF-8
};

} // namespace varnoth
