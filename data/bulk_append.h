#pragma once

#include "xbase/code_page.h"

#include <QString>

#include <string_view>

namespace xbase {
class Table;
}

namespace data {

class TTable;

// Appends records straight to the engine under a table object, for imports of many records:
// values come as UTF-8 text and go into the table's code page, text cut to its field's width.
// No record is read back and no event fires per record; the table object shows the new
// records once it is refreshed. The table must be open and not being edited.
class BulkAppend {
public:
    explicit BulkAppend(TTable& table);

    // The engine's field of this name (letter case ignored), -1 when the table has none.
    int field(const QString& name) const;
    bool isMemo(int field) const;
    bool isLogical(int field) const;
    // Why the text cannot go into the table, empty when it can: a character the table's code
    // page cannot hold, or text that is not UTF-8.
    QString cannotHold(std::string_view utf8) const;

    // A new blank record, not yet in the file.
    void start();
    // Text cut to the field's width; a memo takes the whole text. Throws TableError (with the
    // reason) for text the table cannot hold and for engine failures.
    void setText(int field, std::string_view utf8);
    // Appends the record; on a failure nothing is appended and the record is dropped.
    void post();
    // Drops a record that was started but not posted.
    void cancel();

private:
    TTable& table_;
    xbase::Table& engine_;
    xbase::CodePage page_;
};

} // namespace data
