#pragma once

#include "platform/fake/fake_cd_audio.h"
#include "platform/fake/fake_desktop_settings.h"
#include "platform/fake/fake_desktop_shell.h"
#include "platform/fake/fake_dialup.h"
#include "platform/fake/fake_media_player.h"
#include "platform/fake/fake_mixer.h"
#include "platform/fake/fake_mouse_input.h"
#include "platform/fake/fake_network_drives.h"
#include "platform/fake/fake_process_list.h"
#include "platform/fake/fake_window_system.h"

namespace orv::fake {

// Every fake of the desktop that playback's window, wait, mouse and system commands use,
// recording into one transcript.
struct FakeDesktop {
    explicit FakeDesktop(Transcript& t)
        : windows(t), processes(t), mouse(t), settings(t), shell(t), network(t), dialup(t), mixer(t), cd(t), media(t) {}

    FakeWindowSystem windows;
    FakeProcessList processes;
    FakeMouseInput mouse;
    FakeDesktopSettings settings;
    FakeDesktopShell shell;
    FakeNetworkDrives network;
    FakeDialUp dialup;
    FakeMixer mixer;
    FakeCdAudio cd;
    FakeMediaPlayer media;
};

}  // namespace orv::fake
