// The help texts of the instructions window, the node dialogs and the information
// dialog, without the toolkit: plain ASCII, so that they are the same bytes in
// Windows-1252 and UTF-8.
#pragma once

#include <string>
#include <vector>

namespace gramarbor {

// Instructions, page 1 (parsing sheet) and page 2 (trees sheet).
const std::string& ParseHelp();
const std::string& TreeHelp();
// The help pages of the node-definition and in/out text format dialogs.
const std::string& DefNodeHelpText();
const std::string& IOFormHelpText();
// The description shown by the information dialog.
const std::string& InfoDescription();

// The quick-start grammar of the parsing help, one rule per line, and a sentence of it.
const std::vector<std::string>& QuickStartGrammar();
const std::string& QuickStartSentence();

} // namespace gramarbor
