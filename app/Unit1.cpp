// TForm1 lifecycle: construction of the window's parts, the start-up and
// shutdown sequences, the paint cycle, the status lines and the popup menu.
#include "app/Unit1.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QMenu>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

#include "app/cursor_readout.h"
#include "app/dialog_questions.h"
#include "app/drawing_drops.h"
#include "app/install_layout.h"
#include "app/menu_table.h"
#include "app/paint_box.h"
#include "app/paint_input_gate.h"
#include "app/shell_texts.h"
#include "app/status_bar.h"
#include "app/window_places.h"
#include "dialogs/UnitCBox.h"
#include "dialogs/UnitGrd.h"
#include "dialogs/UnitInp1.h"
#include "dialogs/UnitInp2.h"
#include "dialogs/UnitMoji.h"
#include "dialogs/UnitNew.h"
#include "render/graph_p.h"
#include "storage/CVals.h"
#include "storage/recovery_log.h"

namespace {

constexpr int kDesignLeft = 192, kDesignTop = 108, kDesignWidth = 397, kDesignHeight = 321;

}  // namespace

TForm1::TForm1(QString settingsPath, QWidget* parent)
    : QWidget(parent), m_dialogs(*this, m_settings, m_drawing.layers, [this] { FormPaint(); }),
      m_settingsPath(std::move(settingsPath))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(ShellText::kTitle));
    setFocusPolicy(Qt::StrongFocus);
    setGeometry(kDesignLeft, kDesignTop, kDesignWidth, kDesignHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    PaintBox1 = new TPaintBox(this);
    StatusBar1 = new TStatusBar(this);
    m_readout = new TCursorReadout(this);
    layout->addWidget(PaintBox1, 1);
    auto* statusRow = new QHBoxLayout;
    statusRow->setSpacing(0);
    statusRow->addWidget(StatusBar1, 1);
    statusRow->addWidget(m_readout, 0, Qt::AlignBottom);
    layout->addLayout(statusRow, 0);
    makePointEntry();

    // The blink animation sets its own interval; the timer starts disabled.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);

    m_settings = LoadDefaults();
    m_questions = DialogQuestions(*this, m_dialogs);
    buildPopupMenu();
    AcceptDrawingDrops(*this);
}

TForm1::~TForm1() = default;

QString TForm1::DefaultSettingsPath()
{
    return SettingsFilePath(QCoreApplication::applicationFilePath(),
                            QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

// ---------------------------------------------------------------------------
// Start-up and shutdown

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TForm1::FormShow()
{
    m_state = InteractionState{};
    m_surface = std::make_unique<TGraphP>();
    m_surface->setAttributes(&m_drawing.attributes);
    m_settings = LoadDefaults();
    if (!m_settingsPath.isEmpty())
        m_settings = ReadSettings(m_settingsPath.toStdString());
    m_settings.attributes.currentLayer = 0;
    applyWindowPlaces();
    resetDrawing();
    CommandResetState();
    UpdateUndoMenu();
    ShowOpenAttributeWindows();
    ShowPrompt();
    ShowOperation(QString());
    FormPaint();
    startRecoveryLog({});
    QTimer::singleShot(0, this, &TForm1::offerRecovery);
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (!m_closed && !confirmDiscard()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TForm1::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    Timer1->stop();
    m_state.drag = DragSnapshot{};
    if (!m_settingsPath.isEmpty()) {
        storeWindowPlaces();
        std::vector<std::string> lost;
        if (!WriteSettings(m_settingsPath.toStdString(), m_settings, &lost))
            qWarning("settings not written: %s", qUtf8Printable(m_settingsPath));
        for (const std::string& line : lost)
            qWarning("settings: text not representable, %s", line.c_str());
    }
    CloseOpenAttributeWindows();
    closeRecoveryLog();
    m_drawing.FreeDatabase();
    m_surface.reset();
}

void TForm1::resetDrawing()
{
    m_drawing.FreeDatabase();
    m_drawing.ResetDatabase();
    m_drawing.SetUpLayers();
    m_drawing.markSaved();
}

void TForm1::applyWindowPlaces()
{
    // The settings reader has bounded every number; the screen bounds the rest.
    const QSize design(kDesignWidth, kDesignHeight);
    const WindowPlace& saved = m_settings.windows.form1;
    RestorePlace(this, saved, QSize(saved.width, saved.height), design);
    for (const auto& [dialog, place] : dialogPlaces())
        RestoreCorner(dialog, *place);
    placeAttributeWindows();
}

void TForm1::storeWindowPlaces()
{
    m_settings.windows.form1 = ClientPlace(this);
    for (const auto& [dialog, saved] : dialogPlaces()) {
        const WindowPlace client = ClientPlace(dialog);
        saved->left = client.left;
        saved->top = client.top;
    }
    storeAttributeWindowPlaces();
}

std::array<std::pair<QWidget*, WindowPlace*>, 6> TForm1::dialogPlaces()
{
    WindowPlaces& places = m_settings.windows;
    return {{{FormGrd(), &places.formGrd},
             {FormNew(), &places.formNew},
             {FormInp1(), &places.formInp1},
             {FormInp2(), &places.formInp2},
             {FormCBox(), &places.formCBox},
             {FormMoji(), &places.formMoji}}};
}

// ---------------------------------------------------------------------------
// Paint cycle

void TForm1::FormPaint()
{
    if (!m_surface || PaintBox1->image().isNull())
        return;
    // Asked for by a call the running paint let through: it follows.
    if (m_painting) {
        m_canvasStale = true;
        return;
    }
    // Input is looked at only in a paint that takes this long.
    constexpr int kLookAfterMs = 100;
    m_painting = true;
    // The blink never draws into a half-painted canvas.
    const bool timerRan = Timer1->isActive();
    Timer1->stop();
    const QString before = statusText(1);
    bool counted = false;
    {
        PaintInputGate gate(kLookAfterMs);
        const auto busy = busyProgress(ShellText::kPainting, &counted);
        paintCanvas(
            [&](int percent) {
                busy(percent);
                if (m_paintStepHook)
                    m_paintStepHook(percent);
                gate.look();
            },
            gate);
    }
    m_painting = false;
    if (counted)
        ShowOperation(before);

    if (timerRan) {
        Timer1->setInterval(m_state.blink.intervalMs);
        Timer1->start();
    }
    queueRepaintAfterInput();
}

void TForm1::queueRepaintAfterInput()
{
    for (std::function<void()>& work : m_afterPaint)
        QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
    m_afterPaint.clear();
    if (m_canvasStale) {
        // Behind the input the gate posted: a view it changes is painted by
        // its own command, and then this finds nothing stale; one queued
        // later by a newer paint makes it wait for that one.
        const uint64_t queued = ++m_staleRepaintsQueued;
        QMetaObject::invokeMethod(
            this,
            [this, queued] {
                if (m_canvasStale && queued == m_staleRepaintsQueued)
                    FormPaint();
            },
            Qt::QueuedConnection);
    }
}

void TForm1::whenNotPainting(std::function<void()> work)
{
    if (m_painting)
        m_afterPaint.push_back(std::move(work));
    else
        work();
}

std::function<void(int)> TForm1::busyProgress(const char* text, bool* counted)
{
    // Work that ends within a moment shows no count; after it the status
    // line counts the share done (the bar repaints as it is set, so the count
    // shows while the work goes on).
    constexpr qint64 kMomentMs = 300;
    QElapsedTimer clock;
    clock.start();
    return [this, text, counted, clock](int percent) {
        if (clock.elapsed() < kMomentMs)
            return;
        ShowOperation(QString::fromUtf8(text) + QStringLiteral(" %1%").arg(percent));
        if (counted)
            *counted = true;
    };
}

QImage& TForm1::canvasImage()
{
    return PaintBox1->image();
}

void TForm1::canvasChanged(const QRect& rect)
{
    if (rect.isNull())
        PaintBox1->update();
    else
        PaintBox1->update(rect);
}

int TForm1::canvasWidth() const
{
    return PaintBox1->image().width();
}

int TForm1::canvasHeight() const
{
    return PaintBox1->image().height();
}

// ---------------------------------------------------------------------------
// Status lines

void TForm1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TForm1::FormResize()
{
    // The readout takes its room only where the prompt panel keeps 300 pixels.
    const bool readout = TCursorReadout::fits(width(), StatusBar1->panelWidth(1));
    m_readout->setVisible(readout);
    const int barWidth = width() - (readout ? m_readout->width() : 0);
    StatusBar1->setPanelWidth(0, std::max(100, barWidth - StatusBar1->panelWidth(1)));
}

void TForm1::ShowPrompt()
{
    closePointEntry();  // the step changed under an open entry
    showPromptText(CommandPrompt(m_state.CommandMode));
}

void TForm1::showPromptText(const QString& text)
{
    StatusBar1->setPanelText(0, text);
}

void TForm1::ShowOperation(const QString& text)
{
    StatusBar1->setPanelText(1, text);
}

QString TForm1::statusText(int panel) const
{
    return StatusBar1->panelText(panel);
}

// ---------------------------------------------------------------------------
// Popup menu

std::function<void()> TForm1::menuHandler(std::string_view name)
{
    // Each concern contributes its bindings; the Draw, Edit and Settings
    // menus of the command machine and the attribute windows add theirs here.
    const std::array<std::span<const MenuBinding>, 5> tables = {fileMenuBindings(), gridSizeBindings(),
                                                                drawMenuBindings(), attributeWindowBindings(),
                                                                editMenuBindings()};
    for (const auto& table : tables) {
        for (const MenuBinding& binding : table) {
            if (name == binding.name)
                return [this, handler = binding.handler] { (this->*handler)(); };
        }
    }
    return {};
}

void TForm1::buildPopupMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    m_actions = BuildPopupMenu(*PopupMenu1, PopupMenuRows(),
                               [this](std::string_view name) { return menuHandler(name); });
    // The shortcuts work without the menu open.
    for (QAction* action : std::as_const(m_actions)) {
        if (!action->shortcut().isEmpty())
            addAction(action);
    }
}
