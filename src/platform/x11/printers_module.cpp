// The orvanta-printers module: the printers CUPS knows and the user's default among them.
#include <cups/cups.h>

#include <string>

#include "platform/x11/service_module.h"

extern "C" {

// Declared through the interface's types, so that a change of either fails to compile.
OrvPrintersList orv_printers_list;
OrvPrintersSetDefault orv_printers_set_default;

void orv_printers_list(OrvPrinterVisitor* each, void* context) {
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    for (int i = 0; i < count; ++i) {
        const cups_dest_t& dest = dests[i];
        if (dest.instance != nullptr) continue;  // instances are option sets of the same printer
        each(context, dest.name, cupsGetOption("printer-make-and-model", dest.num_options, dest.options),
             cupsGetOption("device-uri", dest.num_options, dest.options));
    }
    cupsFreeDests(count, dests);
}

int orv_printers_set_default(const char* name) {
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    bool found = false;
    for (int i = 0; i < count; ++i) {
        const bool chosen = dests[i].instance == nullptr && std::string(name) == dests[i].name;
        dests[i].is_default = chosen ? 1 : 0;
        found = found || chosen;
    }
    // The user's own default (lpoptions), as the printing dialogs of every program read it.
    if (found) cupsSetDests2(CUPS_HTTP_DEFAULT, count, dests);
    cupsFreeDests(count, dests);
    return found ? 1 : 0;
}

}  // extern "C"
