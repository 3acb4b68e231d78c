#pragma once

#include "exchange/import_pass.h"
#include "exchange/vcard.h"

#include <QString>
#include <QStringList>

#include <string>
#include <utility>
#include <vector>

namespace exchange {

// What the import takes from a vCard, as columns a user matches to address fields like the
// columns of a text file: the parts of the name, organisation, title, the first (or preferred)
// address, phones, e-mail, note, categories, and the fields the export writes for the address
// file's own comments and date.
struct VCardColumn {
    const char* name;    // shown for matching, e.g. "Family name"
    const char* address; // the address field it feeds unless the user matches it otherwise
};
const std::vector<VCardColumn>& VCardColumns();

// The value of each column for one card, in the order of VCardColumns(); multi-line notes keep
// their line breaks as CR LF.
std::vector<std::string> VCardColumnValues(const VCard& card);

// The records of a vCard file for the import, card by card.
class VCardFeed : public ImportFeed {
public:
    // `matches` pairs a column (an index into VCardColumns()) with an address field name.
    VCardFeed(std::string path, TextEncoding encoding,
              std::vector<std::pair<int, QString>> matches);

    QStringList targets() const override;
    void rewind() override;
    bool next(ImportRecord& record) override;
    bool canReadAhead() const override { return true; }
    QString whereName() const override { return "card"; }

private:
    std::string path_;
    TextLineReader lines_;
    VCardReader reader_;
    std::vector<std::pair<int, QString>> matches_;
    VCard card_;
    unsigned cards_ = 0;
};

// Reads the first cards of a file for the match dialog's sample; the values of each.
std::vector<std::vector<std::string>> SampleVCardFile(const std::string& path,
                                                      TextEncoding encoding, int cards = 10);

// One address record for the export, as UTF-8 text by field name.
struct VCardRecord {
    std::string prefix, first, middle, last, title, org, street, street2, city, state, zip, country,
        phone, phone2, fax, email, codes, memo, user1, user2, date;
};
// The vCard (version 3 or 4) of a record, lines folded and ended by CR LF.
std::string WriteVCard(const VCardRecord& record, int version);

} // namespace exchange
