#include "utilities/state_zip.h"

#include "data/address_file.h"
#include "data/data_source.h"
#include "data/engine_cursor.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "utilities/work_index.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace utilities {

namespace {

std::string_view trimRight(std::string_view bytes) {
    const std::size_t end = bytes.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : bytes.substr(0, end + 1);
}

// The first range CSZ.DBF holds for a state, in the address table's code page.
struct Range {
    bool found = false;
    std::string low, high;
};

// Seeks each state once: the table does not change while the pass runs.
class RangeLookup {
public:
    RangeLookup(data::TTable& address, data::TXbEngine& csz) : address_(address), csz_(csz) {}

    const Range& of(std::string_view state) {
        auto known = ranges_.find(std::string(state));
        if (known != ranges_.end())
            return known->second;
        Range range;
        if (!state.empty() && csz_.seek(address_.text(state))) {
            data::TTable& table = *csz_.DataSource->dataSet();
            range.found = true;
            range.low = address_.bytes(table.fieldText("LOW_ZIP"), "LOW_ZIP");
            range.high = address_.bytes(table.fieldText("HIGH_ZIP"), "HIGH_ZIP");
        }
        return ranges_.emplace(std::string(state), std::move(range)).first->second;
    }

private:
    data::TTable& address_;
    data::TXbEngine& csz_;
    std::unordered_map<std::string, Range> ranges_;
};

} // namespace

bool OpenStateZipForCheck(data::TTable& csz, data::TXbEngine& cszEngine) {
    csz.exclusive = true;
    if (!data::OpenStateZipTable(csz, cszEngine))
        return false;
    try {
        cszEngine.setOrderNumber(cszEngine.tagArea("STATE"));
        csz.first();
    } catch (const std::exception&) {
        // Without its tag the table still opens; every state is then not found.
    }
    // Titles and widths as its grid shows them.
    const struct {
        const char* field;
        const char* label;
        int width;
    } shown[] = {{"NAME", "State or Province", 20},
                 {"STATE", "Abbreviation", 10},
                 {"LOW_ZIP", "Starting Zip/Post", 13},
                 {"HIGH_ZIP", "Ending Zip/Post", 13}};
    for (const auto& s : shown) {
        if (data::FieldInfo* field = csz.field(s.field)) {
            field->label = s.label;
            field->displayWidth = s.width;
        }
    }
    return true;
}

bool ZipInRange(std::string_view zip, std::string_view low, std::string_view high) {
    return !(zip < low) && !(zip > high);
}

StateZipResult RunStateZipCheck(data::TTable& address, data::TXbEngine& engine,
                                data::TXbEngine& cszEngine, bool includeBlanks,
                                const QString& workIndexPath, const PassStep& step) {
    StateZipResult result;
    result.workOrder = CreateWorkIndex(engine, workIndexPath, StateZipWorkIndexKey);
    engine.setOrderNumber(0);
    PassState state{0, engine.queryRecCount(), 0};
    RangeLookup ranges(address, cszEngine);
    {
        std::uint64_t moves = 0;
        data::TEngineCursor cursor(address, moves);
        const int stateField = cursor.fieldNumber("STATE");
        const int zipField = cursor.fieldNumber("ZIP");
        std::vector<unsigned> questionable;
        for (cursor.top(); !cursor.eof(); cursor.skip(1)) {
            ++state.done;
            if (!cursor.deleted()) {
                const std::string_view st = trimRight(cursor.fieldBytes(stateField));
                const std::string_view zip = trimRight(cursor.fieldBytes(zipField));
                if (includeBlanks || (!st.empty() && !zip.empty())) {
                    // The bytes are copied: seeking in CSZ.DBF may not leave them in place.
                    const std::string zipBytes(zip);
                    const unsigned recno = cursor.recno();
                    const Range& range = ranges.of(st);
                    if (!range.found || !ZipInRange(zipBytes, range.low, range.high)) {
                        questionable.push_back(recno);
                        state.found = ++result.found;
                    }
                }
            }
            if (step && !step(state)) {
                result.stopped = true;
                break;
            }
        }
        // The keys go into the work index in one build once the walk has ended.
        engine.addKeys(result.workOrder, questionable);
    }
    engine.setOrderNumber(result.workOrder);
    address.first();
    return result;
}

} // namespace utilities
