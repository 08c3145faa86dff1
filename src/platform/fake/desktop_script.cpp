#include "platform/fake/desktop_script.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace orv::fake {

namespace {

// A token is a bare word, a "quoted text" (quotes removed) or key=value / key="quoted value".
struct Token {
    std::string key;  // for key=value, else empty
    std::string value;
};

bool tokenize(std::string_view line, std::vector<Token>& out, std::string& error) {
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
            continue;
        }
        Token t;
        // key= prefix
        std::size_t j = i;
        while (j < line.size() && line[j] != ' ' && line[j] != '\t' && line[j] != '=' && line[j] != '"') ++j;
        if (j < line.size() && line[j] == '=' && j > i) {
            t.key = std::string(line.substr(i, j - i));
            i = j + 1;
        }
        if (i < line.size() && line[i] == '"') {
            const std::size_t close = line.find('"', i + 1);
            if (close == std::string_view::npos) {
                error = "missing closing quote";
                return false;
            }
            t.value = std::string(line.substr(i + 1, close - i - 1));
            i = close + 1;
        } else {
            std::size_t end = i;
            while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '\r') ++end;
            t.value = std::string(line.substr(i, end - i));
            i = end;
        }
        out.push_back(std::move(t));
    }
    return true;
}

std::optional<long long> number(const std::string& s) {
    long long v = 0;
    const char* end = s.data() + s.size();
    const auto [p, ec] = std::from_chars(s.data(), end, v);
    if (ec != std::errc() || p != end) return std::nullopt;
    return v;
}

// "M:SS" as minutes and seconds.
bool minuteSecond(const std::string& s, int& minute, int& second) {
    const std::size_t colon = s.find(':');
    if (colon == std::string::npos) return false;
    const auto m = number(s.substr(0, colon));
    const auto sec = number(s.substr(colon + 1));
    if (!m || !sec || *m < 0 || *sec < 0 || *sec > 59 || *m > 99) return false;
    minute = static_cast<int>(*m);
    second = static_cast<int>(*sec);
    return true;
}

bool yesNo(const std::string& s, bool& out) {
    if (s == "yes")
        out = true;
    else if (s == "no")
        out = false;
    else
        return false;
    return true;
}

std::optional<MixerControl> mixerControl(const std::string& name) {
    for (int c = 0; c < 6; ++c) {
        const auto control = static_cast<MixerControl>(c);
        if (name == mixerControlName(control)) return control;
    }
    return std::nullopt;
}

class Parser {
public:
    Parser(const std::vector<Token>& t, std::string& error) : t_(t), error_(error) {}

    std::size_t size() const { return t_.size(); }
    const std::string& word(std::size_t i) const { return t_[i].value; }
    bool need(std::size_t count) {
        if (t_.size() >= count) return true;
        error_ = "too few values for \"" + t_[0].value + "\"";
        return false;
    }
    bool integer(std::size_t i, long long& out) {
        const auto v = number(t_[i].value);
        if (!v) {
            error_ = "\"" + t_[i].value + "\" is not a number";
            return false;
        }
        out = *v;
        return true;
    }
    template <typename T>
    bool integerAs(std::size_t i, T& out) {
        long long v = 0;
        if (!integer(i, v)) return false;
        out = static_cast<T>(v);
        return true;
    }
    const Token& token(std::size_t i) const { return t_[i]; }
    bool fail(std::string message) {
        error_ = std::move(message);
        return false;
    }

private:
    const std::vector<Token>& t_;
    std::string& error_;
};

// "window ID "TITLE" [pid=N] [minimized] [maximized] [hidden] [rect=L,T,R,B]"
bool parseWindow(Parser& p, FakeWindowSystem::Window& w) {
    if (!p.need(3) || !p.integerAs(1, w.id)) return false;
    if (w.id == 0) return p.fail("window id 0 is reserved for no window");
    w.title = p.word(2);
    for (std::size_t i = 3; i < p.size(); ++i) {
        const Token& t = p.token(i);
        if (t.key == "pid") {
            if (!p.integerAs(i, w.pid)) return false;
        } else if (t.key == "rect") {
            int v[4];
            std::string_view rest = t.value;
            for (int k = 0; k < 4; ++k) {
                const std::size_t comma = rest.find(',');
                const auto n = number(std::string(rest.substr(0, comma)));
                if (!n || (k < 3 && comma == std::string_view::npos)) return p.fail("rect wants L,T,R,B");
                v[k] = static_cast<int>(*n);
                rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
            }
            w.rect = {v[0], v[1], v[2], v[3]};
        } else if (t.key.empty() && t.value == "minimized") {
            w.minimized = true;
        } else if (t.key.empty() && t.value == "maximized") {
            w.maximized = true;
        } else if (t.key.empty() && t.value == "hidden") {
            w.hidden = true;
        } else {
            return p.fail("unknown window attribute \"" + t.value + "\"");
        }
    }
    return true;
}

bool parseProcess(Parser& p, ProcessInfo& process) {
    if (!p.need(3) || !p.integerAs(1, process.pid)) return false;
    process.name = p.word(2);
    return true;
}

// The desktop's screen, windows, processes, cursor and caret.
std::optional<bool> windowLine(Parser& p, FakeDesktop& d, DesktopScript& /*script*/) {
    const std::string& kw = p.word(0);
    long long a = 0, b = 0;
    if (kw == "screen") {
        if (!p.need(3) || !p.integer(1, a) || !p.integer(2, b)) return false;
        d.windows.setScreenSize({static_cast<int>(a), static_cast<int>(b)});
    } else if (kw == "window") {
        FakeWindowSystem::Window w;
        if (!parseWindow(p, w)) return false;
        d.windows.addWindow(w);
    } else if (kw == "foreground") {
        if (!p.need(2) || !p.integer(1, a)) return false;
        d.windows.setForeground(static_cast<WindowId>(a));
    } else if (kw == "process") {
        ProcessInfo process;
        if (!parseProcess(p, process)) return false;
        d.processes.addProcess(process);
    } else if (kw == "cursor" || kw == "caret") {
        if (!p.need(3) || !p.integer(1, a) || !p.integer(2, b)) return false;
        const ScreenPoint point{static_cast<int>(a), static_cast<int>(b)};
        if (kw == "cursor")
            d.mouse.setCursor(point);
        else
            d.mouse.setCaret(point);
    } else {
        return std::nullopt;
    }
    return true;
}

// Display modes, the screen saver and the printers.
std::optional<bool> settingsLine(Parser& p, FakeDesktop& d, DesktopScript& script) {
    const std::string& kw = p.word(0);
    long long a = 0, b = 0, c = 0, e = 0;
    if (kw == "display-mode") {
        if (!p.need(5) || !p.integer(1, a) || !p.integer(2, b) || !p.integer(3, c) || !p.integer(4, e)) return false;
        script.displayModes.push_back(
            {static_cast<int>(a), static_cast<int>(b), static_cast<int>(c), static_cast<int>(e)});
        d.settings.setDisplayModes(script.displayModes);
    } else if (kw == "display-result") {
        if (!p.need(3) || !p.integer(1, a) || !p.integer(2, b)) return false;
        d.settings.setDisplayResults(static_cast<int>(a), static_cast<int>(b));
    } else if (kw == "screensaver") {
        if (!p.need(2)) return false;
        if (p.word(1) != "active" && p.word(1) != "inactive") return p.fail("screensaver wants active or inactive");
        d.settings.setSaverActive(p.word(1) == "active");
    } else if (kw == "printer") {
        if (!p.need(2)) return false;
        PrinterInfo printer;
        printer.name = p.word(1);
        for (std::size_t i = 2; i < p.size(); ++i) {
            if (p.token(i).key == "driver")
                printer.driver = p.word(i);
            else if (p.token(i).key == "port")
                printer.port = p.word(i);
            else
                return p.fail("printer wants driver=... or port=...");
        }
        script.printers.push_back(printer);
        d.settings.setPrinters(script.printers);
    } else if (kw == "printer-devices") {
        if (!p.need(3)) return false;
        d.settings.setDevicesEntry(p.word(1), p.word(2));
    } else {
        return std::nullopt;
    }
    return true;
}

// The shell, program launches, network drives and dial-up.
std::optional<bool> serviceLine(Parser& p, FakeDesktop& d, DesktopScript& script) {
    const std::string& kw = p.word(0);
    long long a = 0;
    if (kw == "shell-automation" || kw == "shutdown-privilege" || kw == "dialup" || kw == "video-busy") {
        bool v = true;
        if (kw != "video-busy" && (!p.need(2) || !yesNo(p.word(1), v))) return p.fail(kw + " wants yes or no");
        if (kw == "shell-automation")
            d.shell.setAutomationAvailable(v);
        else if (kw == "shutdown-privilege")
            d.shell.setPrivilegeGranted(v);
        else if (kw == "dialup")
            d.dialup.setAvailable(v);
        else
            d.media.setVideoPlayerOpen(true);
    } else if (kw == "launch") {
        if (!p.need(3) || !p.integer(2, a)) return false;
        script.launchResults[p.word(1)] = static_cast<int>(a);
    } else if (kw == "net-drive") {
        if (!p.need(3)) return false;
        d.network.addConnected(p.word(1), p.word(2));
    } else if (kw == "net-connect" || kw == "net-disconnect") {
        if (!p.need(3) || !p.integer(2, a)) return false;
        if (kw == "net-connect")
            d.network.setConnectResult(p.word(1), static_cast<int>(a));
        else
            d.network.setDisconnectResult(p.word(1), static_cast<int>(a));
    } else if (kw == "net-list-fails") {
        d.network.setListFails(true);
    } else if (kw == "dial-result") {
        if (!p.need(2) || !p.integer(1, a)) return false;
        const bool halfOpen = p.size() > 2 && p.word(2) == "half-open";
        d.dialup.setDialResult(static_cast<int>(a), halfOpen);
    } else if (kw == "dial-connection") {
        if (!p.need(2) || !p.integer(1, a)) return false;
        d.dialup.addConnection(static_cast<DialConnection>(a));
    } else if (kw == "dial-list-fails") {
        d.dialup.setListFails(true);
    } else if (kw == "hangup-result") {
        if (!p.need(2) || !p.integer(1, a)) return false;
        d.dialup.setHangUpResult(static_cast<int>(a));
    } else {
        return std::nullopt;
    }
    return true;
}

// The mixer, the CD drive and sounds.
std::optional<bool> mediaLine(Parser& p, FakeDesktop& d, DesktopScript& script) {
    const std::string& kw = p.word(0);
    long long a = 0, b = 0, c = 0, e = 0;
    if (kw == "mixer") {
        if (!p.need(2)) return false;
        if (p.word(1) == "none") {
            d.mixer.setOpenable(false);
            return true;
        }
        const auto control = mixerControl(p.word(1));
        if (!control) return p.fail("unknown mixer control \"" + p.word(1) + "\"");
        if (!p.need(6) || !p.integer(2, a) || !p.integer(3, b) || !p.integer(4, c) || !p.integer(5, e)) return false;
        d.mixer.setControl(*control, {static_cast<int>(a), static_cast<int>(b)},
                           {static_cast<int>(c), static_cast<int>(e)});
    } else if (kw == "cd-drive") {
        if (!p.need(2)) return false;
        if (p.word(1) == "none")
            d.cd.setDrive(0);
        else if (p.word(1).size() == 1)
            d.cd.setDrive(p.word(1)[0]);
        else
            return p.fail("cd-drive wants a letter or none");
    } else if (kw == "cd-track") {
        CdLength length;
        if (!p.need(2) || !minuteSecond(p.word(1), length.minute, length.second)) return p.fail("cd-track wants M:SS");
        script.cdTracks.push_back(length);
        d.cd.setTracks(script.cdTracks);
    } else if (kw == "cd-position") {
        CdPosition pos;
        if (!p.need(3) || !p.integerAs(1, pos.track) || !minuteSecond(p.word(2), pos.minute, pos.second))
            return p.fail("cd-position wants TRACK M:SS");
        d.cd.setPosition(pos);
    } else if (kw == "sound-fails") {
        if (!p.need(2)) return false;
        d.media.setUnplayable(p.word(1));
    } else {
        return std::nullopt;
    }
    return true;
}

// One line of the desktop's state; false (with the error) when it is malformed.
bool staticLine(Parser& p, FakeDesktop& d, DesktopScript& script) {
    using Group = std::optional<bool> (*)(Parser&, FakeDesktop&, DesktopScript&);
    for (const Group group : {windowLine, settingsLine, serviceLine, mediaLine}) {
        if (const std::optional<bool> done = group(p, d, script)) return *done;
    }
    return p.fail("unknown keyword \"" + p.word(0) + "\"");
}
}  // namespace

bool applyTimedEvent(const TimedEvent& event, FakeDesktop& d, std::vector<HookMessage>& messages, std::string& error) {
    std::vector<Token> tokens;
    if (!tokenize(event.line, tokens, error)) return false;
    if (tokens.empty()) {
        error = "empty event";
        return false;
    }
    Parser p(tokens, error);
    const std::string& kw = p.word(0);
    long long a = 0;
    auto post = [&](HookMsg msg, std::int64_t w, std::int64_t l) {
        HookMessage m;
        m.msg = msg;
        m.wParam = w;
        m.lParam = l;
        messages.push_back(m);
    };
    if (kw == "foreground") {
        if (!p.need(2) || !p.integer(1, a)) return false;
        d.windows.setForeground(static_cast<WindowId>(a));
        post(HookMsg::WindowActivated, a, 0);
    } else if (kw == "window") {
        FakeWindowSystem::Window w;
        if (!parseWindow(p, w)) return false;
        d.windows.addWindow(w, /*onTop=*/true);
    } else if (kw == "close") {
        if (!p.need(2) || !p.integer(1, a)) return false;
        d.windows.removeWindow(static_cast<WindowId>(a));
    } else if (kw == "process") {
        ProcessInfo process;
        if (!parseProcess(p, process)) return false;
        d.processes.addProcess(process);
        post(HookMsg::ProcessesChanged, 0, 0);
    } else if (kw == "end-process") {
        if (!p.need(2) || !p.integer(1, a)) return false;
        d.processes.removeProcess(static_cast<std::int32_t>(a));
        post(HookMsg::ProcessesChanged, 0, 0);
    } else if (kw == "click") {
        if (!p.need(2)) return false;
        const std::string& b = p.word(1);
        const int button = b == "left" ? 1 : b == "right" ? 2 : b == "middle" ? 3 : 0;
        if (button == 0) return p.fail("click wants left, right or middle");
        post(HookMsg::WaitClick, button, 0);
    } else if (kw == "key") {
        if (!p.need(2) || !p.integer(1, a)) return false;
        post(HookMsg::WaitKey, a, 0);
    } else if (kw == "type") {
        if (!p.need(2)) return false;
        for (std::size_t i = 1; i < p.size(); ++i) {
            if (i > 1) post(HookMsg::WaitText, 0, ' ');
            for (const char ch : p.word(i)) post(HookMsg::WaitText, 0, static_cast<unsigned char>(ch));
        }
    } else if (kw == "backspace") {
        post(HookMsg::WaitText, 0, 8);
    } else if (kw == "reset-text") {
        post(HookMsg::WaitText, 1, 0);
    } else if (kw == "marker") {
        post(HookMsg::WaitMarker, 0, 0);
    } else if (kw == "abort") {
        post(HookMsg::Abort, 0, 0);
    } else {
        return p.fail("unknown event \"" + kw + "\"");
    }
    return true;
}

bool loadDesktopScript(std::string_view text, FakeDesktop& desktop, DesktopScript& script, std::string& error) {
    std::size_t lineNo = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNo;
        const std::size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string_view::npos || line[first] == '#') {
            if (end == text.size()) break;
            continue;
        }
        std::vector<Token> tokens;
        std::string why;
        bool ok = tokenize(line, tokens, why);
        if (ok) {
            Parser p(tokens, why);
            if (p.word(0) == "at") {
                long long ms = 0;
                ok = p.need(3) && p.integer(1, ms);
                if (ok && ms < 0) ok = p.fail("a time must not be negative");
                if (ok) {
                    // The event is the rest of the line after "at" and the time.
                    std::size_t rest = line.find_first_not_of(" \t", first + 2);
                    rest = line.find_first_of(" \t", rest);
                    rest = line.find_first_not_of(" \t", rest);
                    TimedEvent event{
                        static_cast<std::uint64_t>(ms),
                        std::string(rest == std::string_view::npos ? std::string_view() : line.substr(rest))};
                    while (!event.line.empty() &&
                           (event.line.back() == ' ' || event.line.back() == '\t' || event.line.back() == '\r'))
                        event.line.pop_back();
                    // Check the event's shape now, on a scratch desktop, so that a bad event is
                    // reported with its line number.
                    Transcript scratchTranscript;
                    FakeDesktop scratch(scratchTranscript);
                    std::vector<HookMessage> ignored;
                    ok = applyTimedEvent(event, scratch, ignored, why);
                    if (ok) script.events.push_back(std::move(event));
                }
            } else {
                ok = staticLine(p, desktop, script);
            }
        }
        if (!ok) {
            error = "line " + std::to_string(lineNo) + ": " + why;
            return false;
        }
        if (end == text.size()) break;
    }
    std::stable_sort(script.events.begin(), script.events.end(),
                     [](const TimedEvent& x, const TimedEvent& y) { return x.atMs < y.atMs; });
    return true;
}

}  // namespace orv::fake
