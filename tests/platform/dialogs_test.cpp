#include "platform/dialogs.h"
#include "platform/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

TEST(DialogSeam, SharedMessageFunctionsUseTheConventionalShapes) {
    platform::ScriptedDialogs dialogs;
    dialogs.answerMessage(MessageAnswer::Yes);
    dialogs.answerMessage(MessageAnswer::No);

    platform::ShowInfo("Done");
    EXPECT_TRUE(platform::ConfirmYesNo("Delete it?", "DELETE"));
    EXPECT_FALSE(platform::ConfirmYesNoDefaultNo("Continue adding?", "Possible Duplicate"));
    // Unscripted questions get their default button.
    EXPECT_FALSE(platform::ConfirmYesNoDefaultNo("Overwrite?", "Warning!"));
    EXPECT_TRUE(platform::ConfirmToolkitYesNo("Cancel operation?"));

    const auto& m = dialogs.messages();
    ASSERT_EQ(m.size(), 5);
    EXPECT_EQ(m[0].caption, "Information");
    EXPECT_EQ(m[0].icon, MessageIcon::Information);
    EXPECT_EQ(m[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(m[1].caption, "DELETE");
    EXPECT_EQ(m[1].icon, MessageIcon::Question);
    EXPECT_EQ(m[1].buttons, MessageButtons::YesNo);
    EXPECT_EQ(m[1].defaultButton, MessageAnswer::Yes);
    EXPECT_EQ(m[2].defaultButton, MessageAnswer::No);
    EXPECT_EQ(m[4].caption, "Information");
    EXPECT_TRUE(m[4].toolkitDialog);
    EXPECT_EQ(dialogs.messageTexts(), (QStringList{"Done", "Delete it?", "Continue adding?",
                                                   "Overwrite?", "Cancel operation?"}));
}

TEST(DialogSeam, FileAndInputDialogsAreCancelledUnlessScripted) {
    platform::ScriptedDialogs dialogs;
    platform::FileRequest request;
    request.filter = "DBF Files|*.dbf";
    EXPECT_FALSE(platform::CurrentDialogs().fileName(request).has_value());
    dialogs.answerFile(QString("/tmp/a.dbf"));
    EXPECT_EQ(platform::CurrentDialogs().fileName(request), QString("/tmp/a.dbf"));
    EXPECT_EQ(dialogs.fileRequests().size(), 2);
    EXPECT_FALSE(platform::CurrentDialogs().input({"Search Memo", "Text", ""}).has_value());
}

TEST(DialogSeam, RemovingTheScriptRestoresThePreviousSeam) {
    platform::Dialogs* before = &platform::CurrentDialogs();
    {
        platform::ScriptedDialogs outer;
        {
            platform::ScriptedDialogs inner;
            EXPECT_EQ(&platform::CurrentDialogs(), &inner);
        }
        EXPECT_EQ(&platform::CurrentDialogs(), &outer);
    }
    EXPECT_EQ(&platform::CurrentDialogs(), before);
}

} // namespace
