#include "data/address_file.h"

#include "data/address_schema.h"
#include "data/xb_env.h"
#include "platform/dialogs.h"
#include "platform/path_lookup.h"
#include "platform/program_dir.h"
#include "xbase/table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <vector>

namespace data {

std::vector<xbase::Field> EngineFields(std::span<const FieldSpec> specs) {
    std::vector<xbase::Field> fields;
    for (const FieldSpec& spec : specs) {
        xbase::Field field;
        field.name = spec.name;
        field.type = spec.type;
        field.width = std::uint16_t(spec.width);
        field.decimals = std::uint8_t(spec.decimals);
        fields.push_back(field);
    }
    return fields;
}

namespace {

void pointAt(TTable& table, const QString& path) {
    const QFileInfo info(path);
    table.folder = platform::WithFinalSeparator(info.absolutePath());
    table.fileName = info.fileName();
    table.indexName.clear();
}

QString cdxPathOf(const TTable& table) {
    return platform::RealPathIn(table.folder,
                                QFileInfo(table.fileName).completeBaseName() + ".CDX");
}

} // namespace

bool OpenAddressTable(const QString& path, TTable& table) {
    table.close();
    const QString real = platform::RealPath(path);
    if (!QFileInfo::exists(real)) {
        platform::ShowInfo("File " + path + " not found");
        return false;
    }
    pointAt(table, real);
    try {
        table.open();
    } catch (const std::exception&) {
        table.close();
        return false;
    }
    return true;
}

bool CreateAddressFile(const QString& path, TTable& table, TXbEngine& engine) {
    const QString real = platform::RealPath(path);
    QDir().mkpath(QFileInfo(real).absolutePath());
    try {
        xbase::Table created =
            xbase::Table::create(real.toStdString(), EngineFields(AddressFields()));
        created.close();
    } catch (const std::exception&) {
        platform::ShowInfo("Create failed");
        return false;
    }
    const bool exclusive = table.exclusive;
    table.exclusive = true;
    const bool opened = OpenAddressTable(real, table);
    table.exclusive = exclusive;
    if (!opened || !BuildAddressIndexes(table, engine)) {
        table.close();
        platform::ShowInfo("File creation failed");
        return false;
    }
    table.close();
    return true;
}

bool BuildAddressIndexes(TTable& table, TXbEngine& engine) {
    try {
        BulkWrite bulk(table);
        engine.dropStructuralIndex();
        for (const TagSpec& tag : AddressTags())
            engine.indexTag({}, tag.name, tag.key);
        bulk.finish();
    } catch (const std::exception&) {
        platform::ShowInfo("Unable to create index files");
        return false;
    }
    return true;
}

bool CheckValidIndex(TXbEngine& engine) {
    try {
        // An index out of step with its table (or one that cannot be read) is no index.
        if (!engine.indexProblem().isEmpty())
            return false;
        for (const QString& tag : IndexCheckOrder()) {
            if (engine.tagArea(tag) == 0)
                return false;
        }
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

void SoftDeleteRecord(TTable& table) {
    TXbEnv& env = TXbEnv::instance();
    struct HideAgain {
        TTable& table;
        bool hidden;
        ~HideAgain() {
            TXbEnv::instance().Deleted = hidden;
            table.applySettings();
        }
    } hideAgain{table, env.Deleted};
    env.Deleted = false;
    table.applySettings();
    try {
        table.edit();
        table.setFieldBool("ISDEL", true);
        table.postWithDeletionMark();
    } catch (...) {
        table.cancel();
        throw;
    }
}

const QStringList& AddressViewOrder() {
    static const QStringList order{"Tagged",       "FullName", "FullNameWithPrefix",
                                   "CityStateZip", "LNAME",    "FNAME",
                                   "MIDDLE",       "PREFIX",   "TITLE",
                                   "ORG",          "STREET",   "STREET2",
                                   "CITY",         "STATE",    "ZIP",
                                   "COUNTRY",      "PHONE",    "PHONE2",
                                   "FAX",          "EMAIL",    "CODES",
                                   "USER1",        "USER2",    "MEMO",
                                   "ISDEL",        "DATE",     "DisplayDate",
                                   "TAG"};
    return order;
}

void SetupAddressView(TTable& table, std::function<QString()> globalTagId,
                      std::function<QString()> shortDatePattern) {
    for (const FieldSpec& spec : AddressFields()) {
        if (FieldInfo* field = table.field(spec.name)) {
            field->label = QString::fromLatin1(spec.label);
            field->displayWidth = spec.displayWidth;
        }
    }
    const struct {
        const char* name;
        FieldKind kind;
        int size;
        const char* label;
    } calculated[] = {{"Tagged", FieldKind::Boolean, 1, ""},
                      {"FullName", FieldKind::Text, 35, "Full Name"},
                      {"FullNameWithPrefix", FieldKind::Text, 35, "Full Name & Prefix"},
                      {"CityStateZip", FieldKind::Text, 35, "City, State & Zip"},
                      {"DisplayDate", FieldKind::Text, 12, "Date"}};
    for (const auto& c : calculated) {
        if (!table.field(c.name))
            table.addCalculatedField({c.name, c.kind, c.size, c.label, c.size, true, true});
    }
    table.arrangeFields(AddressViewOrder());
    for (const char* hidden : {"MEMO", "ISDEL", "DATE", "TAG"}) {
        if (FieldInfo* field = table.field(hidden))
            field->visible = false;
    }
    SetExtraFields(table, false);
    table.onCalcFields = [globalTagId, shortDatePattern](TTable& t) {
        t.setCalculatedValue("Tagged",
                             t.fieldText("TAG") == globalTagId() && !globalTagId().isEmpty());
        t.setCalculatedValue("DisplayDate", DisplayDate(t.fieldText("DATE"), shortDatePattern()));
        const QString first = t.fieldText("FNAME");
        const QString middle = t.fieldText("MIDDLE");
        const QString last = t.fieldText("LNAME");
        t.setCalculatedValue("FullName", FullName(first, middle, last));
        t.setCalculatedValue("FullNameWithPrefix",
                             FullNameWithPrefix(t.fieldText("PREFIX"), first, middle, last));
        t.setCalculatedValue("CityStateZip", CityStateZip(t.fieldText("CITY"), t.fieldText("STATE"),
                                                          t.fieldText("ZIP")));
    };
    if (table.active())
        table.refresh();
}

void SetExtraFields(TTable& table, bool visible) {
    for (const char* name : {"FullName", "FullNameWithPrefix", "CityStateZip"}) {
        if (FieldInfo* field = table.field(name))
            field->visible = visible;
    }
}

namespace {

constexpr FieldSpec labelFields[] = {
    {"DESCRIPT", 'C', 60, 0, "", 60},   {"PRINTER", 'C', 2, 0, "", 2},
    {"LBLHEIGHT", 'N', 6, 3, "", 6},    {"LBLWIDTH", 'N', 6, 3, "", 6},
    {"NBRACROSS", 'N', 2, 0, "", 2},    {"NBRDOWN", 'N', 2, 0, "", 2},
    {"TOPMARG", 'N', 6, 3, "", 6},      {"LEFTMARG", 'N', 6, 3, "", 6},
    {"HORIZPITCH", 'N', 6, 3, "", 6},   {"VERTPITCH", 'N', 6, 3, "", 6},
    {"SHEETWIDTH", 'N', 6, 3, "", 6},   {"SHEETDEPTH", 'N', 6, 3, "", 6},
    {"PAPERSIZE", 'C', 5, 0, "", 5},    {"LBLSHAPE", 'C', 2, 0, "", 2},
    {"TPLDESCRIP", 'C', 60, 0, "", 60}, {"MANUFAC", 'C', 10, 0, "", 10},
    {"PRODTYPE", 'C', 25, 0, "", 25},   {"MIDEXTRAX", 'N', 6, 3, "", 6},
    {"MIDEXTRAY", 'N', 6, 3, "", 6},    {"ART", 'C', 12, 0, "", 12},
    {"DELETED", 'L', 1, 0, "", 1},      {"BINARY", 'C', 12, 0, "", 12},
};
constexpr FieldSpec envelopeFields[] = {
    {"DESCRIPT", 'C', 60, 0, "", 60}, {"NUMBER", 'N', 5, 0, "", 5}, {"BINARY", 'C', 12, 0, "", 12}};
constexpr FieldSpec reportFields[] = {{"DESCRIPT", 'C', 60, 0, "", 60},
                                      {"LAYOUT", 'C', 60, 0, "", 60},
                                      {"BINARY", 'C', 12, 0, "", 12}};
constexpr FieldSpec letterFields[] = {{"DESCRIPT", 'C', 50, 0, "", 50},
                                      {"RTF", 'M', 10, 0, "", 10}};

struct SystemTable {
    const char* file;
    const char* tag;
    const char* key;
    std::span<const FieldSpec> createWith; // empty: never created
    const char* failure;
};

bool openSystemTable(const SystemTable& system, TTable& table, TXbEngine& engine) {
    table.close();
    const QString folder = platform::RealPath("sysdata\\");
    QDir().mkpath(folder);
    const QString path = platform::RealPathIn(folder, system.file);
    pointAt(table, path);
    try {
        table.open();
    } catch (const std::exception&) {
        table.close();
        if (system.createWith.empty()) {
            platform::ShowInfo(system.failure);
            return false;
        }
        try {
            if (QFileInfo::exists(path))
                throw std::runtime_error("the file is there but cannot be opened");
            xbase::Table::create(path.toStdString(), EngineFields(system.createWith)).close();
            table.exclusive = true;
            table.open();
            table.exclusive = false;
        } catch (const std::exception&) {
            table.exclusive = false;
            table.close();
            platform::ShowInfo(system.failure);
            return false;
        }
    }
    if (!QFileInfo::exists(cdxPathOf(table))) {
        try {
            engine.indexTag({}, system.tag, system.key);
        } catch (const std::exception&) {
            // The table stays usable in record order; the rebuild dialog can try again.
        }
    }
    return table.active();
}

} // namespace

bool OpenLabelTable(TTable& table, TXbEngine& engine) {
    return openSystemTable({"LABEL.DBF", "DESCRIPT", "UPPER(descript)", labelFields,
                            "Unable to Open or Create LABEL.DBF"},
                           table, engine);
}

bool OpenLabelStockTable(TTable& table, TXbEngine& engine) {
    return openSystemTable(
        {"LBLTPL.DBF", "DESCRIPT", "UPPER(descript)", {}, "Unable to Open LBLTPL.DBF"}, table,
        engine);
}

bool OpenEnvelopeTable(TTable& table, TXbEngine& engine) {
    return openSystemTable({"ENVELOPE.DBF", "DESCRIPT", "UPPER(descript)", envelopeFields,
                            "Unable to Open or Create ENVELOPE.DBF"},
                           table, engine);
}

bool OpenReportTable(TTable& table, TXbEngine& engine) {
    return openSystemTable({"REPORT.DBF", "DESCRIPT", "UPPER(descript)", reportFields,
                            "Unable to Open or Create REPORT.DBF"},
                           table, engine);
}

bool OpenLetterTable(TTable& table, TXbEngine& engine) {
    return openSystemTable({"LETTER.DBF", "DESCRIPT", "UPPER(descript)", letterFields,
                            "Unable to Open or Create LETTER.DBF"},
                           table, engine);
}

bool OpenStateZipTable(TTable& table, TXbEngine& engine) {
    return openSystemTable(
        {"CSZ.DBF", "STATE", "UPPER(state)", {}, "Unable to Open or Create CSZ.DBF"}, table,
        engine);
}

} // namespace data
