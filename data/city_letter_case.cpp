#include "data/city_letter_case.h"

#include "data/table_object.h"
#include "xbase/table.h"

#include <algorithm>
#include <optional>

namespace data {

bool CitiesMostlyUpperCase(TTable& table, int sample) {
    if (!table.active())
        return false;
    int looked = 0, upper = 0;
    try {
        xbase::Table& engine = table.engineTable();
        const std::optional<std::size_t> city = engine.structure().find("CITY");
        if (!city)
            return false;
        const xbase::Field& field = engine.structure().field(*city);
        for (std::uint32_t recno = engine.recordCount(); recno >= 1 && looked < sample; --recno) {
            const xbase::Record record = engine.storedRecord(recno);
            if (record.deleted())
                continue;
            const QString text = table.text(record.bytes.substr(field.offset, field.width));
            if (!std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); }))
                continue;
            ++looked;
            upper += text == text.toUpper();
        }
    } catch (const std::exception&) {
        // A record that cannot be read ends the sample; what was read still counts.
    }
    return upper * 2 > looked;
}

} // namespace data
