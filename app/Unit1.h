// TForm1: the main window. It owns the canvas (PaintBox1), the status bar,
// the popup menu, the drawing, the settings and the interaction state, and
// keeps the system's handler names as thin entry points. The class is
// declared once here and defined by concern:
//   app/Unit1.cpp               lifecycle, paint cycle, status lines, menu
//   app/Unit1_view.cpp          keys, wheel, canvas gestures, popup
//   app/Unit1_file_menu.cpp     File menu, Undo/Redo
//   app/Unit1_grid_size.cpp     grid and image-size settings
//   app/Unit1_recovery.cpp      the recovery log and the restore at start
//   app/Unit1_canvas.cpp        the cached canvas picture and its repaints
//   app/Unit1_draw_menu.cpp     Draw menu
//   app/Unit1_mouse.cpp         the command machine's hooks
//   app/Unit1_point_entry.cpp   typed points, cursor readout
//   app/Unit1_settings_menu.cpp the attribute windows
//   app/Unit1_edit_menu.cpp     Edit menu
//   app/Unit1_blink.cpp         selection blink, Deselect
#pragma once

#include <QHash>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <utility>

#include "app/canvas_damage.h"
#include "app/form_dialogs.h"
#include "app/questions.h"
#include "interaction/canvas_host.h"
#include "interaction/command_context.h"
#include "interaction/interaction_state.h"
#include "model/data.h"
#include "storage/files.h"
#include "storage/settings.h"

class QAction;
class QMenu;
class QTimer;
class QKeyEvent;
class TAttributeWindow;
class TCursorReadout;
class TGraphP;
class TPaintBox;
class PaintInputGate;
class TPointEntryField;
class TStatusBar;

namespace recovery {
class RecoveryLog;
struct LogSummary;
struct OrphanLog;
struct ReplayResult;
}  // namespace recovery

class TForm1 : public QWidget, public CanvasHost {
    Q_OBJECT
public:
    // settingsPath: the settings file read at show and written at close;
    // empty reads and writes none (tests).
    explicit TForm1(QString settingsPath = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // --- lifecycle and paint cycle (Unit1.cpp) ---------------------------
    void FormShow();
    void FormClose();
    void FormPaint();
    void FormResize();
    static QString DefaultSettingsPath();

    // --- CanvasHost --------------------------------------------------------
    void ShowPrompt() override;
    void showPromptText(const QString& text) override;
    void ShowOperation(const QString& text) override;
    void Repaint() override { FormPaint(); }
    bool isPainting() const { return m_painting; }
    // Runs work now, or once the paint that runs has returned (a queued call
    // that would change the drawing never runs inside a paint).
    void whenNotPainting(std::function<void()> work);
    // Paints given up because input made their view stale (app/paint_input_gate.h).
    uint64_t abandonedPaints() const { return m_abandonedPaints; }
    // Tests: called at each step of a canvas paint, on the window's thread.
    void setPaintStepHook(std::function<void(int percent)> hook) { m_paintStepHook = std::move(hook); }
    // The next paint repaints the whole canvas, not only its damaged areas.
    void invalidateCanvas() { m_paintedKey.reset(); }
    QImage& canvasImage() override;
    void canvasChanged(const QRect& rect) override;
    const ViewState& viewState() const override { return m_state.view; }
    void UpdateUndoMenu() override;
    TGraphP* surface() override { return m_surface.get(); }
    void Deselect() override;
    void StartBlink() override;
    void moveSelection(PointD base, PointD target) override;
    void copySelection(PointD base, PointD target) override;
    // The commands' dialogs, asked through questions().
    bool askNumbers(NumericRows& rows) override { return Answered(m_questions.numbers, rows); }
    bool askCorners(ConstructionParameters& params) override { return Answered(m_questions.corners, params); }
    bool askText(ConstructionParameters& params) override { return Answered(m_questions.text, params); }
    bool askPolyPoint(int pointCount, PolyPointChoice& choice) override
    {
        return Answered(m_questions.polyPoint, pointCount, choice);
    }

    QString statusText(int panel) const;
    int canvasWidth() const;
    int canvasHeight() const;

    // --- state ---------------------------------------------------------------
    InteractionState& interaction() { return m_state; }
    Drawing& drawing() { return m_drawing; }
    Settings& settings() { return m_settings; }
    // Every question the window asks (app/questions.h): the real dialogs,
    // or a test's scripted answers.
    Questions& questions() { return m_questions; }
    bool isShownOnce() const { return m_shown; }

    // --- view control (Unit1_view.cpp) -------------------------------------
    // True when the key was one of the view or command keys (consumed).
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void FormMouseWheelDown(QPoint canvasPos);
    void FormMouseWheelUp(QPoint canvasPos);
    void PaintBox1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos,
                            bool doubleClick);
    void PaintBox1MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos);
    void PaintBox1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);

    // --- popup menu ----------------------------------------------------------
    QMenu* PopupMenu1 = nullptr;
    QTimer* Timer1 = nullptr;
    // The entry bound to a handler name ("PopEditUndoClick"); null if none.
    QAction* menuAction(const QString& handlerName) const { return m_actions.value(handlerName); }

    struct MenuBinding {
        const char* name;
        void (TForm1::*handler)();
    };
    // The handler a menu row names, empty when none is bound yet.
    std::function<void()> menuHandler(std::string_view name);
    static std::span<const MenuBinding> fileMenuBindings();
    static std::span<const MenuBinding> gridSizeBindings();
    static std::span<const MenuBinding> drawMenuBindings();
    static std::span<const MenuBinding> attributeWindowBindings();
    static std::span<const MenuBinding> editMenuBindings();

    // --- File and Edit menus (Unit1_file_menu.cpp) ----------------------------
    void PopFileNewClick();
    void PopFileOpenClick();
    void PopFileSaveAsClick();
    void PopFileSaveImageClick();
    void PopFileExitClick();
    void PopEditUndoClick();
    void PopEditRedoClick();
    // Asks Save / Discard / Cancel when the drawing has unsaved changes;
    // true when the caller may go on and drop the drawing.
    bool confirmDiscard();
    // Open and save without dialogs; false after reporting an error.
    bool openDrawingFile(const QString& path);
    // Open with a name from outside (command line, drop): the unsaved-changes
    // question, then as File > Open once a file was chosen.
    void OpenNamedDrawing(const QString& path);
    bool openDxfFile(const QString& path, const std::string& name, const QString& before);
    QString m_openNote;  // what the last open left out, for the status line
    bool saveDrawingFile(const QString& path);
    QString currentFile() const { return m_currentFile; }

    // --- the recovery log (Unit1_recovery.cpp) -------------------------------
    // The folder of the recovery logs, set before the window is shown; empty
    // (the default, as in tests) keeps no log.
    void setRecoveryFolder(const QString& folder) { m_recoveryFolder = folder; }
    static QString DefaultRecoveryFolder();
    recovery::RecoveryLog* recoveryLog() { return m_recovery.get(); }
    // Start-up (after the first paint): offers a left-behind drawing.
    void offerRecovery();
    // Command ends, and before a question: what changed goes to the log.
    void recordRecoveryStep();
    void syncRecoveryLog();

    // --- Settings: grid and image size (Unit1_grid_size.cpp) -------------------
    void PopSetGridClick();
    void PopSetSizeClick();
    // The dialogs and attribute windows, each made once (app/form_dialogs.h);
    // main.cpp makes them all in the start-up order.
    FormDialogs& dialogs() { return m_dialogs; }
    TFormNew* FormNew() { return m_dialogs.FormNew(); }
    TFormGrd* FormGrd() { return m_dialogs.FormGrd(); }
    // The construction dialogs and the polyline point dialog.
    TFormInp1* FormInp1() { return m_dialogs.FormInp1(); }
    TFormInp2* FormInp2() { return m_dialogs.FormInp2(); }
    TFormCBox* FormCBox() { return m_dialogs.FormCBox(); }
    TFormMoji* FormMoji() { return m_dialogs.FormMoji(); }

    // --- Settings: the attribute windows (app/Unit1_settings_menu.cpp) ----
    // Each window edits m_settings.attributes and the drawing's layers in place.
    void PopSetLayClick();
    void PopSetPenClick();
    void PopSetPenWidClick();
    void PopSetPenTypeClick();
    void PopSetPenCapClick();
    void PopSetBrushClick();
    void PopSetTenClick();
    TForm2* Form2() { return m_dialogs.Form2(); }
    TForm3* Form3() { return m_dialogs.Form3(); }
    TForm4* Form4() { return m_dialogs.Form4(); }
    TForm5* Form5() { return m_dialogs.Form5(); }
    TForm6* Form6() { return m_dialogs.Form6(); }
    TForm7* Form7() { return m_dialogs.Form7(); }
    TFormLay* FormLay() { return m_dialogs.FormLay(); }
    // Start-up: shows the windows whose saved open flag is set.
    void ShowOpenAttributeWindows();
    // Shutdown (after the settings are written): closes the open windows.
    void CloseOpenAttributeWindows();
    // Reloads the open layer window from the layer table (New, Open).
    void RefreshLayerWindow();
    // Reloads every open attribute window from the current attributes and
    // the layer table, with each window's loading flag on, so filling them
    // writes nothing back. For commands that change the current attributes
    // behind the windows (attribute pick).
    void RefreshAttributeWindows();

    // --- Draw menu (app/Unit1_draw_menu.cpp) --------------------------
    // One handler per Draw item, each starting its row of the family table.
#define MIRT_DRAW_ITEM(depth, handler, caption, shortcut, firstMode, variant, ask) void handler();
#include "interaction/draw_items.inc"
    void PopDrawPEndClick();
    void PopDrawSepTenClick();
    CommandContext commandContext() { return {m_state, m_drawing, m_settings, *this}; }

    // --- the command machine's hooks (app/Unit1_mouse.cpp) -------------
    QString CommandPrompt(int commandMode) const;
    void CommandErasePreviews();
    void CommandStepBack();
    void CommandResetState();
    void CommandCanvasRepainted();
    void CommandMouseDown(Qt::MouseButton button, QPoint pos);
    void CommandMouseMove(Qt::MouseButtons buttons, QPoint pos);
    void CommandMouseUp(Qt::MouseButton button, QPoint pos);
    void CommandGestureStarted();

    // --- typed points and the cursor readout (app/Unit1_point_entry.cpp)
    // True when the key opened, edited, gave or closed the point entry.
    bool PointEntryKey(QKeyEvent* event);
    void ShowCursorReadout();
    QString readoutText() const;
    // The open field's text (empty when closed) and whether it is marked.
    QString pointEntryText() const;
    bool pointEntryRefused() const;

    // --- Edit menu (app/Unit1_edit_menu.cpp) ------------------------------
    void PopEditSelect1Click();
    void PopEditSelectRangeClick();
    void PopEditSelectAllClick();
    void PopEditSelectOutClick();
    void PopEditDeleteClick();
    void PopEditMoveClick();
    void PopEditCopyClick();
    void PopEditGetAttClick();
    void PopEditLayClick();
    void PopEditPenClick();
    void PopEditPenWClick();
    void PopEditPenSClick();
    void PopEditPenCClick();
    void PopEditBrushClick();
    void PopEditTenClick();
    void PopEditPolyPointClick();
    void PopEditMojiClick();

    // --- the selection blink (app/Unit1_blink.cpp) --------------------------
    void Timer1Timer();

protected:
    void showEvent(QShowEvent*) override;
    void closeEvent(QCloseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void buildPopupMenu();
    void applyWindowPlaces();
    void storeWindowPlaces();
    // The modal dialogs with the settings-file place each one keeps.
    std::array<std::pair<QWidget*, WindowPlace*>, 6> dialogPlaces();
    void placeAttributeWindows();
    void storeAttributeWindowPlaces();
    void openAttributeWindow(TAttributeWindow* window, const char* operationText);
    // A fresh log for the drawing now shown; originFile names the file it
    // was just read from, empty for a new drawing.
    void startRecoveryLog(const QString& originFile);
    void recordRecoveryUndo(bool redo);
    void recordRecoverySaved(const QString& path);
    void closeRecoveryLog();
    bool offerOrphan(recovery::OrphanLog& orphan, const std::string& folder);
    void adoptRestoredDrawing(Drawing&& restored, const recovery::ReplayResult& result,
                              const recovery::LogSummary& summary, recovery::OrphanLog& orphan,
                              const std::string& folder);
    void resetDrawing();
    void startNewDrawing(int imageWidth, int imageHeight);
    void openAndReport(const QString& path);
    bool saveAsWithDialog();
    void showFileError(const QString& title, const QString& path, const QString& reason);
    void showBusy(const char* text);
    std::function<void(int)> busyProgress(const char* text, bool* counted = nullptr);
    // The paint cycle's drawing (Unit1_canvas.cpp): the damaged areas when
    // nothing else changed since the last paint, else the whole canvas.
    // The gate notes input that arrives meanwhile; an abandoned paint leaves
    // the canvas to the next paint, whole.
    void paintCanvas(const std::function<void(int)>& progress, PaintInputGate& gate);
    // After a paint: the held input was posted; the stale canvas is painted after it.
    void queueRepaintAfterInput();
    // Shifts the canvas image from the painted view to the wanted one and
    // records what the shift leaves stale; false when the keys differ by
    // more than a whole-pixel pan (the canvas is then repainted whole).
    bool scrollCanvas(const PictureKey& painted, const PictureKey& wanted);
    // The selected elements whose extents meet the canvas, in selection
    // order; true when they are few enough to redraw at once.
    bool selectionOnCanvas(std::vector<int32_t>& positions) const;
    // view-key and gesture helpers (Unit1_view.cpp)
    void afterViewChange(const char* operationText);
    void drawGestureBand();
    void showDragPicture(QPoint pos);
    void restoreDragSnapshot();
    // point entry helpers (app/Unit1_point_entry.cpp)
    void makePointEntry();
    void openPointEntry(const QString& first);
    void pointEntryEdited();
    void acceptPointEntry();
    void closePointEntry();
    void refreshHover();

    InteractionState m_state;
    Drawing m_drawing;
    Settings m_settings;
    FormDialogs m_dialogs;
    Questions m_questions;
    QString m_settingsPath;
    QString m_currentFile;      // last .mt opened or saved
    QString m_lastImageFile;    // last image exported
    std::unique_ptr<TGraphP> m_surface;
    QString m_recoveryFolder;
    std::unique_ptr<recovery::RecoveryLog> m_recovery;
    QTimer* m_recoveryTimer = nullptr;
    CanvasDamage m_damage;                 // stale areas of the canvas image
    std::optional<PictureKey> m_paintedKey;  // what the canvas image shows
    uint64_t m_paintCount = 0;             // paint cycles run
    bool m_painting = false;               // inside FormPaint
    bool m_canvasStale = false;            // a paint was given up or asked for during one
    uint64_t m_abandonedPaints = 0;
    uint64_t m_staleRepaintsQueued = 0;
    std::vector<std::function<void()>> m_afterPaint;
    std::function<void(int)> m_paintStepHook;
    std::vector<int32_t> m_blinkPass;      // the selected elements of this blink pass
    size_t m_blinkNext = 0;                // the next of them to draw
    TPaintBox* PaintBox1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TCursorReadout* m_readout = nullptr;
    TPointEntryField* m_pointEntry = nullptr;
    QString m_operationBeforeEntry;  // panel 1 before the entry echoed into it
    QHash<QString, QAction*> m_actions;
    bool m_shown = false;
    bool m_closed = false;
};
