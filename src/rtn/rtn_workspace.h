// What the main window keeps for the network sheet, without any toolkit: the network,
// its picture, display options, focus and tracking state, and the logic of the
// sheet's buttons and mouse actions. A window only reads its widgets, calls these
// methods and shows the resulting picture, focus frame and messages.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/message_sink.h"
#include "grammar/grammar_store.h"
#include "grammar/grammar_types.h"
#include "picture/picture.h"
#include "picture/text_measurer.h"
#include "rtn/cond_dialog.h"
#include "rtn/rtn_drawing.h"
#include "rtn/rtn_file.h"
#include "rtn/rtn_layout.h"
#include "rtn/rtn_model.h"

namespace gramarbor {

inline const std::string MsgDefineValidCfg = "Please define a valid CFG first.";
inline const std::string MsgNoCfgYet = "You have not defined a CFG yet.";
inline const std::string MsgDefineRtnFirst = "Please define an RTN-grammar first.";
// Shown in the drawing area of a network without nets.
inline const std::string EmptyRtnHint = "Right click to insert a net";

// Shows the two dialogs of the sheet. Each call shows the dialog once, modally, and
// returns when it closes; the dialog forwards its events to the model's handlers
// (closing it otherwise counts as CancelBtnClick). Anchors are in drawing-area
// coordinates: for the condition dialog the centre of the focused transition and the
// bottom of the focused net's band, for the net-name dialog the left edge of the
// drawing area and 2 pixels below the top of the band.
class TRtnDialogHost {
public:
    virtual ~TRtnDialogHost() = default;
    virtual void ShowCondDlg(TCondDlg& dlg, TPoint anchor) = 0;
    virtual void ShowNetNameDlg(TNetNameDlg& dlg, TPoint anchor) = 0;
};

// Top-left corner of the condition dialog on the screen: centred on anchor.X, its top
// at anchor.Y; moved up by its height and a line height when it would reach below the
// screen, moved left when it would reach beyond the right edge.
TPoint PlaceCondDlg(TPoint anchor, int32_t width, int32_t height, int32_t screenWidth,
                    int32_t screenHeight);
// Top-left corner of the net-name dialog: at anchor, never above the screen's top.
TPoint PlaceNetNameDlg(TPoint anchor);

// Writes a picture to a file (metafile, or any other picture format).
using PictureFileWriter = std::function<bool(const Picture&, const std::string&)>;

enum class TMakeRtnResult { NotMade, Made, TooManyAlternatives };

class TRtnWorkspace {
public:
    TRtnWorkspace(MessageSink& sink, TextMeasurer& measurer);

    void SetDialogHost(TRtnDialogHost* host) { DialogHost = host; }

    // The network (none until one is made, loaded or started) and its state.
    std::unique_ptr<TRtn> Rtn;
    bool RtnValid = false;
    std::unique_ptr<TRuleList> RtnRules;

    Picture RtnPicture;
    std::vector<Picture> SplitPictures;
    TRtnMetrics Metrics;
    bool LinesAllowed = true;
    bool SplitWmf = true;

    // Counts the changes of the network (made, loaded, started, cleared or edited),
    // so that what was computed from it can tell that it is out of date.
    uint64_t Revision = 0;
    // The part of the network a walk marks in the picture; cleared by every change.
    TArcHighlight Highlight;
    // Marks another part and redraws.
    void SetHighlight(const TArcHighlight& highlight);

    bool Tracking = false;
    int32_t FocusNode = -1;
    int32_t FocusLine = -1;
    int NewNetCounter = 0;
    // Size of the drawing area.
    int32_t AreaWidth = 0;
    int32_t AreaHeight = 0;

    TCondDlg CondDlg;
    TNetNameDlg NetNameDlg;

    bool HasRtn() const { return RtnValid && Rtn != nullptr; }
    // A network without nets: its drawing area is one empty band that shows
    // EmptyRtnHint, and a right click there inserts the first net.
    bool RtnEmpty() const { return HasRtn() && Rtn->empty(); }

    // "Make RTN": prepared tells whether the grammar text was read without error;
    // the rules as read are taken from the parser (rulesRead, ExtRules).
    TMakeRtnResult MakeRTNClick(bool prepared, const TParser& parser);
    TMakeRtnResult MakeRTNClick(bool prepared, bool rulesRead, const TRuleList* unexpanded);

    // "Make CFG": the grammar lines for the external grammar text.
    bool MakeCFGClick(std::vector<std::string>& lines);

    bool SaveRTNButtonClick(const std::string& path);
    // Loads a network file. The current network is replaced only by a completely and
    // correctly read one; after a failure network, options and picture stay as they were.
    bool LoadRTNButtonClick(const std::string& path);

    void NewRTNButtonClick();
    void ClearRTNBtnClick();

    void ResetRtnView();
    void RedrawRtn();

    // Display options. The up-down changes are refused (false) without a network.
    bool NodeSizeChange(int32_t nodeSize);
    bool NodeDistChange(int32_t nodeDist);
    void ArcCheckBoxClick(bool arcsOnly);
    void WMFSplitCBClick(bool split) { SplitWmf = split; }
    // Sets all display options at once (start-up), without redrawing.
    void SetDisplayOptions(int32_t nodeSize, int32_t nodeDist, bool linesAllowed, bool splitWmf);
    TRtnFileOptions FileOptions() const;

    // Follows the mouse; true when the focus moved.
    bool TrackFocus(int32_t x, int32_t y);
    // The focus frame to draw over the picture (on the drawing area only), when tracking.
    bool CurrentFocusFrame(TFocusFrame& frame) const;

    void PaintBox1MouseDown(TMouseButton button, unsigned shift, int32_t x, int32_t y);

    // The single editing actions behind the mouse clicks.
    void InsertNet(int32_t y);
    void InsertNode(int32_t line, int32_t x);
    void DeleteNet(int32_t line);
    void DeleteNode(int32_t line, int32_t k);
    void RenameNet(int32_t line);
    void EditConditions(int32_t line, int32_t k);

    bool MakeSplitPictures(int parts);
    // "Save WMF": the whole picture, or the split pictures as NAME_0.EXT ... when
    // splitting is on. written receives the names of the files written.
    bool SaveMetaButtonClick(const std::string& path, const PictureFileWriter& writer,
                             std::vector<std::string>* written = nullptr);
    // "Clipboard" copies only a picture of at least 1 x 1 pixels.
    bool CanCopyPicture() const { return RtnPicture.Width >= 1 && RtnPicture.Height >= 1; }

private:
    bool FocusedNetExists() const;
    void DropRtn();
    void NetworkChanged();

    MessageSink& Sink;
    TextMeasurer& Measurer;
    TRtnDialogHost* DialogHost = nullptr;
};

} // namespace gramarbor
