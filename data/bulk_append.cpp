#include "data/bulk_append.h"

#include "data/table_object.h"
#include "xbase/table.h"

namespace data {

namespace {

// Plain ASCII is the same in every code page a table is stored in.
bool isAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

[[noreturn]] void fail(const std::exception& error) {
    if (const auto* refused = dynamic_cast<const TableError*>(&error))
        throw *refused;
    throw TableError(TableError::Kind::General, QString::fromUtf8(error.what()));
}

} // namespace

BulkAppend::BulkAppend(TTable& table)
    : table_(table), engine_(table.engineTable()),
      page_(xbase::CodePage::ofLanguage(engine_.language())) {
    table_.endEdit();
}

int BulkAppend::field(const QString& name) const {
    const auto found = engine_.structure().find(name.toStdString());
    return found ? int(*found) : -1;
}

bool BulkAppend::isMemo(int field) const {
    return engine_.structure().field(std::size_t(field)).isMemo();
}

bool BulkAppend::isLogical(int field) const {
    return engine_.structure().field(std::size_t(field)).type == 'L';
}

QString BulkAppend::cannotHold(std::string_view utf8) const {
    if (isAscii(utf8))
        return {};
    const xbase::Encoded encoded = page_.fromUtf8(utf8);
    return encoded ? QString() : QString::fromStdString(encoded.failure->describe());
}

void BulkAppend::start() {
    try {
        engine_.newRecord();
    } catch (const std::exception& error) {
        fail(error);
    }
}

void BulkAppend::setText(int field, std::string_view utf8) {
    const xbase::Field& f = engine_.structure().field(std::size_t(field));
    if (!f.isMemo() && isAscii(utf8)) {
        try {
            engine_.setText(std::size_t(field), utf8.substr(0, f.width));
        } catch (const std::exception& error) {
            fail(error);
        }
        return;
    }
    xbase::Encoded encoded = page_.fromUtf8(utf8);
    if (!encoded)
        throw TableError(TableError::Kind::General,
                         QString::fromStdString(f.name + ": " + encoded.failure->describe()));
    try {
        if (f.isMemo()) {
            engine_.setMemo(f.name, encoded.bytes);
        } else {
            // One byte a character in every code page a table is stored in.
            if (encoded.bytes.size() > f.width)
                encoded.bytes.resize(f.width);
            engine_.setText(std::size_t(field), encoded.bytes);
        }
    } catch (const std::exception& error) {
        fail(error);
    }
}

void BulkAppend::post() {
    try {
        engine_.post();
    } catch (const std::exception& error) {
        cancel();
        fail(error);
    }
}

void BulkAppend::cancel() {
    try {
        engine_.cancel();
    } catch (const std::exception&) {
        // Nothing of the record reached the file.
    }
}

} // namespace data
