#include "xbase/settings.h"

#include "xbase/field_codec.h"

namespace xbase {

std::string datePattern(const Settings& s) {
    const char* year = s.century ? "yyyy" : "yy";
    auto join = [&](const char* a, const char* b, const char* c, const char* sep) {
        return std::string(a) + sep + b + sep + c;
    };
    switch (s.dateFormat) {
    case DateFormat::American:
        return join("mm", "dd", year, "/");
    case DateFormat::Ansi:
        return join(year, "mm", "dd", ".");
    case DateFormat::British:
    case DateFormat::French:
        return join("dd", "mm", year, "/");
    case DateFormat::German:
        return join("dd", "mm", year, ".");
    case DateFormat::Italian:
    case DateFormat::Spanish:
        return join("dd", "mm", year, "-");
    }
    return join("mm", "dd", year, "/");
}

std::string formatDate(std::string_view d, const Settings& s) {
    if (!isValidDate(d))
        return {};
    std::string pattern = datePattern(s);
    std::string out;
    for (std::size_t i = 0; i < pattern.size();) {
        if (pattern.compare(i, 4, "yyyy") == 0) {
            out.append(d.substr(0, 4));
            i += 4;
        } else if (pattern.compare(i, 2, "yy") == 0) {
            out.append(d.substr(2, 2));
            i += 2;
        } else if (pattern.compare(i, 2, "mm") == 0) {
            out.append(d.substr(4, 2));
            i += 2;
        } else if (pattern.compare(i, 2, "dd") == 0) {
            out.append(d.substr(6, 2));
            i += 2;
        } else {
            out.push_back(pattern[i++]);
        }
    }
    return out;
}

} // namespace xbase
