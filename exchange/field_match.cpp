#include "exchange/field_match.h"

#include "data/address_schema.h"
#include "data/table_object.h"

#include <algorithm>

namespace exchange {

int FieldMatch::rowOf(int source) const {
    const auto found = std::find(rows_.begin(), rows_.end(), source);
    return source < 0 || found == rows_.end() ? -1 : int(found - rows_.begin());
}

void FieldMatch::assign(int row, int source) {
    for (int& fed : rows_)
        if (fed == source)
            fed = -1;
    rows_.at(std::size_t(row)) = source;
}

void FieldMatch::clearAll() {
    std::fill(rows_.begin(), rows_.end(), -1);
}

bool FieldMatch::any() const {
    return std::any_of(rows_.begin(), rows_.end(), [](int s) { return s >= 0; });
}

QString AddressFieldLabel(const QString& name) {
    if (const data::FieldSpec* spec = data::FindAddressField(name); spec && *spec->label)
        return QString::fromLatin1(spec->label);
    return name.left(1).toUpper() + name.mid(1).toLower();
}

namespace {

std::vector<OfferedField> offered(const data::TTable& table, bool textOnly) {
    std::vector<OfferedField> fields;
    for (const data::FieldInfo& info : table.fields()) {
        if (info.calculated || info.name.compare("TAG", Qt::CaseInsensitive) == 0 ||
            info.name.compare("ISDEL", Qt::CaseInsensitive) == 0)
            continue;
        if (textOnly && info.kind != data::FieldKind::Text)
            continue;
        const QString label = info.label.isEmpty() || info.label == info.name
                                  ? AddressFieldLabel(info.name)
                                  : info.label;
        fields.push_back({info.name, label, info.engineType});
    }
    return fields;
}

} // namespace

std::vector<OfferedField> OfferedTextFields(const data::TTable& table) {
    return offered(table, true);
}

std::vector<OfferedField> OfferedTableFields(const data::TTable& table) {
    return offered(table, false);
}

OfferedField FindOffered(const std::vector<OfferedField>& offered, const QString& name) {
    for (const OfferedField& f : offered)
        if (f.name.compare(name, Qt::CaseInsensitive) == 0)
            return f;
    return {};
}

QString OfferedFieldNamed(const std::vector<OfferedField>& offered, const QString& labelOrName) {
    for (const OfferedField& f : offered)
        if (f.label.compare(labelOrName, Qt::CaseInsensitive) == 0 ||
            f.name.compare(labelOrName, Qt::CaseInsensitive) == 0)
            return f.name;
    return {};
}

} // namespace exchange
