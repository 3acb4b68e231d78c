// The record editing cycle of the main window: add, edit, save, cancel, delete and clone,
// with the duplicate-name check and the city and state taken from an existing ZIP or, failing
// that, from the shipped US ZIP code table.
#include "app/address_main.h"

#include "app/date_selector.h"
#include "app/edb_edit.h"
#include "app/get_first_last_zip.h"
#include "controls/enter_edit.h"
#include "data/address_file.h"
#include "data/city_letter_case.h"
#include "data/memo_text.h"
#include "data/xb_env.h"
#include "data/zip_city_table.h"
#include "platform/dialogs.h"
#include "platform/system_services.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTabBar>

namespace {

// The key layout of the LNAME tag: each name padded or cut to exactly 30 characters.
QString lastFirstKey(const QString& last, const QString& first) {
    return (last.leftJustified(30, ' ', true) + first.leftJustified(30, ' ', true)).toUpper();
}

// Remembers the record, the order and the exact setting, and puts them back (errors ignored).
struct PositionKeeper {
    data::TXbEngine& engine;
    unsigned recno;
    int order;
    bool exact;
    explicit PositionKeeper(data::TXbEngine& e)
        : engine(e), recno(e.recNo()), order(e.indexOrd()), exact(data::TXbEnv::instance().Exact) {}
    void restore(data::TTable& table, bool goBack) {
        try {
            data::TXbEnv::instance().Exact = exact;
            table.applySettings();
            engine.setOrderNumber(order);
            if (goBack && recno >= 1 && recno <= engine.recCount())
                engine.go(recno);
        } catch (const std::exception&) {
        }
    }
};

bool isEditing(const data::TTable& table) {
    return table.state() == data::TableState::Edit || table.state() == data::TableState::Insert;
}

} // namespace

bool TAddressMain::CheckDupName(const QString& first, const QString& last) {
    if (first.isEmpty() || last.isEmpty())
        return true;
    PositionKeeper keeper(Engine1);
    bool carryOn = true;
    try {
        Engine1.setOrderNumber(Engine1.tagArea("LNAME"));
        data::TXbEnv::instance().Exact = true;
        TableCVW.applySettings();
        if (Engine1.seek(lastFirstKey(last, first))) {
            platform::Beep();
            const data::TTable& t = TableCVW;
            carryOn = platform::ConfirmYesNoDefaultNo(
                "Possible duplicate: \r\n\r\n" + t.fieldText("FNAME") + " " + t.fieldText("LNAME") +
                    "\r\n" + t.fieldText("STREET") + "\r\n" + t.fieldText("CITY") + "," +
                    t.fieldText("STATE") + " " + t.fieldText("ZIP") + "\r\n\r\nContinue adding?",
                "Possible Duplicate");
        }
    } catch (const std::exception&) {
    }
    keeper.restore(TableCVW, carryOn);
    return carryOn;
}

std::pair<QString, QString> TAddressMain::FillCityState(const QString& zip) {
    std::pair<QString, QString> cityState;
    if (zip.isEmpty())
        return cityState;
    PositionKeeper keeper(Engine1);
    try {
        Engine1.setOrderNumber(Engine1.tagArea("ZIP"));
        data::TXbEnv::instance().Exact = false;
        TableCVW.applySettings();
        if (Engine1.seek(zip.toUpper()))
            cityState = {TableCVW.fieldText("CITY"), TableCVW.fieldText("STATE")};
    } catch (const std::exception&) {
    }
    keeper.restore(TableCVW, true);
    // A record with the ZIP but neither city nor state tells nothing either.
    if (cityState.first.isEmpty() && cityState.second.isEmpty() && Adding.UseZipTable)
        cityState = CityStateFromZipTable(zip);
    return cityState;
}

std::pair<QString, QString> TAddressMain::CityStateFromZipTable(const QString& zip) {
    if (data::FiveDigitZip(zip).isEmpty())
        return {};
    data::ZipCityTable table;
    QString problem = table.open();
    std::optional<data::ZipCity> found;
    if (problem.isEmpty()) {
        try {
            found = table.find(zip);
        } catch (const data::TableError& error) {
            problem = QString::fromStdString(error.what());
        }
    }
    if (!problem.isEmpty()) {
        // Adding goes on without the table; one message is enough for the session.
        if (!zipTableProblemSaid_) {
            zipTableProblemSaid_ = true;
            platform::ShowInfo(
                "The ZIP code table " + data::ZipCityTable::path() + " cannot be used: " + problem +
                ".\r\n\r\nNew records get their city and state only from the records of "
                "this file. Rebuild the system file indexes to mend the table's index, or "
                "delete the table to have it made anew at the next start.");
        }
        return {};
    }
    if (!found)
        return {};
    // Shipped in mixed case; a file kept in upper case gets its cities so.
    const QString city =
        data::CitiesMostlyUpperCase(TableCVW) ? found->city.toUpper() : found->city;
    return {city, found->state};
}

void TAddressMain::AddButtonClick() {
    if (!TableCVW.active())
        return;
    TabSet->setCurrentIndex(0);
    const QString rOrg = TableCVW.fieldText("ORG"), rCity = TableCVW.fieldText("CITY"),
                  rState = TableCVW.fieldText("STATE"), rZip = TableCVW.fieldText("ZIP"),
                  rStreet = TableCVW.fieldText("STREET"), rStreet2 = TableCVW.fieldText("STREET2"),
                  rCountry = Adding.CarryCountry ? TableCVW.fieldText("COUNTRY") : QString();

    QString first, last, zip;
    if (Adding.PlugCityState || Adding.AutoDupCheck) {
        TGetFirstLastZip ask(Adding.AutoDupCheck, Adding.PlugCityState, this);
        platform::CenterOnMainForm(ask);
        if (platform::CurrentDialogs().exec(ask) != platform::ResultOk)
            return;
        first = ask.FirstName->text().trimmed();
        last = ask.LastName->text().trimmed();
        zip = ask.Zip->text().trimmed();
    }
    std::pair<QString, QString> cityState;
    if (Adding.PlugCityState && !zip.isEmpty())
        cityState = FillCityState(zip);
    if (!CheckDupName(first, last)) {
        SetButtons();
        return;
    }

    // Clearing the memo box is no typing: it must not start editing the record shown, whose
    // cancel would bring its memo back into the box and so into the new record.
    MemoEditArmed = false;
    MemoEdit->clear();
    TableCVW.insert();
    MemoEditArmed = true;
    auto set = [this](const char* field, const QString& value) {
        TableCVW.setFieldText(field, value);
    };
    if (!first.isEmpty())
        set("FNAME", first);
    if (!last.isEmpty())
        set("LNAME", last);
    if (!zip.isEmpty())
        set("ZIP", zip);
    if (!cityState.first.isEmpty())
        set("CITY", cityState.first);
    if (!cityState.second.isEmpty())
        set("STATE", cityState.second);
    if (zip.isEmpty() && Adding.CarryZip)
        set("ZIP", rZip);
    if (cityState.first.isEmpty() && Adding.CarryCity)
        set("CITY", rCity);
    if (cityState.second.isEmpty() && Adding.CarryState)
        set("STATE", rState);
    if (Adding.CarryCountry)
        set("COUNTRY", rCountry);
    if (Adding.CarrySA1)
        set("STREET", rStreet);
    if (Adding.CarrySA2)
        set("STREET2", rStreet2);
    if (rCountry.isEmpty() && !Adding.DefaultCountry.isEmpty())
        set("COUNTRY", Adding.DefaultCountry);
    if (Adding.PlugDate)
        set("DATE", platform::Today().toString("yyyyMMdd"));
    if (Adding.CarryOrg)
        set("ORG", rOrg);
    SetButtons();
    const char* focus = TableCVW.fieldText("LNAME").isEmpty()   ? "LNAMEEdit"
                        : TableCVW.fieldText("FNAME").isEmpty() ? "FNAMEEdit"
                                                                : "MIDDLEEdit";
    if (auto* box = findChild<TEDBEdit*>(focus))
        box->setFocus();
}

void TAddressMain::EditButtonClick() {
    if (!TableCVW.active() || isEditing(TableCVW) || (TableCVW.bof() && TableCVW.eof()))
        return;
    TableCVW.edit();
    SetButtons();
}

void TAddressMain::EditFieldClick() {
    if (!isEditing(TableCVW) && findChild<QWidget*>("EditButton")->isEnabled())
        EditButtonClick();
}

void TAddressMain::SaveButtonClick() {
    if (!isEditing(TableCVW))
        return;
    try {
        TableCVW.setFieldText("MEMO", data::MemoTextToStore(MemoEdit->toPlainText()));
        // What is stored may change what the query admits: the record is counted anew.
        shownCount_.forget();
        TableCVW.post();
    } catch (const std::exception& error) {
        platform::ShowInfo(QString::fromLocal8Bit(error.what()));
        return;
    }
    ReapplyWhenEmpty();
    SetButtons();
}

void TAddressMain::CancelButtonClick() {
    TableCVW.cancel();
    SetButtons();
}

void TAddressMain::DeleteButtonClick() {
    if (!TableCVW.active() || (TableCVW.bof() && TableCVW.eof()))
        return;
    if (platform::ConfirmYesNo("Delete this record?", "DELETE")) {
        try {
            data::SoftDeleteRecord(TableCVW);
            // The deletion mark hides the record from the query.
            shownCount_.forget();
            TableCVW.prior();
        } catch (const std::exception& error) {
            platform::ShowInfo(QString::fromLocal8Bit(error.what()));
        }
    }
    ReapplyWhenEmpty();
    SetButtons();
}

void TAddressMain::mnuCloneClick() {
    if (!TableCVW.active() || (TableCVW.bof() && TableCVW.eof()))
        return;
    if (!platform::ConfirmYesNo("Clone this record?", "Clone"))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TableCVW.disableControls();
    FollowTableEvents = false;
    const char* copied[] = {"MEMO",   "LNAME",   "FNAME", "MIDDLE", "PREFIX", "TITLE",   "ORG",
                            "STREET", "STREET2", "CITY",  "STATE",  "ZIP",    "COUNTRY", "PHONE",
                            "PHONE2", "EMAIL",   "FAX",   "CODES",  "DATE",   "USER1",   "USER2"};
    QStringList values;
    for (const char* field : copied)
        values << TableCVW.fieldText(field);
    const unsigned original = TableCVW.recordNumber();
    QString failure;
    shownCount_.forget();
    try {
        TableCVW.insert();
        for (int i = 0; i < values.size(); ++i)
            TableCVW.setFieldText(copied[i], values[i]);
        TableCVW.post();
    } catch (const std::exception& error) {
        failure = QString::fromLocal8Bit(error.what());
        // The clone is dropped and the record it was made from shown again.
        TableCVW.cancel();
        try {
            Engine1.go(original);
        } catch (const std::exception&) {
        }
    }
    TableCVW.enableControls();
    FollowTableEvents = true;
    QApplication::restoreOverrideCursor();
    SetButtons();
    if (failure.isEmpty())
        platform::ShowInfo("Clone completed. Current record is an exact copy");
    else
        platform::ShowInfo("Unable to clone this record.\r\n\r\n" + failure);
}

// When the query now shows no record, the filter is applied again.
void TAddressMain::ReapplyWhenEmpty() {
    try {
        if (TableCVW.active() && shownCount_.value(TableCVW, Engine1) == 0) {
            ApplyQuery();
            TableCVW.first();
        }
    } catch (const std::exception&) {
    }
}

void TAddressMain::DateLabelClick() {
    if (!TableCVW.active() || (TableCVW.bof() && TableCVW.eof() && !isEditing(TableCVW)))
        return;
    const std::optional<QString> date = AskForDate(TableCVW.fieldText("DATE"), this);
    if (!date)
        return;
    if (!isEditing(TableCVW))
        TableCVW.edit();
    TableCVW.setFieldText("DATE", *date);
    SetButtons();
}
