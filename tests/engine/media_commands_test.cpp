#include <gtest/gtest.h>

#include "engine/desktop_rig.h"

namespace orv::test {
namespace {

// The "mixer set" lines of a transcript.
Lines mixerSets(const Lines& lines) { return linesStarting(lines, "mixer set"); }

TEST(MixerCommands, StepArithmeticFollowsTheRange) {
    const struct {
        const char* text;
        MixerControl control;
        MixerRange range;
        ChannelValues before;
        Lines sets;
    } cases[] = {
        {"<AUDUP>", MixerControl::WaveVolume, {0, 65535}, {100, 100}, {"mixer set wave-volume 3376 3376"}},
        {"<AUDUP>", MixerControl::WaveVolume, {0, 65535}, {65000, 100}, {"mixer set wave-volume 65535 3376"}},
        {"<AUDUP>", MixerControl::WaveVolume, {0, 65535}, {65535, 100}, {}},  // one channel at the top
        {"<AUDDOWN>", MixerControl::WaveVolume, {0, 65535}, {100, 5000}, {"mixer set wave-volume 0 1724"}},
        {"<AUDDOWN>", MixerControl::WaveVolume, {0, 65535}, {0, 5000}, {}},
        {"<AUDLEFT>", MixerControl::WaveVolume, {0, 65535}, {100, 300}, {"mixer set wave-volume 300 300"}},
        {"<AUDLEFT>", MixerControl::WaveVolume, {0, 65535}, {300, 5000}, {"mixer set wave-volume 3576 5000"}},
        {"<AUDLEFT>", MixerControl::WaveVolume, {0, 65535}, {300, 300}, {"mixer set wave-volume 300 0"}},
        {"<AUDRIGHT>", MixerControl::WaveVolume, {0, 65535}, {300, 100}, {"mixer set wave-volume 300 300"}},
        {"<AUDRIGHT>", MixerControl::WaveVolume, {0, 65535}, {4000, 5000}, {"mixer set wave-volume 724 5000"}},
        {"<AUDCENTER>", MixerControl::WaveVolume, {0, 65535}, {10, 900}, {"mixer set wave-volume 900 900"}},
        {"<AUDOFF>", MixerControl::WaveVolume, {5, 50}, {10, 20}, {"mixer set wave-volume 5 5"}},
        {"<AUDON>", MixerControl::WaveVolume, {5, 50}, {10, 20}, {"mixer set wave-volume 50 50"}},
        {"<MIDIUP>", MixerControl::MidiVolume, {0, 10}, {3, 4}, {"mixer set midi-volume 4 5"}},  // step at least 1
        {"<MIDIDOWN>", MixerControl::MidiVolume, {0, 100}, {3, 4}, {"mixer set midi-volume 0 0"}},
        {"<MIDILEFT>", MixerControl::MidiVolume, {0, 100}, {3, 4}, {"mixer set midi-volume 4 4"}},
        {"<MIDIRIGHT>", MixerControl::MidiVolume, {0, 100}, {3, 4}, {"mixer set midi-volume 0 4"}},
        {"<MIDICENTER>", MixerControl::MidiVolume, {0, 100}, {3, 4}, {"mixer set midi-volume 4 4"}},
        {"<MIDIOFF>", MixerControl::MidiVolume, {0, 100}, {3, 4}, {"mixer set midi-volume 0 0"}},
        {"<MIDION>", MixerControl::MidiVolume, {0, 100}, {3, 4}, {"mixer set midi-volume 100 100"}},
        {"<TREBUP>", MixerControl::Treble, {-100, 100}, {95, 0}, {"mixer set treble 100 100"}},
        {"<TREBUP>", MixerControl::Treble, {-100, 100}, {100, 0}, {}},
        {"<TREBDOWN>", MixerControl::Treble, {-100, 100}, {0, 50}, {"mixer set treble -10 -10"}},
        {"<BASSUP>", MixerControl::Bass, {0, 65535}, {0, 9}, {"mixer set bass 3276 3276"}},
        {"<BASSDOWN>", MixerControl::Bass, {0, 65535}, {0, 9}, {}},
    };
    for (const auto& c : cases) {
        DesktopRig rig;
        rig.desktop.mixer.setControl(c.control, c.range, c.before);
        const Lines lines = rig.play(c.text);
        EXPECT_EQ(mixerSets(lines), c.sets) << c.text << " " << c.before.left << "," << c.before.right;
        EXPECT_TRUE(messages(lines).empty()) << c.text;
    }
    EXPECT_EQ(mixerStep({0, 65535}), 3276);
    EXPECT_EQ(mixerStep({0, 19}), 1);
}

TEST(MixerCommands, MuteAlternatesAndEachMemoryIsItsOwn) {
    DesktopRig rig;
    rig.desktop.mixer.setControl(MixerControl::WaveMute, {0, 1}, {0, 0});
    rig.desktop.mixer.setControl(MixerControl::MidiMute, {0, 1}, {0, 0});
    const Lines lines = rig.play("<AUDMUTE><AUDMUTE><MIDIMUTE><AUDMUTE>");
    EXPECT_EQ(mixerSets(lines), (Lines{"mixer set wave-mute 1 1", "mixer set wave-mute 0 0", "mixer set midi-mute 1 1",
                                       "mixer set wave-mute 1 1"}));
    EXPECT_EQ(rig.desktop.mixer.openCount(), 1);  // opened once, then kept
    EXPECT_EQ(linesStarting(lines, "mixer open"), (Lines{"mixer open -> ok"}));
}

TEST(MixerCommands, MissingControlsNameTheirKind) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"<AUDUP>", "Audio volume control is not supported by your Audio Device."},
        {"<AUDMUTE>", "Audio volume control is not supported by your Audio Device."},
        {"<MIDIOFF>", "MIDI volume control is not supported by your Audio Device."},
        {"<MIDIMUTE>", "MIDI volume control is not supported by your Audio Device."},
        {"<TREBUP>", "Treble volume control is not supported by your Audio Device."},
        {"<BASSDOWN>", "Bass volume control is not supported by your Audio Device."},
    };
    for (const auto& c : cases) {
        DesktopRig rig;
        const Lines lines = rig.play(std::string(c.text) + "x");
        EXPECT_EQ(messages(lines), (Lines{messageLine("Macro Error", c.message)})) << c.text;
        EXPECT_TRUE(hasLine(lines, "key down 88")) << c.text;
    }
    DesktopRig noMixer;
    noMixer.desktop.mixer.setOpenable(false);
    EXPECT_EQ(messages(noMixer.play("<AUDON>")),
              (Lines{messageLine("Macro Error", "Audio volume control is not supported by your Audio Device.")}));
}

TEST(CdCommands, SteppingStaysOnTheDisc) {
    const std::vector<int> lengths = {200, 65, 300};  // seconds per track
    auto lengthOf = [&](int track) { return static_cast<long long>(lengths[static_cast<std::size_t>(track - 1)]); };
    const struct {
        CdPosition from;
        int seconds;
        CdPosition to;
    } cases[] = {
        {{1, 0, 30, 5}, 20, {1, 0, 50, 0}},  {{1, 0, 50, 0}, 15, {1, 1, 5, 0}},  // one carry
        {{1, 0, 59, 0}, 99, {1, 2, 38, 0}},                                      // two carries
        {{1, 3, 10, 0}, 20, {2, 0, 10, 0}},  // past the track's end: into the next track
        {{2, 1, 0, 0}, 99, {3, 1, 34, 0}},   {{3, 4, 50, 0}, 99, {3, 5, 0, 0}},  // past the last track: its end
        {{2, 0, 10, 0}, -20, {1, 3, 10, 0}},  // before the track's start: into the previous one
        {{1, 0, 10, 0}, -20, {1, 0, 0, 0}},   // before the first track: 1 at 0:00
        {{3, 1, 5, 0}, -65, {3, 0, 0, 0}},   {{3, 0, 0, 0}, -99, {1, 2, 46, 0}},  // through the whole of track 2
    };
    for (const auto& c : cases) {
        const CdPosition to = stepCdPosition(c.from, c.seconds, 3, lengthOf);
        EXPECT_EQ(to, c.to) << c.from.track << " " << c.from.minute << ":" << c.from.second << " " << c.seconds;
    }
    EXPECT_EQ(stepCdPosition(CdPosition{5, 0, 0, 0}, 10, 0, lengthOf), (CdPosition{1, 0, 0, 0}));
}

TEST(CdCommands, CommandsOpenTheDriveOnceAndPlay) {
    DesktopRig rig;
    rig.desktop.cd.setTracks({{3, 20}, {1, 5}, {5, 0}});
    rig.desktop.cd.setPosition({1, 3, 10, 0});
    const Lines lines = rig.play(
        "<CDPLAY><CDSTEP:20><CDBACK:15><CDGOTO:03><CDGOTO:09><CDGOTO:xx><CDPAUSE><CDSTOP>"
        "<CDNEXT><CDPREV><CDEJECT><CDCLOSE><CDSTEP:5x");
    EXPECT_EQ(linesStarting(lines, "cd open"), (Lines{"cd open -> D:"}));
    EXPECT_EQ(rig.systemCommands.media().cdDrive, 'D');
    EXPECT_EQ(linesStarting(lines, "cd play"),
              (Lines{"cd play", "cd play-from 2 0:10.0", "cd play-from 1 3:15.0", "cd play-from 3 0:00.0"}));
    for (const char* l : {"cd pause", "cd stop", "cd next", "cd previous", "cd door open", "cd door close"})
        EXPECT_TRUE(hasLine(lines, l)) << l;
    EXPECT_EQ(linesStarting(lines, "key down").size(), typed("<CDSTEP:5x").size() / 2);

    DesktopRig noDrive;
    noDrive.desktop.cd.setDrive(0);
    EXPECT_EQ(noDrive.play("<CDPLAY><CDEJECT>"), (Lines{"cd open -> none", "cd open -> none"}));
}

TEST(MediaCommands, ClipsAndSounds) {
    DesktopRig rig;
    EXPECT_EQ(rig.play("<AVI:a.avi><AVII:b.avi><AVIE:c.avi><WAV1:d.wav><WAV2:e.wav><BEEP>"),
              (Lines{"video open -> no", "video play \"a.avi\" start=user", "video open -> no",
                     "video play \"b.avi\" start=now", "video open -> no", "video play \"c.avi\" start=play-and-close",
                     "sound play \"d.wav\" wait=yes -> ok", "sound play \"e.wav\" wait=no -> ok", "beep"}));
    rig.desktop.media.setVideoPlayerOpen(true);
    EXPECT_EQ(messages(rig.play("<AVI:a.avi>")), (Lines{messageLine("Error", "AVI Player currently in use.")}));
    rig.desktop.media.setUnplayable("gone.wav");
    EXPECT_TRUE(messages(rig.play("<WAV1:gone.wav>")).empty());  // no message, no default sound
}

}  // namespace
}  // namespace orv::test
