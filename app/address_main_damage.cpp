// Damage the address file shows while it is used: said once per opened file, with the way to
// mend it, once the move that met it has ended; damage met before a rebuild is mended by it.
#include "app/address_main.h"

#include "platform/dialogs.h"

#include <QPlainTextEdit>

namespace {

const char* const UnreadableMemoHint =
    "This record's memo cannot be read: the memo file is damaged. Rebuilding the indexes of "
    "this file (File menu) mends the file and leaves this memo empty.";

} // namespace

void TAddressMain::NoteDamage(const QString& what) {
    if (damageReported_ || !pendingDamage_.isEmpty())
        return;
    pendingDamage_ = what;
    QMetaObject::invokeMethod(
        this, [this] { ReportDamage(); }, Qt::QueuedConnection);
}

void TAddressMain::ReportDamage() {
    const QString what = std::exchange(pendingDamage_, QString());
    if (what.isEmpty() || damageReported_ || !TableCVW.active())
        return;
    damageReported_ = true;
    platform::ShowInfo("The address file " + TableCVW.path() + " is damaged:\r\n" + what +
                       "\r\n\r\nRebuild its indexes (File menu, \"Rebuild Indexes for this "
                       "file\") to mend it; a memo that cannot be read is then left empty.");
}

void TAddressMain::forgetDamage(bool newFile) {
    pendingDamage_.clear();
    if (newFile)
        damageReported_ = false;
}

void TAddressMain::showMemoState() {
    MemoEdit->setPlaceholderText(TableCVW.memoUnreadable() ? UnreadableMemoHint : QString());
}
