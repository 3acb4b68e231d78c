// Reads a filter file of arbitrary bytes, builds its expression and writes it back: no crash,
// and what is written reads back as the same criteria.
#include "select/filter_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir folder;
    const QString path = folder.path() + "/IN.FLT";
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    selection::QueryVars vars;
    const bool complete = bool(selection::RestoreFilterFrom(path, vars));
    // A short file still leaves the lines read before; they must build as well.
    vars.tagged = size > 0 && data[0] & 1;
    const QString query = selection::BuildQueryString(vars, "ID");
    if (vars.tagged && !query.endsWith("(UPPER(TAG)=\"ID\")"))
        std::abort();
    selection::FilterNameForSave(vars.values[0]);
    selection::FilterNameForRestore(vars.values[1]);
    if (!complete)
        return 0;

    const QString copy = folder.path() + "/OUT.FLT";
    if (!selection::SaveFilterTo(copy, vars))
        std::abort();
    selection::QueryVars back;
    back.tagged = vars.tagged;
    if (!selection::RestoreFilterFrom(copy, back) || back != vars)
        std::abort();
    return 0;
}
