#include "app/whats_this_texts.h"

#include "platform/whats_this.h"

#include <QHash>
#include <QWidget>

namespace {

const QHash<QString, QString>& texts() {
    static const QHash<QString, QString> table{
        {"LabelsButton", "Print mailing labels or design their layout (Ctrl+L)."},
        {"LettersButton", "Print form letters merged with the records, or write them (Ctrl+T)."},
        {"EnvelopesButton", "Print envelopes with postal barcodes or design them (Ctrl+E)."},
        {"ReportsButton", "Print reports of the records or design them (Ctrl+R)."},
        {"BrowseButton", "Show the records as a table, in the current order and filter (Ctrl+B)."},
        {"SearchButton", "Find a record by the current sort order (Ctrl+S)."},
        {"FilterButton", "Show only the records that match what you enter (Ctrl+F)."},
        {"LNAMEEdit", "The last name. The default sort order is by last and first name."},
        {"FNAMEEdit", "The first name."},
        {"MIDDLEEdit", "The middle initial; it is entered in upper case."},
        {"PREFIXEdit", "A prefix shown before the first name, such as Dr. or Ms."},
        {"TITLEEdit", "The person's job title."},
        {"ORGEdit", "The organization or company."},
        {"STREETEdit", "The first address line."},
        {"STREET2Edit", "The second address line."},
        {"CITYEdit", "The city."},
        {"STATEEdit", "The state or province."},
        {"ZIPEdit", "The ZIP or postal code."},
        {"COUNTRYEdit", "The country."},
        {"DateButton", "Choose the record's date from a calendar."},
        {"DisplayDateEdit", "The record's date, shown in the system's short date format."},
        {"PHONEEdit", "The first phone number."},
        {"PHONE2Edit", "The second phone number."},
        {"DialPhone1Button", "Dial the first phone number."},
        {"DialPhone2Button", "Dial the second phone number."},
        {"FAXEdit", "The fax number."},
        {"EMAILEdit", "The e-mail address."},
        {"CODESEdit", "Free code letters; a filter can find records containing a code."},
        {"USER1Edit", "A comment."},
        {"USER2Edit", "A second comment."},
        {"TaggedCheck", "Tagged records can be printed or worked on together. Click to tag."},
        {"MemoEdit", "Free text about this record. Double-click or type to edit it."},
        {"SearchMemoButton", "Find records whose memo contains a text."},
        {"FindNextButton", "Find the next record whose memo contains the same text."},
        {"TabSet", "Switch between the address page and the memo page."},
        {"FilterStatus", "How many records the current filter shows."},
        {"ExitButton", "Close Corvane."},
        {"FirstButton", "Go to the first record (Ctrl+Page Up)."},
        {"PriorButton", "Go to the previous record (Page Up)."},
        {"NextButton", "Go to the next record (Page Down)."},
        {"LastButton", "Go to the last record (Ctrl+Page Down)."},
        {"AddButton", "Add a new record."},
        {"EditButton", "Change the record shown."},
        {"DeleteButton", "Delete the record shown."},
        {"SaveButton", "Save the changes (Page Down)."},
        {"CancelButton", "Discard the changes (Escape)."},
        {"ClearFilterButton", "Show all records again."},
        {"NoData", "No address file is open. Use the File menu to open or create one."},
    };
    return table;
}

} // namespace

QString WhatsThisText(const QString& objectName) {
    return texts().value(objectName);
}

void ApplyWhatsThisTexts(QWidget& window) {
    platform::GiveWhatsThisTexts(window, texts());
}
