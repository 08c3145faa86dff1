#pragma once

// The parts of the desktop that only some users need (sound files and video clips, the sound
// mixer, printers) are modules of their own: shared libraries opened the first time a command
// needs one, so that the resident program does not load them, and all they pull in, at start.
// A module stays loaded once opened.
//
// Each module exports plain C functions that take and give UTF-8 text; the names below are its
// whole interface.

namespace orv {
class IMixer;
}

namespace orv::x11 {

inline constexpr const char* kMediaModule = "orvanta-media";
inline constexpr const char* kMixerModule = "orvanta-mixer";
inline constexpr const char* kPrintersModule = "orvanta-printers";

// A function of a module, or nullptr when the module cannot be opened or lacks the function
// (the reason is logged once). The module is looked for in the program's own folder of modules
// (<program folder>/../lib/orvanta when installed), then in the build's.
void* moduleFunction(const char* module, const char* function);

template <typename Function>
Function* moduleFunction(const char* module, const char* function) {
    return reinterpret_cast<Function*>(moduleFunction(module, function));
}

}  // namespace orv::x11

// The modules' functions.
extern "C" {
// orvanta-media: plays a sound file (returning when it has ended if wait is set) and shows the
// modal video clip window (start as VideoStart).
using OrvMediaPlayWave = void(const char* file, int wait);
using OrvMediaPlayVideo = void(const char* file, int start);
// orvanta-mixer: a new mixer of the card, for the caller to delete.
using OrvMixerCreate = orv::IMixer*(const char* card);
// orvanta-printers: calls each(context, ...) for every printer; makes one the user's default.
using OrvPrinterVisitor = void(void* context, const char* name, const char* model, const char* uri);
using OrvPrintersList = void(OrvPrinterVisitor* each, void* context);
using OrvPrintersSetDefault = int(const char* name);
}
