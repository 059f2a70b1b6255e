#pragma once

#include "Mdb.h"

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vf::reader {

// The pages of an open file, and the checks that what points at them points right: every
// page the catalogue, a table's definition or its usage map names must be inside the file and
// of the kind it is taken for. Each page's kind and owner are read in one pass over the file
// before anything relies on them. Failures throw UnusableFile (or std::runtime_error where
// the file cannot be read at all).
class FilePages {
public:
    FilePages(MdbHandle* mdb, std::uint64_t pageCount)
        : m_mdb(mdb)
        , m_pageCount(pageCount)
    {
    }

    // Each page's kind and, for a data page, the definition page of the table it belongs to,
    // read in one pass over the file (a read of every page through libmdb costs three calls to
    // the system a page), and the pages of the usage maps that take more than a row, whole.
    void readPageHeads(const std::string& path);

    // Reads the catalogue table whole before anything relies on it: its pages must be in the
    // file and it must yield every row its definition counts.
    void checkCatalogue();
    // The definition may go on over further pages, and points to the rows holding its maps
    // of used and free pages; those lie on data pages.
    void checkDefinitionPages(unsigned long definitionPage) const;
    // Every page a table's usage map names must be in the file and be one of its data pages.
    void checkDataPages(MdbTableDef* table, unsigned long definitionPage) const;

private:
    // Every page the catalogue and the table definitions point to must be inside the file.
    void checkPage(std::uint64_t page) const;
    void readDefinitionPage(unsigned long page) const;
    std::pair<unsigned char, unsigned long> glance(unsigned long page) const;
    void walkUsageMap(const unsigned char* map, std::size_t size,
                      const std::function<void(std::uint64_t)>& visit) const;

    MdbHandle* m_mdb;
    std::uint64_t m_pageCount;
    std::vector<std::pair<unsigned char, std::uint32_t>> m_pageHeads;
    std::unordered_map<std::uint32_t, std::vector<unsigned char>> m_usageMapPages;
};

} // namespace vf::reader
