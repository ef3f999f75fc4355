// The help texts, written for someone who opens the program for the first time.
#include "workbench/help_texts.h"

namespace gramarbor {

const std::vector<std::string>& QuickStartGrammar() {
    static const std::vector<std::string> lines = {
        "S = NP VP",     "NP = DET [ADJ] N", "VP = V NP",   "DET = <\"the\",\"a\">",
        "ADJ = \"big\"", "N = \"cat\"",      "N = \"dog\"", "V = \"chases\""};
    return lines;
}

const std::string& QuickStartSentence() {
    static const std::string sentence = "the big dog chases a cat";
    return sentence;
}

const std::string& ParseHelp() {
    static const std::string text = [] {
        std::string grammar;
        for (const std::string& line : QuickStartGrammar())
            grammar += "     " + line + "\n";
        return "QUICK START\n"
               "1. Type (or copy) this grammar into \"External CFG\", one rule per line:\n" +
               grammar +
               "2. Press \"Check CFG\". The checked grammar appears on \"Internal CFG\" with "
               "numbered rules; an error is reported with the caret on the faulty rule.\n"
               "3. Type the sentence  " +
               QuickStartSentence() +
               "  into \"In/out text\" at the bottom and press \"Parse CFG\". The page "
               "\"Parse tree(s)\" shows every analysis; step through them with the arrows. "
               "\"Transfer\" copies the tree shown to the trees sheet. Below the tree, "
               "\"Ambiguities\" lists each group of words with several analyses; click one "
               "of its readings to see the first tree with it. The phrases a tree changes "
               "from the one shown before are drawn bold in a round frame.\n\n"
               "GRAMMAR NOTATION\n"
               "- S = NP VP : a rule. On the left one non-terminal, then \"=\", then its "
               "parts separated by blanks.\n"
               "- DET = \"the\" : the words of the sentence (terminals) are written in double "
               "quotes.\n"
               "- NP = DET [ADJ] N : [x] is optional.\n"
               "- NP = DET {ADJ} N : {x} may be repeated, zero or more times.\n"
               "- DET = <\"the\",\"a\"> : <a,b> is exactly one of the alternatives.\n"
               "- VP = V (NP,PP) : (a,b) is one of the alternatives, or nothing.\n"
               "- NAME = @Ident : any identifier; likewise @Number, @Float and @Integer for "
               "numbers in the sentence.\n"
               "- Lines that start with // and empty lines are ignored.\n"
               "Exactly one non-terminal must not appear on any right side: it is the start "
               "symbol (S above). Every non-terminal used on a right side needs a rule. "
               "Letter case of words only counts with \"Parse case sensitive\".\n\n"
               "PARSE OPTIONS\n"
               "\"Create trace list\" records the search of the chosen method, \"Top down\" "
               "(from S towards the words) or \"Bottom up\" (from the words towards S), and "
               "direction, \"Depth first\" or \"Breadth first\". \"Detailed\" lists every "
               "pattern tried, \"Optimal\" only the path to success; the rule numbers refer "
               "to \"Internal CFG\". \"Save trace\" writes the list to a text file. \"Create "
               "parse tree(s)\" draws all analyses of the sentence. A long parse shows a "
               "progress window with \"Cancel\".\n\n"
               "RECURSIVE TRANSITION NETWORKS\n"
               "\"Make RTN\" draws one net per rule on \"RTNetwork\": a row of nodes joined "
               "by arcs, each arc labelled with a word or a net to call. Move the mouse over "
               "the drawing: a red frame marks a net name or a transition.\n"
               "- Left click on a transition: edit the conditions of its arcs.\n"
               "- Left click on a net name: rename the net.\n"
               "- Right click: insert a node (on a transition) or a net (on a name).\n"
               "- Ctrl + right click: delete the node or the net.\n"
               "The up-down controls set node size and distance; \"Use arcs only\" draws single "
               "conditions as arcs. \"Make CFG\" writes the network back as grammar text. "
               "\"Save RTN\" and \"Load RTN\" keep networks in .RTN files; \"Save WMF\" "
               "writes the drawing as Windows metafile(s) (three with \"Split into WMFs\"), "
               "\"Clipboard\" copies it.\n\n"
               "THE WINDOW\n"
               "\"In/out text\" keeps the last 16 texts in its drop-down list. \"Options\": "
               "with \"Save complete environment when exiting\" the pages, texts and options "
               "come back at the next start; \"Maximum In/out text length\" limits the "
               "field. Leave with \"Exit\" so that the settings are written.";
    }();
    return text;
}

const std::string& TreeHelp() {
    static const std::string text =
        "QUICK START\n"
        "1. Type  [S [NP [DET [the]] [N [dog]]] [VP [V [barks]]]]  into \"In/out text\".\n"
        "2. Press \"Text > tree\": the tree is drawn.\n"
        "3. Move the mouse over a node: a red frame marks it. Left click to define it "
        "(text, font size, frame, annotation lines, children), right click to insert a "
        "parent above it.\n"
        "4. \"Tree > text\" writes the tree back into \"In/out text\".\n\n"
        "BRACKETED TEXT\n"
        "Each node is written as an opening bracket, its name, its children and a closing "
        "bracket: [S [NP] [VP]]; a leaf is a name in brackets too. \"In/out text format\" "
        "chooses commas instead of blanks, the parent "
        "name before the brackets (s(np,vp)), one node per line, and the bracket pair "
        "[] () {} or <>.\n\n"
        "NODE MARKUP\n"
        "In a node's text, | starts a new line (VP|[+fin]) and these tags switch styles "
        "until they are used again or the line ends:\n"
        "  %b bold   %i italic   %u underline   %s strike-out\n"
        "  %^ upper index   %_ lower index   %% back to normal\n"
        "  %'Courier New' another font; %'' the tree's font again\n"
        "Example: N%_1 gives N with the index 1; %bVP%b is a bold VP.\n\n"
        "NEW TREES AND THE TREE LIST\n"
        "\"New tree\" builds the entry chosen in the box beside it. \"Tree list\" edits "
        "the entries, one per line: an optional hot key (1) to (9) or (0), a name, @ and a "
        "definition, e.g.\n"
        "  (1) Sentence@[S [NP] [VP]]\n"
        "  Big tree@FullBin\n"
        "  From file@\"mytree.tre\"\n"
        "A definition is bracketed text in the standard format, FullBin, LeftBin or "
        "RghtBin (a binary tree with \"Bin. layers\" levels), [] (the empty tree) or a tree "
        "file in double quotes. Alt + the digit of a hot key pastes its tree at the marked "
        "node.\n\n"
        "EDITING\n"
        "\"Copy\", \"Cut\" and \"Delete\" act on the marked node with its subtree; "
        "\"Paste\" puts the copied subtree under the marked node (\"Append\") or in its "
        "place (\"Replace\"). Without \"Optimal tree\" the layout stays as it is and "
        "the buttons <<< and >>> push a subtree sideways by hand. \"Undo\" and \"Redo\" "
        "(Ctrl+Z and Ctrl+Y) take changes of the active tree back and forth.\n\n"
        "OPTIONS AND FILES\n"
        "\"Split screen\" shows two trees side by side; commands act on the active one. "
        "Frames, triangles, arrows and bold lines switch those drawings on for the whole "
        "tree; \"Plane tree\" puts all leaves on the lowest level. \"Tidy layout\" keeps "
        "every box the horizontal distance away from its neighbours, whatever its width, "
        "and puts each parent over its first and last child. The distances set the "
        "room between nodes. \"Node defaults\" sets the font and the look of new nodes. "
        "\"Save tree\" and \"Load tree\" use .TRE files; \"Load tree\" also opens .mrg "
        "and .txt files of many trees in labelled brackets, stepped through with the "
        "arrows beside \"Tree list\". \"Save WMF\" and \"Clipboard\" export the picture "
        "(the save dialog also offers PNG images at 2x to 4x and LaTeX code for forest "
        "or tikz-qtree; the clipboard holds the forest code as text); \"Preview\" shows "
        "its real size.";
    return text;
}

const std::string& DefNodeHelpText() {
    static const std::string text =
        "Node text: the name of the node. A vertical bar | starts a new line; \"Edit\" "
        "opens the lines in a text editor and \"Take\" puts them back. Tags in the text: "
        "%b bold, %i italic, %u underline, %s strike-out, %^ upper index, %_ lower index, "
        "%% all off, %'Font name' another font.\n"
        "Font height and Line distance: the size of the text and the gap between its "
        "lines.\n"
        "Alignment: how the lines stand in the box. Frame: none, angular, round or "
        "brackets around the node.\n"
        "Annotation lines: written under the node, in brackets when \"Annotation "
        "brackets\" is checked.\n"
        "Connect with triangle: a triangle instead of lines to the children. Arrow-ended "
        "line: an arrow from the parent to this node.\n"
        "Arrow to node: a movement arrow from this node to the node of that number "
        "(nodes are counted from the root, top-down and left to right, as shown below "
        "the field); \"none\" removes it. In bracket text it is written as the markers "
        "<1 at the target and >1 at this node.\n"
        "Children (Nr. 1 = leftmost): check a row to keep or create a child and give its "
        "position; an unchecked row removes that child with its subtree.";
    return text;
}

const std::string& IOFormHelpText() {
    static const std::string text =
        "These settings decide how \"Tree > text\" writes a tree and how \"Text > tree\" "
        "and the Alt-digit hot keys read one. The tree list always uses the standard "
        "format.\n"
        "Node separation: a blank ([S [NP] [VP]]) or a comma ([S,[NP],[VP]]) between "
        "sister nodes.\n"
        "Position of parent node: inside the brackets ({N {John}}), before them "
        "(x<y z>), or labelled brackets as treebanks and parsers write them: the label "
        "inside the brackets and the words as bare leaves: (NP (DT the) (NN dog)) or "
        "(S (NP the dog) (VP barks)). \"Load tree\" opens .mrg and .txt files of many "
        "such trees; the arrows beside \"Tree list\" step through them.\n"
        "Orientation: all on one line, or one node per line with indentation.\n"
        "Bracket type: [], (), {} or <> around each subtree.\n"
        "Shortcuts: \"Standard\" is [S [NP] [VP]]; \"[X,[Y],[Z]]\" uses commas; "
        "\"v(w(x),y(z))\" is the Prolog-like form with the parent outside; \"Labelled "
        "brackets\" reads and writes Penn Treebank and NLTK text.";
    return text;
}

const std::string& InfoDescription() {
    static const std::string text =
        "A workbench for teaching syntax. On the parsing sheet, context-free grammars are "
        "typed, checked and listed, sentences are parsed top down or bottom up with a trace "
        "of every step and all their parse trees, and grammars become recursive transition "
        "networks that can be edited and turned back into grammars. On the trees sheet, "
        "tree diagrams are built from bracketed text or a tree list, edited with the mouse "
        "and saved as files and pictures. Press \"Instructions\" for a quick start.";
    return text;
}

} // namespace gramarbor
