#include "data/shipped_tables.h"

#include "data/address_file.h"
#include "data/address_schema.h"
#include "platform/path_lookup.h"
#include "xbase/table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <span>

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

// The shipped rows are plain comma-separated values without quoting.
QList<QStringList> csvRows(const QString& csv) {
    QList<QStringList> rows;
    for (QString line : csv.split('\n')) {
        line.remove('\r');
        if (!line.trimmed().isEmpty())
            rows << line.split(',');
    }
    return rows;
}

bool install(const QString& fileName, std::span<const FieldSpec> specs, const QString& csv) {
    const QString folder = platform::RealPath("sysdata\\");
    const QString path = platform::RealPathIn(folder, fileName);
    if (QFileInfo::exists(path))
        return true;
    const QList<QStringList> rows = csvRows(csv);
    if (rows.isEmpty() || !QDir().mkpath(folder))
        return false;
    const QStringList header = rows.first();
    const std::vector<xbase::Field> fields = EngineFields(specs);
    // Built under a temporary name so that a failure leaves no half-made table.
    const QString building = path + ".new";
    try {
        xbase::Table table = xbase::Table::create(building.toStdString(), fields);
        for (qsizetype r = 1; r < rows.size(); ++r) {
            table.appendBlank();
            for (qsizetype c = 0; c < header.size() && c < rows[r].size(); ++c) {
                const std::string name = header[c].trimmed().toStdString();
                if (!table.structure().find(name))
                    continue;
                const std::string value = rows[r][c].trimmed().toStdString();
                const auto& field = table.structure().field(*table.structure().find(name));
                if (field.type == 'N' && !value.empty())
                    table.setNumber(name, std::stod(value));
                else
                    table.setText(name, value);
            }
            table.post();
        }
        table.close();
    } catch (const std::exception&) {
        QFile::remove(building);
        return false;
    }
    return QFile::rename(building, path);
}

} // namespace

bool InstallLabelStockTable(const QString& csv) {
    return install("LBLTPL.DBF", labelStockFields, csv);
}

bool InstallStateZipTable(const QString& csv) {
    return install("CSZ.DBF", stateZipFields, csv);
}

} // namespace data
