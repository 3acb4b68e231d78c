#pragma once

// How an address block composes a record into lines: the name, title, organisation, street
// lines, city, state and ZIP code, country and phone, leaving out what is blank or switched
// off, with the ZIP code where the options put it.
#include "layout/layout_enums.h"

#include <QStringList>

#include <functional>
#include <optional>

namespace layout {

struct AddressOptions {
    bool useName = true;
    bool useTitle = true;
    bool useCompany = true;
    bool useStreet = true;
    bool useStreet2 = true;
    bool useCityState = true;
    bool useZip = true;
    bool usePhone = false;
    bool useCountry = true;
    TZipFormatOptions zipOptions = zoAfterState;
    bool upperCase = false;
};

// The value of a record field by its name ("LNAME"), as text; nothing when the field cannot be
// read.
using AddressFieldReader = std::function<std::optional<QString>(const QString& field)>;

// The lines of the block. A field that cannot be read ends the composition quietly with the
// lines built so far.
QStringList ComposeAddress(const AddressOptions& options, const AddressFieldReader& value);

} // namespace layout
