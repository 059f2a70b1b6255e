#pragma once

// libmdb as the reader uses it: the library's header, the ownership of what it opens, and the
// words its checks share.

// Debian's mdbtools.h includes glib.h inside extern "C"; glib must then come first for C++.
// A libmdb built with its own small glib stand-in (Windows) has no glib.h.
#if __has_include(<glib.h>)
#include <glib.h>
#endif

#include <mdbtools.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace vf::reader {

struct HandleCloser {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TableFreer {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using HandlePtr = std::unique_ptr<MdbHandle, HandleCloser>;
using TablePtr = std::unique_ptr<MdbTableDef, TableFreer>;

// The size of the buffer a value libmdb writes as text is bound to.
inline constexpr std::size_t kBindSize = 256 * 1024;
// The bits of a row's place in the page's table of rows that give its offset.
inline constexpr int kOffsetMask = 0x1fff;

inline std::string quotedName(std::string_view name)
{
    // (Appended piece by piece: GCC 12 warns wrongly of overlapping copies in "\"" + name.)
    std::string quoted;
    quoted.reserve(name.size() + 2);
    quoted.push_back('"');
    quoted.append(name);
    quoted.push_back('"');
    return quoted;
}

inline std::uint32_t uint32At(const unsigned char* bytes)
{
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (std::uint32_t(bytes[3]) << 24);
}

// The column of a table's definition at that place.
inline MdbColumn* columnAt(const MdbTableDef* table, unsigned index)
{
    return static_cast<MdbColumn*>(g_ptr_array_index(table->columns, index));
}

} // namespace vf::reader
