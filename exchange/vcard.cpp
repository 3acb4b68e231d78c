#include "exchange/vcard.h"

#include "data/text_codec.h"

#include <algorithm>
#include <cctype>

namespace exchange {

namespace {

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string decodeQuotedPrintable(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '=' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
            hexValue(text[i + 2]) >= 0) {
            out += char(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else if (text[i] == '=' && i + 1 == text.size()) {
            // a soft line break left at the very end
        } else {
            out += text[i];
        }
    }
    return out;
}

bool isQuotedPrintable(std::string_view head) {
    return upper(head).find("QUOTED-PRINTABLE") != std::string::npos;
}

} // namespace

std::vector<std::string> VCardProperty::types() const {
    std::vector<std::string> all;
    for (const auto& [name, value] : params) {
        if (name == "TYPE") {
            for (const std::string& t : SplitVCardValue(value, ','))
                if (!t.empty())
                    all.push_back(lower(t));
        } else if (value.empty()) {
            all.push_back(lower(name)); // vCard 2.1: TEL;WORK;FAX
        }
    }
    return all;
}

bool VCardProperty::hasType(std::string_view type) const {
    const std::vector<std::string> all = types();
    return std::find(all.begin(), all.end(), lower(type)) != all.end() ||
           (lower(type) == "pref" && !param("PREF").empty());
}

std::string VCardProperty::param(std::string_view name) const {
    for (const auto& [n, v] : params)
        if (n == name)
            return v.empty() ? std::string("1") : v;
    return {};
}

bool ParseVCardLine(std::string_view line, VCardProperty& property) {
    // The colon that ends the name and parameters is the first one outside double quotes.
    bool quoted = false;
    std::size_t colon = std::string_view::npos;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon == std::string_view::npos)
        return false;
    property = {};
    std::string_view head = line.substr(0, colon);
    property.value = std::string(line.substr(colon + 1));
    std::vector<std::string> parts;
    std::string part;
    quoted = false;
    for (char c : head) {
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (c == ';' && !quoted) {
            parts.push_back(std::move(part));
            part.clear();
            continue;
        }
        part += c;
    }
    parts.push_back(std::move(part));
    std::string name = upper(parts[0]);
    if (const std::size_t dot = name.rfind('.'); dot != std::string::npos)
        name.erase(0, dot + 1); // the group
    property.name = name;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::size_t eq = parts[i].find('=');
        if (eq == std::string::npos)
            property.params.emplace_back(upper(parts[i]), std::string());
        else
            property.params.emplace_back(upper(parts[i].substr(0, eq)), parts[i].substr(eq + 1));
    }
    const std::string encoding = upper(property.param("ENCODING"));
    if (encoding == "QUOTED-PRINTABLE" || !property.param("QUOTED-PRINTABLE").empty()) {
        property.value = decodeQuotedPrintable(property.value);
        const std::string charset = upper(property.param("CHARSET"));
        if (charset == "ISO-8859-1" || charset == "WINDOWS-1252" || charset == "CP1252" ||
            charset == "ISO-8859-15")
            property.value = data::CodePageToUtf8(1252, property.value);
    }
    return true;
}

std::string UnescapeVCardText(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            const char c = value[++i];
            out += c == 'n' || c == 'N' ? '\n' : c;
        } else {
            out += value[i];
        }
    }
    return out;
}

std::vector<std::string> SplitVCardValue(std::string_view value, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\') {
            ++i;
            continue;
        }
        if (value[i] == separator) {
            parts.push_back(UnescapeVCardText(value.substr(start, i - start)));
            start = i + 1;
        }
    }
    parts.push_back(UnescapeVCardText(value.substr(std::min(start, value.size()))));
    return parts;
}

std::string EscapeVCardText(std::string_view text, bool keepCommas) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += "\\n";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\\' || c == ';' || (c == ',' && !keepCommas)) {
            out += '\\';
            out += c;
        } else {
            out += c;
        }
    }
    return out;
}

std::string FoldVCardLine(std::string_view line) {
    std::string out;
    std::size_t width = 0;
    for (std::size_t i = 0; i < line.size();) {
        std::size_t n = 1;
        while (i + n < line.size() && (static_cast<unsigned char>(line[i + n]) & 0xC0) == 0x80)
            ++n;
        if (width + n > 75) {
            out += "\r\n ";
            width = 1;
        }
        out.append(line.substr(i, n));
        width += n;
        i += n;
    }
    return out + "\r\n";
}

bool VCardReader::nextLogicalLine(std::string& line) {
    std::string raw;
    if (!havePending_) {
        if (!lines_->next(pending_))
            return false;
        pendingLine_ = lines_->lineNumber();
        havePending_ = true;
    }
    line = std::move(pending_);
    havePending_ = false;
    // Folded lines go on with a blank or a tab; a quoted-printable value goes on after a
    // '=' at the end of its line.
    for (;;) {
        if (!lines_->next(raw))
            return true;
        const std::size_t colon = line.find(':');
        const bool softBreak = !line.empty() && line.back() == '=' && colon != std::string::npos &&
                               isQuotedPrintable(std::string_view(line).substr(0, colon));
        if (!raw.empty() && (raw[0] == ' ' || raw[0] == '\t')) {
            line.append(raw, 1, std::string::npos);
        } else if (softBreak) {
            line.pop_back();
            line += raw;
        } else {
            pending_ = std::move(raw);
            pendingLine_ = lines_->lineNumber();
            havePending_ = true;
            return true;
        }
    }
}

bool VCardReader::next(VCard& card) {
    card = {};
    std::string line;
    int depth = 0;
    VCardProperty property;
    for (;;) {
        const unsigned lineNumber = havePending_ ? pendingLine_ : lines_->lineNumber() + 1;
        if (!nextLogicalLine(line))
            return depth > 0 && !card.properties.empty(); // a last card without its END
        if (!ParseVCardLine(line, property))
            continue;
        const std::string value = upper(property.value);
        if (property.name == "BEGIN" && value.starts_with("VCARD")) {
            if (depth++ == 0)
                card.line = lineNumber;
            continue;
        }
        if (property.name == "END" && value.starts_with("VCARD")) {
            if (depth > 0 && --depth == 0)
                return true;
            continue;
        }
        if (depth == 1)
            card.properties.push_back(std::move(property));
    }
}

} // namespace exchange
