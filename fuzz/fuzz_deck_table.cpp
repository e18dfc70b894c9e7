// Feeds arbitrary bytes to the deck table reader as both tables' files: a table either reads or
// is refused with the reader's own error. Every row that reads has its id and a chart place in
// range.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "host/sys/Exception.h"
#include "tools/kit/DeckTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const TDeckTable table : { TDeckTable::MoraTab, TDeckTable::KanaMore }) {
        try {
            for (const TDeckRow& row : ParseDeckTable(text, table, "fuzz.tsv")) {
                for (const auto& place : { row.X, row.Y }) {
                    if (place && (*place < 1 || *place > 200))
                        __builtin_trap();
                }
                if (row.Table != table || (row.Group && table != TDeckTable::KanaMore))
                    __builtin_trap();
            }
        } catch (const Exception&) {
        }
    }
    return 0;
}
