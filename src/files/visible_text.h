#pragma once

#include <string>
#include <string_view>

namespace kvt {

// `text` with every control character written out as an escape, so that text taken from a file
// or a file name can reach a terminal without driving it: an escape sequence cannot rewrite the
// screen, a NUL cannot cut the line short and a line end cannot split it. C0 characters and DEL
// become "\0", "\t", "\n", "\r" or "\xNN"; C1 characters (U+0080..U+009F) become "\xNN" too,
// and so does every byte that is not part of valid UTF-8, since a terminal reading Latin-1
// would take such a byte as a control of its own. Everything else stays as it is.
std::string visible_text(std::string_view text);

}  // namespace kvt
