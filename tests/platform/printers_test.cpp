#include "platform/printers.h"
#include "platform/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace {

const QString NoPrinters =
    "There are no installed printers.\r\nUnable to perform printer related operations";
const QString NoDefault =
    "There is no default printer selected.\r\nUnable to perform printer related operations";

TEST(CheckPrinters, MessagesForMissingPrintersAndDefault) {
    const struct {
        bool anyPrinter;
        QString defaultName;
        QString defaultAfterReselect;
        bool expected;
        QStringList messages;
        int reselects;
    } cases[] = {
        {false, "", "", false, {NoPrinters}, 0},
        {true, "", "", false, {NoDefault}, 1},
        {true, "", "Office", true, {}, 1}, // selecting the printer again fixes the default
        {true, "Office", "", true, {}, 0},
    };
    for (const auto& c : cases) {
        platform::ScriptedDialogs dialogs;
        platform::FakePrinters printers;
        if (c.anyPrinter)
            printers.printers.append({"Office", "/dev/usb/lp0", false});
        printers.defaultName = c.defaultName;
        printers.defaultAfterReselect = c.defaultAfterReselect;
        EXPECT_EQ(platform::CheckPrinters(), c.expected);
        EXPECT_EQ(dialogs.messageTexts(), c.messages);
        EXPECT_EQ(printers.reselectCount, c.reselects);
    }
}

TEST(SystemPrinters, PdfPrinterIsAlwaysPresentAndDefaultsWithoutSystemDefault) {
    platform::SystemPrinters system;
    const QList<platform::PrinterEntry> list = system.installed();
    ASSERT_FALSE(list.isEmpty());
    EXPECT_EQ(list.last().name, platform::PdfPrinterName);
    EXPECT_TRUE(list.last().isPdf);
    EXPECT_FALSE(system.defaultPrinter().isEmpty());
}

} // namespace
