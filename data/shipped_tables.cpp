#include "data/shipped_tables.h"

#include "data/address_file.h"
#include "data/address_schema.h"
#include "platform/path_lookup.h"
#include "xbase/code_page.h"
#include "xbase/index_set.h"
#include "xbase/table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

namespace data {

namespace {

constexpr FieldSpec labelStockFields[] = {
    {"DESCRIPT", 'C', 60, 0, "", 60}, {"LBLHEIGHT", 'N', 6, 3, "", 6},
    {"LBLWIDTH", 'N', 6, 3, "", 6},   {"NBRACROSS", 'N', 2, 0, "", 2},
    {"NBRDOWN", 'N', 2, 0, "", 2},    {"TOPMARG", 'N', 6, 3, "", 6},
    {"LEFTMARG", 'N', 6, 3, "", 6},   {"HORIZPITCH", 'N', 6, 3, "", 6},
    {"VERTPITCH", 'N', 6, 3, "", 6},  {"SHEETWIDTH", 'N', 6, 3, "", 6},
    {"SHEETDEPTH", 'N', 6, 3, "", 6}, {"PRINTER", 'C', 2, 0, "", 2},
    {"PAPERSIZE", 'C', 5, 0, "", 5},  {"LBLSHAPE", 'C', 2, 0, "", 2},
    {"MANUFAC", 'C', 10, 0, "", 10},  {"PRODTYPE", 'C', 25, 0, "", 25},
    {"MIDEXTRAX", 'N', 6, 3, "", 6},  {"MIDEXTRAY", 'N', 6, 3, "", 6},
    {"ART", 'C', 12, 0, "", 12},
};

constexpr FieldSpec stateZipFields[] = {{"NAME", 'C', 20, 0, "State or Province", 20},
                                        {"STATE", 'C', 4, 0, "Abbreviation", 4},
                                        {"LOW_ZIP", 'C', 10, 0, "Starting Zip/Post", 10},
                                        {"HIGH_ZIP", 'C', 10, 0, "Ending Zip/Post", 10}};

constexpr FieldSpec zipCityFields[] = {{"ZIP", 'C', 5, 0, "Zip Code", 5},
                                       {"CITY", 'C', 30, 0, "City", 30},
                                       {"STATE", 'C', 2, 0, "State", 2}};

struct ShippedTable {
    const char* file;
    std::span<const FieldSpec> fields;
    const char* tag = nullptr; // built into the table's structural index when given
    const char* key = nullptr;
};

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Writes the rows into a new table at `path` (and its structural index when the table has a
// tag). The records are all appended before the tag is built, which sorts the keys once.
void build(const std::filesystem::path& path, const ShippedTable& shipped, std::string_view csv) {
    xbase::Table table = xbase::Table::create(path, EngineFields(shipped.fields));
    const xbase::CodePage codePage = xbase::CodePage::ofLanguage(table.language());
    // Each column of the header goes to the field of its name; other columns are left out.
    std::vector<std::pair<std::size_t, std::size_t>> columns;
    bool header = true;
    ReadCsvRows(csv, [&](std::span<const std::string> row) {
        if (header) {
            header = false;
            for (std::size_t c = 0; c < row.size(); ++c) {
                if (const auto field = table.structure().find(trimmed(row[c])))
                    columns.emplace_back(c, *field);
            }
            return;
        }
        table.newRecord();
        for (const auto& [column, field] : columns) {
            if (column >= row.size())
                continue;
            const std::string_view value = trimmed(row[column]);
            const xbase::Field& spec = table.structure().field(field);
            if (spec.type == 'N' && !value.empty())
                table.setNumber(field, std::stod(std::string(value)));
            else if (isAscii(value)) // the same bytes in every code page
                table.setText(field, value);
            else
                table.setText(field, codePage.fromUtf8OrThrow(value, spec.name));
        }
        table.post();
    });
    if (header)
        throw std::runtime_error("no rows");
    // On the disk before it is renamed into place: the table first, then the index whose
    // stamp vouches for it.
    if (shipped.tag) {
        xbase::TableIndexes indexes(table);
        indexes.indexTag({}, shipped.tag, shipped.key);
        table.flush();
        indexes.flush();
    } else {
        table.flush();
    }
    table.close();
}

bool install(const ShippedTable& shipped, const QByteArray& csv) {
    const QString folder = platform::RealPath("sysdata\\");
    const QString path = platform::RealPathIn(folder, shipped.file);
    if (QFileInfo::exists(path))
        return true;
    if (!QDir().mkpath(folder))
        return false;
    // Built under a temporary name, its index beside it as ZIPCITY.DBF.cdx, so that a failure
    // leaves no half-made table. The index is put in place before the table, whose presence
    // says that the table is installed.
    const QString building = path + ".new";
    const QString buildingIndex =
        QString::fromStdString(xbase::structuralIndexPath(building.toStdString()).string());
    auto discard = [&] {
        QFile::remove(building);
        QFile::remove(buildingIndex);
        return false;
    };
    try {
        discard();
        build(building.toStdString(), shipped, std::string_view(csv.constData(), csv.size()));
    } catch (const std::exception&) {
        return discard();
    }
    if (shipped.tag) {
        const QString index =
            platform::RealPathIn(folder, QFileInfo(path).completeBaseName() + ".CDX");
        if ((QFileInfo::exists(index) && !QFile::remove(index)) ||
            !QFile::rename(buildingIndex, index))
            return discard();
    }
    if (!QFile::rename(building, path))
        return discard();
    return true;
}

} // namespace

void ReadCsvRows(std::string_view text,
                 const std::function<void(std::span<const std::string> row)>& take) {
    // The field strings are kept from row to row: short fields then cost no allocation.
    std::vector<std::string> row;
    std::size_t used = 0;
    bool quotedRow = false; // a quoted field makes a row even when it is empty
    auto nextField = [&]() -> std::string& {
        if (used == row.size())
            row.emplace_back();
        std::string& field = row[used++];
        field.clear();
        return field;
    };
    auto endRow = [&] {
        if (quotedRow || used > 1 || !trimmed(row.front()).empty())
            take(std::span<const std::string>(row.data(), used));
        used = 0;
        quotedRow = false;
    };
    const std::size_t size = text.size();
    std::size_t i = 0;
    // One field per turn; unquoted text is taken whole up to its comma or line end.
    while (i < size) {
        std::string& field = nextField();
        if (text[i] == '"') {
            quotedRow = true;
            for (++i; i < size; ++i) {
                if (text[i] != '"') {
                    field += text[i];
                } else if (i + 1 < size && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
        }
        const std::size_t end = std::min(text.find_first_of(",\n", i), size);
        const std::size_t unquoted = field.size();
        field.append(text.substr(i, end - i));
        field.erase(std::remove(field.begin() + std::ptrdiff_t(unquoted), field.end(), '\r'),
                    field.end());
        i = end + 1;
        if (end == size || text[end] == '\n')
            endRow();
    }
    // The text ended on a comma: the row ends with an empty field.
    if (used > 0) {
        nextField();
        endRow();
    }
}

bool InstallLabelStockTable(const QByteArray& csv) {
    return install({"LBLTPL.DBF", labelStockFields}, csv);
}

bool InstallStateZipTable(const QByteArray& csv) {
    return install({"CSZ.DBF", stateZipFields}, csv);
}

bool InstallZipCityTable(const QByteArray& csv) {
    return install({"ZIPCITY.DBF", zipCityFields, "ZIP", "ZIP"}, csv);
}

} // namespace data
