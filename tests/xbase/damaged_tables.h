#pragma once

// Damage done to a sound table and its structural index, one kind at a time, as careful
// storage engines test themselves: a byte flipped or a file cut at a known place. Shared by
// the tests of the engine's users (the command line, the main window).

#include "xbase/cdx_file.h"
#include "xbase/index_set.h"
#include "xbase/index_stamp.h"
#include "xbase/table.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace xbase::test {

enum class Damage {
    MemoPointerPastEnd, // a record's memo field points far past the memo file's end
    MemoFileCut,        // the memo file is cut in the middle of its last memo
    IndexNodeDamaged,   // a tag's root node has a type no index node has
    IndexEntryPastEnd,  // index entries name records past the table's end
    IndexOutOfStep,     // records appended by a program that did not keep the index
};

inline void patchBytes(const std::filesystem::path& file, std::uint64_t offset,
                       const std::string& bytes) {
    std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(std::streamoff(offset));
    f.write(bytes.data(), std::streamsize(bytes.size()));
}

inline std::filesystem::path cdxOf(const std::filesystem::path& table) {
    std::filesystem::path p = table;
    return findIgnoringCase(p.replace_extension(".CDX"));
}

/// Damages a table that has a memo field named `memo` in record `record` (which must hold a
/// memo for MemoFileCut to cut it) and a structural index with the tag `tag`.
inline void damageTable(const std::filesystem::path& table, Damage damage, std::uint32_t record = 2,
                        const std::string& memo = "MEMO", const std::string& tag = "LNAME") {
    switch (damage) {
    case Damage::MemoPointerPastEnd: {
        // Written with the index attached, so that the index stays in step: only the memo
        // pointer is wrong.
        Table t = Table::open(table);
        TableIndexes indexes(t);
        t.goTo(record);
        t.setFieldBytes(
            t.structure().indexOf(memo),
            std::string(t.structure().field(t.structure().indexOf(memo)).width - 5, ' ') + "99999");
        t.post();
        return;
    }
    case Damage::MemoFileCut: {
        std::filesystem::path memoFile;
        std::uint64_t block = 0;
        {
            Table t = Table::open(table, OpenMode::ReadOnly);
            memoFile = t.memoPath();
            t.goTo(record);
            block = std::stoull(std::string(t.fieldBytes(memo)));
        }
        // Blocks of 64, as this program writes them; four bytes of the text stay.
        std::filesystem::resize_file(memoFile, block * 64 + 8 + 4);
        return;
    }
    case Damage::IndexNodeDamaged: {
        std::uint32_t root = 0;
        {
            CdxFile cdx = CdxFile::open(cdxOf(table), false);
            root = cdx.tag(tag).header().root;
        }
        patchBytes(cdxOf(table), root, std::string("\x7F\x7F", 2));
        return;
    }
    case Damage::IndexEntryPastEnd: {
        {
            Table t = Table::open(table); // without its index
            t.removeRecordsAfter(t.recordCount() - 2);
        }
        // The index then looks like one from elsewhere: no stamp to find it out of step.
        patchBytes(cdxOf(table), 400, std::string(20, '\0'));
        return;
    }
    case Damage::IndexOutOfStep: {
        Table t = Table::open(table); // without its index
        t.appendBlank();
        t.post();
        return;
    }
    }
}

} // namespace xbase::test
