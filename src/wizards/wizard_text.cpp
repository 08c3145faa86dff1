// The macro text each wizard writes from its answers.
#include <array>
#include <functional>

#include "engine/date_time_formats.h"
#include "engine/password_substitution.h"
#include "wizards/wizard_flow.h"
#include "wizards/wizard_numbers.h"

namespace orv::wiz {

namespace {

struct In {
    const WizardAnswers& a;
    IDialogFiles* files;

    std::string t(std::string_view name) const { return a.trimmed(name); }
    int i(std::string_view name) const { return a.index(name); }
    // A number field already checked by its screen (0 when it holds none).
    long n(std::string_view name) const { return wholeNumber(a.get(name)).value_or(0); }
    std::string shortPath(std::string_view name) const {
        const std::string path = a.trimmed(name);
        return files ? files->shortPath(path) : path;
    }
};

template <std::size_t N>
std::string pick(const std::array<const char*, N>& tags, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= N) return {};
    return tags[static_cast<std::size_t>(index)];
}

template <std::size_t N>
std::string format(const std::array<std::string_view, N>& codes, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= N) return {};
    return std::string(codes[static_cast<std::size_t>(index)]);
}

std::string pasteText(const In& in) {
    switch (in.i("pasteKind")) {
        case 1:
            return "<CLIPF:" + in.t("pastePath") + "><CLIPP>";
        case 2:
            return "<CLIPB:" + in.t("pastePath") + "><CLIPP>";
        default:
            return "<BEGCLIP>" + in.a.get("pasteText") + "<ENDCLIP><CLIPP>";
    }
}

std::string launchText(const In& in) {
    const int kind = in.i("launchKind");
    if (kind == 1) return "<LAUNCH:" + in.shortPath("document") + ">";
    if (kind == 2) return "<ACTIVATE:" + in.t("winTitle") + ">";
    std::string text = in.a.flag("chdir") ? "<CHDIR:" + in.t("chdirFolder") + ">" : "";
    if (kind == 3) text += "<LAUNCHYES:01" + in.t("winTitle");
    if (kind == 4) text += "<LAUNCHNO:01" + in.t("winTitle");
    const std::string program = in.i("progBy") == 0 ? in.shortPath("progPath") : in.a.get("progListed");
    return text + "<LAUNCH:" + program + ">";
}

std::string dateTimeText(const In& in) {
    const int which = in.i("dateOrTime");  // 0 date, 1 time, 2 both
    std::string date;
    if (which != 1) {
        static constexpr std::array<const char*, 3> kFixed = {"F000", "F001", "P001"};
        const int when = in.i("dayWhen");
        const std::string offset = when < 3 ? kFixed[static_cast<std::size_t>(when < 0 ? 0 : when)]
                                            : (when == 3 ? "P" : "F") + padded(in.n("dayCount"), 3);
        date = "<" + format(kDateFormats, in.i("dateFormat")) + "{N" + offset + "}>";
    }
    if (which == 0) return date;
    const std::string time = "<" + format(kTimeFormats, in.i("timeFormat")) + "{N}>";
    return which == 1 ? time : date + " " + time;
}

std::string logonText(const In& in) {
    if (in.a.flag("defaultLogon")) return "<NAME:><PASS:>";
    return "<NAME:" + in.t("logonName") + "><PASS:" + substitutePassword(in.a.get("logonPassword")) + ">";
}

std::string networkText(const In& in) {
    const bool permanent = in.a.flag("permanent");
    const std::string status = in.a.flag("showStatus") ? "S:" : ":";
    const std::string drive = in.a.get("drive");
    switch (in.i("netAction")) {
        case 0:
            return (permanent ? "<NWCP" : "<NWC") + status + logonText(in) + drive + in.t("netPath") + ">";
        case 1: {
            const bool force = in.a.flag("force");
            const std::string head = permanent ? (force ? "<NWDPF" : "<NWDP") : (force ? "<NWDF" : "<NWD");
            return head + status + drive + ">";
        }
        default:
            return (permanent ? "<NWTP" : "<NWT") + status + logonText(in) + drive + in.t("netPath") + ">";
    }
}

std::string reminderText(const In& in) {
    std::string text;
    if (in.i("notify") == 0) text = "<BEEP>";
    if (in.i("notify") == 1) text = "<WAV1:" + in.t("reminderWave") + ">";
    text += "<TBOX:<HEAD:Reminder>" + in.a.get("reminder") + ">";
    if (in.a.flag("deleteAfter")) text += "<MACDEL:" + in.t("nickname").substr(0, TMacroRecord::kNickName) + ">";
    return text;
}

std::string fileText(const In& in) {
    const std::string path = in.t("filePath");
    switch (in.i("fileAction")) {
        case 0:
            return "<CHDIR:" + path + ">";
        case 1:
            return "<MKDIR:" + path + ">";
        case 2:
            return "<COPYFILE:" + path + ";" + in.t("newName") + ">";
        case 3:
            return "<RENFILE:" + path + ";" + in.t("newName") + ">";
        default:
            return "<DELFILE:" + path + ">";
    }
}

std::string dialText(const In& in) {
    if (in.i("dialAction") == 1) return "<HANG>";
    return "<DIAL:<NAME:" + in.t("dialUser") + "><PASS:" + substitutePassword(in.a.get("dialPassword")) + ">" +
           in.a.get("phoneEntry") + ">";
}

std::string cdText(const In& in) {
    static constexpr std::array<const char*, 8> kTags = {"<CDPLAY>", "<CDSTOP>", "<CDPAUSE>", "<CDNEXT>",
                                                         "<CDPREV>", "",         "<CDEJECT>", "<CDCLOSE>"};
    if (in.i("cd") == 5) return "<CDGOTO:" + padded(in.n("track"), 2) + ">";
    return pick(kTags, in.i("cd"));
}

std::string soundText(const In& in) {
    static constexpr std::array<const char*, 12> kAudio = {"<AUDOFF>",  "<AUDON>",    "<AUDUP>",    "<AUDDOWN>",
                                                           "<AUDMUTE>", "<AUDLEFT>",  "<AUDRIGHT>", "<AUDCENTER>",
                                                           "<TREBUP>",  "<TREBDOWN>", "<BASSUP>",   "<BASSDOWN>"};
    static constexpr std::array<const char*, 8> kMidi = {"<MIDIOFF>",  "<MIDION>",   "<MIDIUP>",    "<MIDIDOWN>",
                                                         "<MIDIMUTE>", "<MIDILEFT>", "<MIDIRIGHT>", "<MIDICENTER>"};
    switch (in.i("soundKind")) {
        case 1:
            return pick(kAudio, in.i("audio"));
        case 2:
            return pick(kMidi, in.i("midi"));
        default:
            return (in.a.flag("wavWait") ? "<WAV1:" : "<WAV2:") + in.shortPath("wav") + ">";
    }
}

std::string wallpaperText(const In& in) {
    static constexpr std::array<const char*, 3> kHeads = {"<WALLT:", "<WALLS:", "<WALLC:"};
    if (in.i("wallStyle") == 3)
        return "<WALLP:" + padded(in.n("wallLeft"), 4) + "," + padded(in.n("wallTop"), 4) + in.t("bitmap") + ">";
    return pick(kHeads, in.i("wallStyle")) + in.t("bitmap") + ">";
}

const std::string kCurrentWindow = "\"CURRENT\"";

std::string sizeText(const In& in) {
    const int kind = in.i("moveKind");
    const std::string window = (kind == 0 || kind == 2) ? kCurrentWindow : in.t("winTitle");
    const long first = in.n("first");
    const long second = in.n("second");
    if (kind >= 2) return "<WSIZE:" + padded(first, 4) + "," + padded(second, 4) + window + ">";
    return "<WPOS:" + padded(second, 4) + "," + padded(first, 4) + window + ">";
}

std::string windowText(const In& in) {
    static constexpr std::array<const char*, 4> kHeads = {"<WMAX:", "<WMIN:", "<WRES:", "<WCLS:"};
    const std::string window = in.i("whichWindow") == 1 ? in.t("chosenTitle") : kCurrentWindow;
    return pick(kHeads, in.i("winAction")) + window + ">";
}

std::string exploreText(const In& in) {
    static constexpr std::array<const char*, 14> kSpecial = {"<EXPCP>", "<EXPDT>", "<EXPDP>", "<EXPFV>", "<EXPFT>",
                                                             "<EXPMC>", "<EXPNW>", "<EXPPR>", "<EXPPF>", "<EXPRD>",
                                                             "<EXPRB>", "<EXPSM>", "<EXPSU>", "<EXPUD>"};
    if (in.i("folderKind") == 1) return pick(kSpecial, in.i("specialFolder"));
    return "<EXPLORE:" + in.t("folder") + ">";
}

std::string saverText(const In& in) {
    switch (in.i("saver")) {
        case 0:
            return "<SSON>";
        case 1:
            return "<SSOFF>";
        default:
            return "<SSTIME:" + padded(in.n("saverMinutes"), 2) + ">";
    }
}

std::string combinedText(const In& in) {
    std::string text;
    for (const std::string& nick : lineList(in.a.get("combined"))) text += "<MACRUN:" + nick + ">";
    return text;
}

using Builder = std::function<std::string(const In&)>;

const std::array<Builder, kWizardCount>& builders() {
    static const std::array<Builder, kWizardCount> table = {
        [](const In& in) { return in.a.get("typeText"); },  // 1
        pasteText,
        [](const In& in) { return std::string(1, static_cast<char>(128 + in.i("symbol"))); },
        launchText,
        [](const In& in) { return (in.i("webKind") == 1 ? "<FTP:" : "<HTTP:") + in.t("url") + ">"; },
        dateTimeText,
        [](const In&) { return std::string(); },  // 7: the capture writes the text
        networkText,
        [](const In& in) {
            static constexpr std::array<const char*, 4> kTags = {"<LOGOFF>", "<REBOOT>", "<SHUTDOWN>", "<POWEROFF>"};
            return pick(kTags, in.i("reboot"));
        },
        reminderText,  // 10
        fileText,
        dialText,
        [](const In& in) { return "<SCREEN:" + padded(in.i("displayMode"), 3) + ">"; },
        [](const In& in) { return "<DEFPRT:" + in.a.get("printer") + ">"; },
        cdText,  // 15
        [](const In& in) {
            static constexpr std::array<const char*, 3> kHeads = {"<AVII:", "<AVIE:", "<AVI:"};
            return pick(kHeads, in.i("aviMode")) + in.t("avi") + ">";
        },
        soundText,
        [](const In& in) { return sweepstakesText(in.a.get("recorded")); },
        wallpaperText,
        sizeText,  // 20
        windowText,
        exploreText,
        [](const In& in) {
            static constexpr std::array<const char*, 7> kTags = {"<CASCDESK>", "<TILVDESK>", "<TILHDESK>", "<MINIDESK>",
                                                                 "<RESTDESK>", "<UNDOCK>",   "<SUSPEND>"};
            return pick(kTags, in.i("desktop"));
        },
        saverText,
        [](const In&) { return std::string(); },  // 25: a menu keeps macro numbers instead
        combinedText,
        [](const In& in) { return in.a.get("commandText"); },
        [](const In&) { return std::string(); },  // 28 makes no macro
    };
    return table;
}

}  // namespace

std::string macroText(int wizard, const WizardAnswers& answers, IDialogFiles* files) {
    if (wizard < 1 || wizard > kWizardCount) return {};
    return builders()[static_cast<std::size_t>(wizard - 1)](In{answers, files});
}

std::string sweepstakesText(const std::string& recorded) { return "<SPKEY:0050>" + recorded + "<SPACE>"; }

}  // namespace orv::wiz
