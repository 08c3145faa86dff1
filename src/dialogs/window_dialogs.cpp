#include "dialogs/window_dialogs.h"

#include "dialogs/dialog_text.h"
#include "engine/command_table.h"

namespace orv::dialogs {

namespace {

const std::vector<std::string> kWindowCommands = {"maximize", "minimize", "restore", "close",
                                                  "hide",     "show",     "shutdown"};
constexpr CommandId kWindowTags[] = {CommandId::Wmax,  CommandId::Wmin,  CommandId::Wres, CommandId::Wcls,
                                     CommandId::Whide, CommandId::Wshow, CommandId::Wshut};

}  // namespace

// ---------------------------------------------------------------------------------------------
TDoActive::TDoActive()
    : ValuesDialog({
          choiceField("kind", "activate", {"activate", "launch", "launchactivate", "activateorlaunch"}),
          textField("title", "", 255),
          textField("program", "", 255),
          textField("parameters", "", 255),
          textField("delay", "0", 2),
          textField("wait", "12", 2),
      }) {
    overflowField_ = "program";
}

void TDoActive::load(const Values& v) {
    static const char* kinds[] = {"activate", "launch", "launchactivate", "activateorlaunch"};
    if (v.kind >= Activate && v.kind <= ActivateOrLaunch) set("kind", kinds[v.kind - 1]);
    set("title", v.title);
    set("program", v.program);
    set("parameters", v.parameters);
    set("delay", std::to_string(v.delay));
    set("wait", std::to_string(v.maxWait));
}

Outcome TDoActive::doCheck(const DialogEnv& env) {
    Values v;
    v.kind = choiceIndex("kind") + 1;
    v.title = text("title");
    v.program = text("program");
    v.parameters = text("parameters");
    if (v.kind != Launch) {
        if (v.title.empty()) return Outcome::fail("title", "No entry made for Window Title.  Please correct.");
        // A launch title ends at the next "<" in the launch-and-activate commands.
        if (const char c = firstOf(v.title, v.kind == Activate ? ">" : "<>"))
            return Outcome::fail("title", forbiddenCharMessage(c));
    }
    overflowField_ = v.kind == Activate ? "title" : "program";
    if (v.kind == Activate) {
        values_ = v;
        return Outcome::ok(composeTag(CommandId::Activate, {}, v.title));
    }
    if (env.files == nullptr || v.program.empty() || !env.files->fileExists(v.program))
        return Outcome::fail("program", "Specified Path and Program does not exist.  Please correct.");
    if (const char c = firstOf(v.program, "<>")) return Outcome::fail("program", forbiddenCharMessage(c));
    if (const char c = firstOf(v.parameters, ">")) return Outcome::fail("parameters", forbiddenCharMessage(c));
    const auto delay = parseWhole(text("delay"));
    if (!delay || *delay < 0 || *delay > 99) return Outcome::fail("delay", "Delay must be greater or equal to zero.");
    v.delay = static_cast<int>(*delay);
    if (v.kind != Launch) {
        const auto wait = parseWhole(text("wait"));
        if (!wait || *wait < 0 || *wait > 99) return Outcome::fail("wait", "Seconds must be greater or equal to zero.");
        v.maxWait = static_cast<int>(*wait);
    }
    std::string program = env.files->shortPath(v.program);
    if (!v.parameters.empty()) program += std::string(kParamTag) + v.parameters;
    std::string out;
    if (v.kind == Launch) {
        out = composeTag(CommandId::Launchdel, {v.delay}, program);
    } else {
        out = composeTag(v.kind == LaunchAndActivate ? CommandId::Launchno2 : CommandId::Launchyes2,
                         {v.delay, v.maxWait}, v.title + std::string(tagOf(CommandId::Launch)) + program);
    }
    values_ = v;
    return Outcome::ok(out);
}

std::vector<std::pair<std::string, std::string>> TDoActive::results() const {
    return {{"kind", std::to_string(values_.kind)},
            {"title", values_.title},
            {"program", values_.program},
            {"parameters", values_.parameters},
            {"delay", std::to_string(values_.delay)},
            {"wait", std::to_string(values_.maxWait)}};
}

// ---------------------------------------------------------------------------------------------
TDoSystemCommand::TDoSystemCommand()
    : ValuesDialog({
          choiceField("command", "maximize", kWindowCommands),
          choiceField("window", "current", {"current", "specific"}),
          textField("title", "", 255),
      }) {
    overflowField_ = "title";
}

void TDoSystemCommand::load(const Values& v) {
    if (v.command >= Maximize && v.command <= ShutDown)
        set("command", kWindowCommands[static_cast<std::size_t>(v.command - 1)]);
    set("window", v.current ? "current" : "specific");
    set("title", v.current ? "" : v.title);
}

Outcome TDoSystemCommand::doCheck(const DialogEnv&) {
    Values v;
    v.command = choiceIndex("command") + 1;
    v.current = get("window") == "current";
    std::string window(kCurrentWindowTitle);
    if (!v.current) {
        v.title = text("title");
        if (v.title.empty()) return Outcome::fail("title", "No Window title specified.  Please correct");
        if (const char c = firstOf(v.title, ">")) return Outcome::fail("title", forbiddenCharMessage(c));
        window = v.title;
    }
    values_ = v;
    return Outcome::ok(composeTag(kWindowTags[v.command - 1], {}, window));
}

std::vector<std::pair<std::string, std::string>> TDoSystemCommand::results() const {
    return {{"command", std::to_string(values_.command)},
            {"title", values_.title},
            {"current", values_.current ? "1" : "0"}};
}

// ---------------------------------------------------------------------------------------------
TDoSizeIt::TDoSizeIt()
    : ValuesDialog({
          choiceField("kind", "resize", {"resize", "position"}),
          choiceField("window", "current", {"current", "specific"}),
          textField("title", "", 255),
          textField("width", "", 5),
          textField("height", "", 5),
          textField("left", "", 6),
          textField("top", "", 6),
      }) {
    overflowField_ = "title";
}

void TDoSizeIt::load(const Values& v) {
    set("kind", v.kind == Reposition ? "position" : "resize");
    set("window", v.current ? "current" : "specific");
    set("title", v.current ? "" : v.title);
    set(v.kind == Reposition ? "left" : "width", std::to_string(v.first));
    set(v.kind == Reposition ? "top" : "height", std::to_string(v.second));
}

Outcome TDoSizeIt::doCheck(const DialogEnv&) {
    Values v;
    v.kind = choiceIndex("kind") + 1;
    v.current = get("window") == "current";
    std::string window(kCurrentWindowTitle);
    if (!v.current) {
        v.title = text("title");
        if (v.title.empty()) return Outcome::fail("title", "No Window title specified.  Please correct");
        if (const char c = firstOf(v.title, ">")) return Outcome::fail("title", forbiddenCharMessage(c));
        window = v.title;
    }
    std::string out;
    if (v.kind == Resize) {
        // Width and height fill four digits each.
        const auto width = parseWhole(text("width"));
        if (!width || *width < 10 || *width > 9999)
            return Outcome::fail("width", "Invalid width specified.  Width must be 10 or greater.  Please correct.");
        const auto height = parseWhole(text("height"));
        if (!height || *height < 30 || *height > 9999)
            return Outcome::fail("height", "Invalid height specified.  Height must be 30 or greater.  Please correct.");
        v.first = static_cast<int>(*width);
        v.second = static_cast<int>(*height);
        out = composeTag(CommandId::Wsize, {v.first, v.second}, window);
    } else {
        // Left and top fill five characters each, a minus sign included.
        const auto left = parseWhole(text("left"));
        if (!left || *left < -9999 || *left > 99999)
            return Outcome::fail("left", "Invalid left position specified.  Please correct.");
        const auto top = parseWhole(text("top"));
        if (!top || *top < 0 || *top > 99999)
            return Outcome::fail("top", "Invalid top position specified.  Please correct.");
        v.first = static_cast<int>(*left);
        v.second = static_cast<int>(*top);
        out = composeTag(CommandId::Wpos2, {v.first, v.second}, window);
    }
    values_ = v;
    return Outcome::ok(out);
}

std::vector<std::pair<std::string, std::string>> TDoSizeIt::results() const {
    return {{"kind", std::to_string(values_.kind)},
            {"title", values_.title},
            {"current", values_.current ? "1" : "0"},
            {"first", std::to_string(values_.first)},
            {"second", std::to_string(values_.second)}};
}

// ---------------------------------------------------------------------------------------------
TDoSpecWind::TDoSpecWind()
    : ValuesDialog({
          choiceField("mode", "window", {"window", "program"}, true),
          textField("title", "", 30),
          choiceField("run", "ontop", {"ontop", "running"}),
          inputField("highlighted", "", 255),
      }) {
    overflowField_ = "title";
}

void TDoSpecWind::load(const Values& v) {
    set("title", v.title);
    set("run", v.topMostOnly != 0 ? "ontop" : "running");
}

Outcome TDoSpecWind::doCheck(const DialogEnv& env) {
    Values v;
    v.title = text("title");
    v.topMostOnly = get("run") == "ontop" ? 1 : 0;
    if (v.title.empty()) {
        const std::string lead =
            get("mode") == "program" ? "No program name has been entered.  " : "No window title has been entered.  ";
        const std::string entry = get("highlighted");
        if (entry.empty()) return Outcome::fail("title", lead + "Please correct.");
        const std::string question = lead + "\"" + entry + "\" is currently highlighted.  Would you like to use it?";
        if (env.prompt == nullptr ||
            env.prompt->messageBox("Error", question, PromptButtons::YesNo) != PromptAnswer::Yes)
            return Outcome::fail("title", "");
        v.title = entry.substr(0, 30);
    }
    values_ = v;
    return Outcome::ok("");
}

std::vector<std::pair<std::string, std::string>> TDoSpecWind::results() const {
    return {{"title", values_.title}, {"topmostonly", std::to_string(values_.topMostOnly)}};
}

}  // namespace orv::dialogs
