#include "utilities/duplicates.h"

#include "data/engine_cursor.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "utilities/work_index.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace utilities {

namespace {

std::string_view trimRight(std::string_view bytes) {
    const std::size_t end = bytes.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : bytes.substr(0, end + 1);
}

char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

} // namespace

QString DupScanTag(DupKind kind) {
    return kind == DupKind::Street ? "STREET" : "NAME";
}

QString DupWorkIndexKey(DupKind kind) {
    return kind == DupKind::Street ? "upper(STREET)" : "upper(LNAME-FNAME)";
}

std::string DupKey(DupKind kind, std::string_view lname, std::string_view fname,
                   std::string_view street, int chars) {
    if (kind == DupKind::Street)
        return std::string(trimRight(street).substr(0, std::size_t(std::max(chars, 0))));
    const std::string_view last = trimRight(lname);
    if (last.empty())
        return {};
    std::string_view first = trimRight(fname);
    if (kind == DupKind::LastFirstInitial)
        first = first.substr(0, 1);
    return std::string(last) + std::string(first);
}

bool DupKeysEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiUpper(a[i]) != asciiUpper(b[i]))
            return false;
    }
    return true;
}

DupCheckResult RunDupCheck(data::TTable& table, data::TXbEngine& engine, DupKind kind, int chars,
                           const QString& workIndexPath, const PassStep& step) {
    DupCheckResult result;
    const QString scanTag = DupScanTag(kind);
    const int scanOrder = engine.tagArea(scanTag);
    if (scanOrder == 0)
        throw data::TableError(data::TableError::Kind::General,
                               "The index has no tag " + scanTag + ". Rebuild the indexes first.");
    result.workOrder = CreateWorkIndex(engine, workIndexPath, DupWorkIndexKey(kind));
    engine.setOrderNumber(scanOrder);
    PassState state{0, engine.queryRecCount(), 0};
    {
        std::uint64_t moves = 0;
        data::TEngineCursor cursor(table, moves);
        const int lname = cursor.fieldNumber("LNAME");
        const int fname = cursor.fieldNumber("FNAME");
        const int street = cursor.fieldNumber("STREET");
        std::vector<unsigned> listed;
        std::string previous; // empty before the first record and after one without a key
        unsigned previousRecno = 0;
        unsigned lastAdded = 0;
        for (cursor.top(); !cursor.eof(); cursor.skip(1)) {
            ++state.done;
            // A record with the deletion mark reads no values: the next one is compared with
            // the last record read.
            if (!cursor.deleted()) {
                const unsigned recno = cursor.recno();
                std::string key =
                    kind == DupKind::Street
                        ? DupKey(kind, {}, {}, cursor.fieldBytes(street), chars)
                        : DupKey(kind, cursor.fieldBytes(lname), cursor.fieldBytes(fname), {}, 0);
                if (!key.empty() && DupKeysEqual(key, previous)) {
                    // A record that agreed with the one before it is in the list already.
                    if (previousRecno != lastAdded)
                        listed.push_back(previousRecno);
                    listed.push_back(recno);
                    lastAdded = recno;
                    ++result.matches;
                    state.found = result.matches;
                }
                previous = std::move(key);
                previousRecno = recno;
            }
            if (step && !step(state)) {
                result.stopped = true;
                break;
            }
        }
        // The keys go into the work index in one build once the walk has ended.
        engine.addKeys(result.workOrder, listed);
        result.listed = unsigned(listed.size());
    }
    engine.setOrderNumber(result.workOrder);
    table.first();
    return result;
}

} // namespace utilities
