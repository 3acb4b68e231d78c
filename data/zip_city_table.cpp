#include "data/zip_city_table.h"

#include "data/table_object.h"
#include "platform/path_lookup.h"
#include "xbase/code_page.h"
#include "xbase/index_set.h"
#include "xbase/table.h"

#include <QFileInfo>

namespace data {

struct ZipCityTable::State {
    xbase::Table table;
    std::unique_ptr<xbase::TableIndexes> indexes;
    xbase::CodePage codePage;
    std::size_t zip = 0, city = 0, state = 0;
    std::string damage; // what the engine stepped around on the last lookup
};

QString FiveDigitZip(const QString& typed) {
    const QString five = typed.trimmed().left(5);
    if (five.size() < 5)
        return {};
    for (QChar c : five)
        if (c < '0' || c > '9')
            return {};
    return five;
}

ZipCityTable::ZipCityTable() = default;
ZipCityTable::~ZipCityTable() = default;

QString ZipCityTable::path() {
    return platform::RealPath("sysdata\\ZIPCITY.DBF");
}

QString ZipCityTable::open() {
    s_.reset();
    const QString file = path();
    if (!QFileInfo::exists(file))
        return "it is missing";
    try {
        auto s = std::make_unique<State>();
        s->table = xbase::Table::open(file.toStdString(), xbase::OpenMode::ReadOnly);
        s->codePage = xbase::CodePage::ofLanguage(s->table.language());
        s->table.setDamageCallback([state = s.get()](const std::string& what) {
            if (state->damage.empty())
                state->damage = what;
        });
        s->zip = s->table.structure().indexOf("ZIP");
        s->city = s->table.structure().indexOf("CITY");
        s->state = s->table.structure().indexOf("STATE");
        s->indexes = std::make_unique<xbase::TableIndexes>(s->table);
        if (!s->indexes->stale().empty())
            return QString::fromStdString(s->indexes->stale());
        if (s->indexes->orderOf("ZIP") == 0)
            return QFileInfo::exists(platform::RealPath("sysdata\\ZIPCITY.CDX"))
                       ? "its index has no tag ZIP"
                       : "its index ZIPCITY.CDX is missing";
        s->indexes->setOrder("ZIP");
        s->table.settings().exact = true;
        s->table.settings().softSeek = false;
        s->table.settings().deleted = true;
        s_ = std::move(s);
    } catch (const std::exception& error) {
        return QString::fromStdString(error.what());
    }
    return {};
}

std::optional<ZipCity> ZipCityTable::find(const QString& zip) {
    const QString five = FiveDigitZip(zip);
    if (!s_ || five.isEmpty())
        return std::nullopt;
    State& s = *s_;
    auto text = [&s](std::size_t field) {
        std::string_view bytes = s.table.fieldBytes(field);
        while (!bytes.empty() && bytes.back() == ' ')
            bytes.remove_suffix(1);
        return QString::fromStdString(s.codePage.toUtf8(bytes));
    };
    try {
        s.damage.clear();
        const bool sought = s.table.seek(five.toStdString());
        // An index entry the engine had to step around may hide the ZIP sought.
        if (!s.damage.empty())
            throw xbase::Error(xbase::ErrorKind::Corrupt, s.damage);
        if (!sought)
            return std::nullopt;
        ZipCity found{text(s.zip), text(s.city), text(s.state)};
        if (found.zip != five)
            throw xbase::Error(xbase::ErrorKind::Corrupt, "its index leads " + five.toStdString() +
                                                              " to ZIP " + found.zip.toStdString());
        return found;
    } catch (const std::exception& error) {
        s_.reset();
        throw TableError(TableError::Kind::Damaged, QString::fromStdString(error.what()));
    }
}

} // namespace data
