#pragma once

#include "dialogs/dialog_model.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_dialog_queries.h"
#include "platform/fake/fake_user_prompt.h"
#include "store/app_settings.h"

namespace orv::test {

// The fakes a dialog's checks may ask, sharing one transcript, with a few files and folders
// that exist and "today" set to 10 June 2026.
struct DialogFixture {
    fake::Transcript transcript;
    fake::FakeDialogFiles files{transcript};
    fake::FakeDesktopQueries desktop{transcript};
    fake::FakeUserPrompt prompt{transcript};
    fake::FakeClock clock{LocalTime{2026, 6, 10, 9, 30, 0, 0, 3}};
    TAppSettings settings;
    dialogs::DialogEnv env{&files, &desktop, &prompt, &settings, &clock};

    DialogFixture() {
        for (const char* f : {"/data/notes.txt", "/data/pic.bmp", "/data/ding.wav", "/data/clip.avi", "/data/other.ORV",
                              "/usr/bin/editor.EXE"})
            files.addFile(f);
        files.addFolder("/data");
        files.addFolder("/data/");
        desktop.printerList = {"Laser 1", "Ink Jet"};
        desktop.phoneBook = {"Office", "Home"};
        desktop.modes = {{640, 480, 8, 60}, {1024, 768, 16, 75}};
    }
};

}  // namespace orv::test
