// Feeds arbitrary text to the expression parser and evaluates what parses against a
// fixed record of the address file's kind of fields.
#include "xbase/error.h"
#include "xbase/expression.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const xbase::Structure structure({{"LNAME", 'C', 30},
                                             {"CODES", 'C', 10},
                                             {"ISDEL", 'L'},
                                             {"AMOUNT", 'N', 8, 2},
                                             {"BORN", 'D'},
                                             {"MEMO", 'M'}});
    static const std::string bytes = " " + std::string("Smith") + std::string(25, ' ') +
                                     "ABC       " + "F" + "   12.50" + "19970428" +
                                     std::string(10, ' ');
    std::string text(reinterpret_cast<const char*>(data), size);
    try {
        xbase::Expression e(text, structure);
        xbase::Record record{bytes, 7};
        for (bool exact : {false, true}) {
            xbase::Value v = e.evaluate(record, {exact});
            if (v.type == xbase::ValueType::String && v.text.size() > e.width())
                __builtin_trap(); // the width known after parsing must bound every result
        }
    } catch (const xbase::Error&) {
    }
    return 0;
}
