// The command buttons of the direct editor open the dialog of their command.
#include "editors/editor_commands.h"

#include <gtest/gtest.h>

namespace orv::editors {
namespace {

TEST(EditorCommands, EachButtonOpensItsDialogInItsMode) {
    ASSERT_EQ(editorCommands().size(), 34u);
    for (const EditorCommand& c : editorCommands()) {
        const auto model = makeCommandDialog(c);
        ASSERT_NE(model, nullptr) << c.caption;
        EXPECT_EQ(model->typeName(), c.dialog);
        EXPECT_TRUE(model->isNewCommand());
        if (!c.mode.empty()) {
            EXPECT_EQ(model->get("mode"), c.mode) << c.caption;
        }
    }
    EXPECT_EQ(makeCommandDialog(*findEditorCommand("TIME"))->caption(), "Times");
    EXPECT_EQ(makeCommandDialog(*findEditorCommand("FTP"))->get("url"), "ftp://");
    EXPECT_EQ(findEditorCommand("NOPE"), nullptr);
}

}  // namespace
}  // namespace orv::editors
