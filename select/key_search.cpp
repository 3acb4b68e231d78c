#include "select/key_search.h"

#include "data/table_object.h"
#include "data/xb_engine.h"
#include "data/xb_env.h"

namespace selection {

bool KeySearch(data::TTable& table, data::TXbEngine& engine, const QString& text) {
    if (text.isEmpty() || !table.active())
        return false;
    data::TXbEnv& env = data::TXbEnv::instance();
    const bool softSeek = env.SoftSeek;
    env.Exact = false;
    env.SoftSeek = true;
    table.applySettings();
    bool found = false;
    try {
        const unsigned remembered = engine.recNo();
        found = engine.seek(text.toUpper());
        if (!found && remembered > 0 && remembered <= engine.recCount())
            engine.go(remembered);
    } catch (const std::exception&) {
    }
    env.SoftSeek = softSeek;
    table.applySettings();
    return found;
}

} // namespace selection
