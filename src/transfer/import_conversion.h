#pragma once

#include <map>
#include <string>

#include "store/macro_record.h"
#include "transfer/foreign_records.h"

namespace orv {

// The text of a ".BV2" macro as a macro of this program. A program launch ("<LAUNCH> " followed
// by the program, optionally "<PARAM>" and a folder) becomes "<LAUNCH:...>", preceded by
// "<CHDIR:...>" for the folder; otherwise a text to be pasted is wrapped in
// "<BEGCLIP>" ... "<ENDCLIP><CLIPP>".
std::string convertBv2Text(const std::string& text, bool paste);
// A text to be pasted through the clipboard: "<BEGCLIP>" + text + "<ENDCLIP><CLIPP>".
std::string clipboardWrapped(const std::string& text);

// The macro a foreign record becomes; `now` stamps LastModified. The text may come out longer
// than a macro may hold (the caller refuses such a record).
TMacroRecord fromBv2(const Bv2Record& source, double now);
TMacroRecord fromShk(const ShkRecord& source, double now);

// A popup menu's entries after some macros moved: an entry whose macro is in `newNumbers` takes
// its new number; the others are dropped.
void renumberMenu(TMacroRecord& menu, const std::map<int, int>& newNumbers);

}  // namespace orv
