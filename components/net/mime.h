// The MIME forms a mail needs to reach its reader unchanged through any
// relay: a text body in quoted-printable (lines of at most 76 characters,
// plain ASCII), and header words beyond ASCII as encoded words.
#pragma once

#include <string>
#include <vector>

namespace orv::net {

// Whether `lines` can travel as they are ("7bit"): only ASCII, no NUL, and
// no line longer than 998 octets (the most a relay must take).
bool IsSevenBitText(const std::vector<std::string>& lines);

// `lines` in quoted-printable (UTF-8 text, byte by byte): "=" and bytes
// outside printable ASCII become "=XX", blanks at a line's end too, and a
// line longer than 76 characters is broken with "=" at the end of each part
// (a soft line break), so every line reads as it was where it is ASCII.
std::vector<std::string> QuotedPrintableLines(const std::vector<std::string>& lines);

// A header's free text (a subject, a display name): as it is when it is
// ASCII, otherwise as UTF-8 encoded words ("=?UTF-8?Q?...?=", each at most
// 75 characters, separated by blanks).
std::string HeaderText(const std::string& text);

// A mailbox "Display Name <address>" with its display name as HeaderText; a
// bare address stays as it is.
std::string HeaderMailbox(const std::string& mailbox);

}  // namespace orv::net
