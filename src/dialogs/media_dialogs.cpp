#include "dialogs/media_dialogs.h"

#include "dialogs/dialog_text.h"
#include "engine/command_table.h"

namespace orv::dialogs {

namespace {

const std::vector<std::string> kAviKinds = {"immediate", "immediateexit", "wait"};
constexpr CommandId kAviTags[] = {CommandId::Avii, CommandId::Avie, CommandId::Avi};

const std::vector<std::string> kCdKinds = {"play", "stop", "pause", "next",  "previous",
                                           "goto", "step", "back",  "eject", "close"};
constexpr CommandId kCdTags[] = {CommandId::Cdplay,  CommandId::Cdstop, CommandId::Cdpause, CommandId::Cdnext,
                                 CommandId::Cdprev,  CommandId::Cdgoto, CommandId::Cdstep,  CommandId::Cdback,
                                 CommandId::Cdeject, CommandId::Cdclose};

constexpr CommandId kVolumeTags[] = {
    CommandId::Audoff,     CommandId::Audon,    CommandId::Audup,     CommandId::Auddown,  CommandId::Audmute,
    CommandId::Audleft,    CommandId::Audright, CommandId::Audcenter, CommandId::Midioff,  CommandId::Midion,
    CommandId::Midiup,     CommandId::Mididown, CommandId::Midimute,  CommandId::Midileft, CommandId::Midiright,
    CommandId::Midicenter, CommandId::Trebup,   CommandId::Trebdown,  CommandId::Bassup,   CommandId::Bassdown};

// The volume choices are named by their tags without the brackets, in lower case.
std::vector<std::string> volumeChoices() {
    std::vector<std::string> out;
    for (CommandId id : kVolumeTags) {
        const std::string_view tag = tagOf(id);
        std::string name(tag.substr(1, tag.size() - 2));
        for (char& c : name) c = static_cast<char>(c - 'A' + 'a');
        out.push_back(name);
    }
    return out;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
TDoSound::TDoSound()
    : ValuesDialog({
          choiceField("mode", "command", {"command", "alarm"}, true),
          choiceField("kind", "beep", {"beep", "wave"}),
          textField("file", "", 255),
          checkField("wait", "0"),
      }) {
    overflowField_ = "file";
}

void TDoSound::show(const DialogEnv& env) {
    // The alarm mode shows the scheduler's current sound.
    if (get("mode") != "alarm" || env.settings == nullptr) return;
    set("kind", env.settings->UseWaveFile ? "wave" : "beep");
    set("file", env.settings->WaveFile);
    setFlag("wait", env.settings->WaveFileWait);
}

void TDoSound::load(const Values& v) {
    set("kind", v.kind == Wave ? "wave" : "beep");
    set("file", v.path);
    setFlag("wait", v.wait);
}

Outcome TDoSound::doCheck(const DialogEnv& env) {
    Values v;
    v.kind = choiceIndex("kind") + 1;
    v.wait = flag("wait");
    if (v.kind == Wave) {
        v.path = text("file");
        if (env.files == nullptr || v.path.empty() || !env.files->fileExists(v.path))
            return Outcome::fail("file", "Specified WAV File does not exist.  Please correct.");
        if (const char c = firstOf(v.path, ">")) return Outcome::fail("file", forbiddenCharMessage(c));
    }
    values_ = v;
    if (get("mode") == "alarm") {
        // A beep as the alarm means that no wave file is played before timed macros.
        if (env.settings != nullptr) {
            env.settings->UseWaveFile = v.kind == Wave;
            if (v.kind == Wave) env.settings->WaveFile = v.path;
            env.settings->WaveFileWait = v.wait;
        }
        return Outcome::ok("");
    }
    if (v.kind == Beep) return Outcome::ok(composeTag(CommandId::Beep));
    return Outcome::ok(composeTag(v.wait ? CommandId::Wav1 : CommandId::Wav2, {}, v.path));
}

std::vector<std::pair<std::string, std::string>> TDoSound::results() const {
    return {{"kind", std::to_string(values_.kind)}, {"path", values_.path}, {"wait", values_.wait ? "1" : "0"}};
}

// ---------------------------------------------------------------------------------------------
TDoAVI::TDoAVI() : ValuesDialog({choiceField("kind", "immediate", kAviKinds), textField("file", "", 255)}) {
    overflowField_ = "file";
}

void TDoAVI::load(const Values& v) {
    if (v.kind >= Immediate && v.kind <= WaitToPlay) set("kind", kAviKinds[static_cast<std::size_t>(v.kind - 1)]);
    set("file", v.path);
}

Outcome TDoAVI::doCheck(const DialogEnv& env) {
    Values v;
    v.kind = choiceIndex("kind") + 1;
    v.path = text("file");
    if (env.files == nullptr || v.path.empty() || !env.files->fileExists(v.path))
        return Outcome::fail("file", "Specified AVI File does not exist.  Please correct.");
    if (const char c = firstOf(v.path, ">")) return Outcome::fail("file", forbiddenCharMessage(c));
    values_ = v;
    return Outcome::ok(composeTag(kAviTags[v.kind - 1], {}, env.files->shortPath(v.path)));
}

std::vector<std::pair<std::string, std::string>> TDoAVI::results() const {
    return {{"kind", std::to_string(values_.kind)}, {"path", values_.path}};
}

// ---------------------------------------------------------------------------------------------
TDoCDRom::TDoCDRom() : ValuesDialog({choiceField("kind", "play", kCdKinds), textField("number", "", 2)}) {
    overflowField_ = "number";
}

void TDoCDRom::load(const Values& v) {
    if (v.kind >= Play && v.kind <= Close) set("kind", kCdKinds[static_cast<std::size_t>(v.kind - 1)]);
    set("number", std::to_string(v.number));
}

Outcome TDoCDRom::doCheck(const DialogEnv&) {
    Values v;
    v.kind = choiceIndex("kind") + 1;
    if (v.kind == GoTo || v.kind == Step || v.kind == Back) {
        // Tracks and seconds fill two digits.
        const auto n = parseWhole(text("number"));
        if (!n || *n <= 0 || *n > 99)
            return Outcome::fail("number", v.kind == GoTo ? "Invalid track number specified.  Please correct."
                                                          : "Invalid seconds specified.  Please correct.");
        v.number = static_cast<int>(*n);
    }
    values_ = v;
    return Outcome::ok(composeTag(kCdTags[v.kind - 1], {v.number}));
}

std::vector<std::pair<std::string, std::string>> TDoCDRom::results() const {
    return {{"kind", std::to_string(values_.kind)}, {"number", std::to_string(values_.number)}};
}

// ---------------------------------------------------------------------------------------------
TDoVolume::TDoVolume() : ValuesDialog({choiceField("command", "audoff", volumeChoices())}) {}

void TDoVolume::load(const Values& v) {
    if (v.code >= 1 && v.code <= 20) set("command", volumeChoices()[static_cast<std::size_t>(v.code - 1)]);
}

Outcome TDoVolume::doCheck(const DialogEnv&) {
    values_.code = choiceIndex("command") + 1;
    return Outcome::ok(composeTag(kVolumeTags[static_cast<std::size_t>(values_.code - 1)]));
}

std::vector<std::pair<std::string, std::string>> TDoVolume::results() const {
    return {{"code", std::to_string(values_.code)}};
}

}  // namespace orv::dialogs
