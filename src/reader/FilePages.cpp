#include "FilePages.h"

#include "TurnFileReader.h"
#include "protocol/ReaderProtocol.h"

#include <fstream>
#include <stdexcept>

namespace vf::reader {

namespace {

const char* const kPagesDamaged = "it is damaged (a table's list of its pages is wrong)";
const char* const kDefinitionDamaged = "it is damaged (a table's definition is wrong)";

// Kinds of pages, by their first byte.
constexpr unsigned char kDataPage = 0x01;
constexpr unsigned char kDefinitionPage = 0x02;
constexpr unsigned char kUsageMapPage = 0x05;
constexpr int kOwnerOffset = 4;

// The catalogue itself: a table whose definition always sits on page 2.
constexpr unsigned long kCatalogueDefinitionPage = 2;

} // namespace

void FilePages::checkPage(std::uint64_t page) const
{
    if (page >= m_pageCount)
        throw UnusableFile(kPointsPastItsEnd);
}

void FilePages::checkDefinitionPages(unsigned long definitionPage) const
{
    MdbHandle* handle = m_mdb;
    readDefinitionPage(definitionPage);
    for (const guint16 offset :
         {handle->fmt->tab_usage_map_offset, handle->fmt->tab_free_map_offset}) {
        const auto pageRow = static_cast<guint32>(mdb_get_int32(handle->pg_buf, offset));
        checkPage(pageRow >> 8);
        if (glance(pageRow >> 8).first != kDataPage)
            throw UnusableFile(kDefinitionDamaged);
    }
    constexpr int kNextPageOffset = 4;
    for (std::uint64_t seen = 0; seen < m_pageCount; ++seen) {
        const auto page = static_cast<guint32>(mdb_get_int32(handle->pg_buf, kNextPageOffset));
        if (page == 0)
            return;
        readDefinitionPage(page);
    }
    throw UnusableFile(kDefinitionDamaged);
}

void FilePages::readDefinitionPage(unsigned long page) const
{
    MdbHandle* handle = m_mdb;
    checkPage(page);
    if (mdb_read_pg(handle, page) != handle->fmt->pg_size)
        throw UnusableFile(kPointsPastItsEnd);
    if (handle->pg_buf[0] != kDefinitionPage)
        throw UnusableFile(kDefinitionDamaged);
}

void FilePages::readPageHeads(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    const auto pageSize = static_cast<std::size_t>(m_mdb->fmt->pg_size);
    constexpr std::size_t kPagesAtOnce = 256;
    std::vector<char> chunk(pageSize * kPagesAtOnce);
    m_pageHeads.reserve(m_pageCount);
    while (m_pageHeads.size() < m_pageCount && file) {
        file.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const auto pages = static_cast<std::size_t>(file.gcount()) / pageSize;
        for (std::size_t p = 0; p < pages; ++p) {
            const auto* head = reinterpret_cast<const unsigned char*>(&chunk[p * pageSize]);
            if (head[0] == kUsageMapPage)
                m_usageMapPages.emplace(static_cast<std::uint32_t>(m_pageHeads.size()),
                                        std::vector<unsigned char>(head, head + pageSize));
            m_pageHeads.emplace_back(head[0], uint32At(head + kOwnerOffset));
        }
    }
    if (m_pageHeads.size() != m_pageCount)
        throw std::runtime_error("the file cannot be read");
}

std::pair<unsigned char, unsigned long> FilePages::glance(unsigned long page) const
{
    checkPage(page);
    return m_pageHeads[page];
}

// Calls visit with each page a usage map marks, in rising order, as libmdb walks it: a map
// in the row itself (kind 0: the first page, then one bit a page), or a list of pages of
// bitmaps (kind 1: each bitmap after a page's four first bytes, for pages in turn). Page 0
// (the file's header) is never one.
void FilePages::walkUsageMap(const unsigned char* map, std::size_t size,
                             const std::function<void(std::uint64_t)>& visit) const
{
    const auto visitBits = [&](const unsigned char* bits, std::size_t bytes,
                               std::uint64_t firstPage) {
        for (std::size_t i = 0; i < bytes; ++i) {
            for (int bit = 0; bits[i] != 0 && bit < 8; ++bit) {
                const std::uint64_t page = firstPage + i * 8 + unsigned(bit);
                if ((bits[i] & (1 << bit)) != 0 && page != 0)
                    visit(page);
            }
        }
    };
    constexpr std::size_t kPageListStart = 1;
    if (map[0] == 0) {
        constexpr std::size_t kBitsStart = 5;
        if (size >= kBitsStart)
            visitBits(map + kBitsStart, size - kBitsStart, uint32At(map + kPageListStart));
        return;
    }
    if (map[0] != 1)
        throw UnusableFile(kPagesDamaged);
    const auto pageSize = static_cast<std::size_t>(m_mdb->fmt->pg_size);
    constexpr std::size_t kBitmapStart = 4;
    const std::uint64_t pagesPerBitmap = (pageSize - kBitmapStart) * 8;
    for (std::size_t at = kPageListStart, index = 0; at + 4 <= size; at += 4, ++index) {
        const std::uint32_t mapPage = uint32At(map + at);
        if (mapPage == 0)
            continue;
        if (mapPage >= m_pageCount)
            throw UnusableFile(kPointsPastItsEnd);
        const auto bitmap = m_usageMapPages.find(mapPage);
        if (bitmap == m_usageMapPages.end())
            throw UnusableFile(kPagesDamaged);
        visitBits(bitmap->second.data() + kBitmapStart, pageSize - kBitmapStart,
                  index * pagesPerBitmap);
    }
}

void FilePages::checkDataPages(MdbTableDef* table, unsigned long definitionPage) const
{
    if (table->map_sz < 1 || !table->usage_map)
        return;
    bool pastTheEnd = false;
    walkUsageMap(table->usage_map, static_cast<std::size_t>(table->map_sz),
                 [&](std::uint64_t page) {
                     if (page >= m_pageCount)
                         pastTheEnd = true;
                     else if (m_pageHeads[page] !=
                              std::pair<unsigned char, std::uint32_t>(kDataPage, definitionPage))
                         throw UnusableFile(kPagesDamaged);
                 });
    if (pastTheEnd)
        throw UnusableFile(kPointsPastItsEnd);
}

void FilePages::checkCatalogue()
{
    MdbCatalogEntry catalogue{};
    catalogue.mdb = m_mdb;
    catalogue.object_type = MDB_TABLE;
    catalogue.table_pg = kCatalogueDefinitionPage;
    checkDefinitionPages(catalogue.table_pg);
    TablePtr table(mdb_read_table(&catalogue));
    if (!table || !mdb_read_columns(table.get()))
        throw std::runtime_error("its list of tables cannot be read");
    checkDataPages(table.get(), catalogue.table_pg);
    mdb_rewind_table(table.get());
    unsigned rows = 0;
    while (mdb_fetch_row(table.get()))
        ++rows;
    if (rows != table->num_rows)
        throw std::runtime_error("its list of tables is damaged");
}

} // namespace vf::reader
