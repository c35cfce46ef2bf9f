#include "app/batterie.h"

#include "app/details_figures.h"
#include "app/taskbar_theme.h"
#include "app/tray_tip.h"
#include "render/pixel_buffer.h"
#include "render/window_picture.h"

namespace kavelo {

TBatterie::TBatterie(GaugeState& state, BatteriePlatform& platform)
    : state_(state),
      platform_(platform),
      window_(platform.window),
      app_(platform.application),
      alert_(state, *this),
      refresh_(state, platform.power, platform.clock, platform.timer1, *this, alert_),
      Image1(state, platform.timer1, alert_, *this),
      Timer1(platform.timer1),
      SelectColor(platform.colorDialog),
      ImageList1(platform.imageList),
      Tray(platform.shell, platform.errors, platform.imageList, platform.clock, Image1) {
    // Crossed on purpose: a click goes to ZetSysTray2DblClick (the menu on a
    // right click), a double-click to ZetSysTray2Click (tray-only toggle).
    Tray.SetOnClick([this](TZetSysTray& s, TMouseButton b, int x, int y) { ZetSysTray2DblClick(s, b, x, y); });
    Tray.SetOnDblClick([this](TZetSysTray& s, TMouseButton b, int x, int y) { ZetSysTray2Click(s, b, x, y); });
    // Both icons hear a change of theme; one of them is enough to follow it.
    ZetSysTray1.SetOnColourSetChange([this](TZetSysTray&) { ApplyTrayTheme(); });
    Timer1.SetEnabled(false);
    if (platform.figures && platform.detailsWindows)
        details_ = std::make_unique<TBatteryDetails>(state, *platform.detailsWindows, *platform.figures,
                                                     platform.clock);
    if (details_ && platform.chargeLog) {
        graph_ = std::make_unique<ChargeLogGraph>(*platform.chargeLog, state, platform.clock,
                                                  Image1.Strips().GrandsBitmap);
        details_->SetGraph(graph_.get());
    }
    Tray.SetOnPointerVisit(
        [](void* self) {
            auto& form = *static_cast<TBatterie*>(self);
            form.Guarded([&] {
                form.rateDue_ = true;
                form.UpdateTrayTip();
            });
        },
        this);
}

TBatterie::~TBatterie() = default;

// --- Creation and destruction ---------------------------------------------

void TBatterie::FormCreate() {
    // Looked at before the load, which creates the store key.
    firstRun_ = !platform_.registry.OpenKey(RegistryRoot::CurrentUser, platform_.settingsKeys.Store,
                                            RegistryAccess::Read);
    try {
        LoadSettings(platform_.registry, state_, *this, platform_.settingsKeys);
    } catch (const std::exception& e) {
        // Only the bad value kept its default; the window's own steps still
        // run, or the gauge would have no glyphs to draw with.
        app_.ShowError(e.what());
    }
    FormResize();
    window_.SetPicture(PixelBuffer(window_.Width(), window_.Height(), 0));
    Tray.SetIconSize(platform_.shell.IconSize());
    Image1.LoadGlyphStrips(platform_.glyphs);
    ApplyTrayTheme();  // before the first picture, which adds the icons
    Image1.DrawPercentFace(100);
    state_.ShownPercent = 100;
    // Both icons are in place now. Windows 11 puts new icons behind the ^
    // arrow, where a first-time user finds nothing: say where they are.
    if (firstRun_) Tray.ShowBalloon(TrayPair::kFirstRunTitle, TrayPair::kFirstRunText);
    app_.HideTaskbarEntry();
    Afficherletemps1Click();
}

void TBatterie::Start() {
    FormCreate();
    // Settings read as stored may place the window on a screen that's gone.
    window_.KeepOnAMonitor();
    window_.Show();
    if (trayOnly_) window_.Hide();
}

void TBatterie::FormDestroy() {
    LogEnd();
    try {
        Save();
    } catch (const std::exception& e) {
        app_.ShowError(e.what());
    }
}

void TBatterie::Save() {
    SaveSettings(platform_.registry, state_, *this, platform_.programPath, platform_.settingsKeys);
}

void TBatterie::SaveSettingsNow() {
    try {
        Save();
    } catch (const std::exception&) {
        // Nobody is there to answer a box while the machine goes down; the
        // orderly end reports such failures.
    }
}

// --- Size, mouse and display modes ------------------------------------------

int TBatterie::Scale() const { return WindowScale(window_.Dpi()); }

WindowBounds TBatterie::SizeAtDpi(int dpi) {
    const int cells = (state_.PercentMode || state_.OnMains) ? 4 : 5;
    const int k = WindowScale(dpi);
    return {0, 0, (12 * cells + 20 + 2 * Panel1.BorderWidth) * k, (24 + 2 * Panel1.BorderWidth) * k};
}

void TBatterie::FormResize() {
    const WindowBounds size = SizeAtDpi(window_.Dpi());
    window_.SetSize(size.width, size.height);
}

void TBatterie::Image1MouseDown(MouseButton, int x, int y) {
    Dragging = true;
    DragOriginX = x;
    DragOriginY = y;
}

void TBatterie::Image1MouseUp(MouseButton button, int, int) {
    Dragging = false;
    LastButton = button;
}

void TBatterie::FormMouseMove(int x, int y) {
    if (!Dragging) return;
    window_.SetLeft(window_.Left() + x - DragOriginX);
    window_.SetTop(window_.Top() + y - DragOriginY);
}

void TBatterie::Image1DblClick() {
    if (!Dragging) {
        if (LastButton == MouseButton::Left) {
            HideToTray();
        } else {
            const int command = platform_.menu.TrackPopup(PopupMenu1.Items(), window_.Left() + window_.Width(),
                                                          window_.Top() + window_.Height());
            // The menu swallowed the button's release: one is posted so the
            // window doesn't go on dragging.
            window_.PostLeftButtonUp();
            Dragging = false;
            RunCommand(command);
            return;
        }
    }
    Dragging = false;
}

void TBatterie::PopupAt(int x, int y) { RunCommand(platform_.menu.TrackPopup(PopupMenu1.Items(), x, y)); }

void TBatterie::HideToTray() {
    window_.Hide();
    app_.HideTaskbarEntry();
    trayOnly_ = true;
}

void TBatterie::ShowGauge() {
    window_.Show();
    app_.RestoreTaskbarEntry();
    trayOnly_ = false;
    Dragging = false;
    refresh_.UpdatePowerSource();
    window_.Repaint();
}

void TBatterie::BarreTacheUniqueClick() {
    trayOnly_ = !trayOnly_;
    if (trayOnly_)
        HideToTray();
    else
        ShowGauge();
}

void TBatterie::ZetSysTray2DblClick(TZetSysTray&, TMouseButton button, int x, int y) {
    if (button == TMouseButton::mbRight) PopupAt(x, y);
}

void TBatterie::ZetSysTray2Click(TZetSysTray&, TMouseButton, int, int) { BarreTacheUniqueClick(); }

// --- Menu commands -------------------------------------------------------------

void TBatterie::Toujoursaudessus1Click() {
    stayOnTop_ = !stayOnTop_;
    window_.SetTopmost(stayOnTop_);
    Dragging = false;
}

void TBatterie::Afficherletemps1Click() {
    Dragging = false;
    state_.PercentMode = !state_.PercentMode;
    FormResize();
    RefreshStatus();
}

void TBatterie::TrayAuto1Click() {
    state_.TrayAuto = !state_.TrayAuto;
    ApplyTrayTheme();
}

void TBatterie::ApplyTrayTheme() {
    Image1.SetTrayTheme(state_.TrayAuto ? TaskbarTheme(platform_.registry) : TrayTheme::Classic);
}

void TBatterie::ChooseColour(Colour& colour) {
    Colour chosen = colour;
    if (!SelectColor.Execute(chosen)) return;
    colour = chosen;
    RefreshStatus();
}

void TBatterie::Details1Click() {
    if (details_) details_->Open();
    Dragging = false;
}

void TBatterie::APropos1Click() {
    // The tray icons stay usable while the dialog runs; one dialog at a time.
    if (aboutOpen_ || !platform_.runAboutBox) return;
    aboutOpen_ = true;
    try {
        platform_.runAboutBox();
    } catch (...) {
        aboutOpen_ = false;
        throw;
    }
    aboutOpen_ = false;
    Dragging = false;
}

void TBatterie::Fermer1Click() { window_.Close(); }

// --- Power -----------------------------------------------------------------------

void TBatterie::WMPowerBroadcast(uint32_t event) {
    // A sleep can end in an empty battery and no orderly close: what was
    // learned so far is kept first.
    if (event == kPowerSuspend) SaveSettingsNow();
    ChargeLogger* log = platform_.chargeLog;
    if (log && event == kPowerSuspend) log->Write(LogEvent::Sleep, state_.Power);
    refresh_.WMPowerBroadcast(event);
    // The wake's row holds the reading taken on waking.
    if (log && IsSleepEvent(event) && event != kPowerSuspend) log->Write(LogEvent::Wake, state_.Power);
    if (details_) details_->PowerChanged();
}

// A session that ends never destroys the window: its end is logged then.
void TBatterie::LogEnd() {
    if (platform_.chargeLog && !logEnded_) platform_.chargeLog->Write(LogEvent::Stop, state_.Power);
    logEnded_ = true;
}

// --- Window events ---------------------------------------------------------------

void TBatterie::OnEndSession() {
    LogEnd();
    if (sessionSaved_) return;
    sessionSaved_ = true;
    SaveSettingsNow();
}

void TBatterie::OnDestroy() { FormDestroy(); }

// Kavelo started again while running: the running gauge comes into view, as
// a double-click on its icon brings it.
void TBatterie::OnShowRequest() { Guarded([&] { ShowGauge(); }); }

void TBatterie::OnDpiChanged(int previousDpi, const WindowBounds& suggested) {
    // Where Windows suggests, at the size rule's size for the new scale (the
    // size it asked for first): grown or shrunk from its corner instead, the
    // window could fall back onto the monitor it came from, which would
    // change its scale back, and so on.
    Guarded([&] {
        if (window_.Dpi() == previousDpi) return;
        const WindowBounds size = SizeAtDpi(window_.Dpi());
        window_.SetBounds({suggested.left, suggested.top, size.width, size.height});
        ShowPicture();
        window_.Repaint();
    });
}

// --- What the refresh and the faces ask of the window --------------------------

void TBatterie::ShowLabel(const std::string& text) {
    Label1.Caption = text;
    Label1.Visible = true;
    window_.ShowLabel(text);
    ShowPicture();
}

void TBatterie::ShowFace(const std::string& text) {
    Label1.Caption = text;
    Label1.Visible = false;
    window_.HideLabel();
}

void TBatterie::SetCaption(const std::string& caption) {
    window_.SetCaption(caption);
    app_.SetHint(caption);
    app_.SetShowHint(true);
    app_.SetTitle(caption);
}

void TBatterie::UpdateTrayTip() {
    if (platform_.chargeLog) platform_.chargeLog->Observe(state_.Power);
    TipFacts facts = TipFactsOf(state_);
    facts.rateLine = RateLine();
    Tray.SetTip(TrayTip(facts));
}

std::string TBatterie::RateLine() {
    const PowerStatus& now = state_.Power;
    if (!platform_.figures) return {};
    if (rateDue_ || now.BatteryLifePercent != rateReadFor_.BatteryLifePercent ||
        now.ACLineStatus != rateReadFor_.ACLineStatus || now.BatteryFlag != rateReadFor_.BatteryFlag) {
        rateDue_ = false;
        rateReadFor_ = now;
        BatteryEnergy energy;
        rateLine_ = platform_.figures->ReadEnergy(energy) ? RateLineText(energy.rateMw, now) : std::string();
    }
    return rateLine_;
}

void TBatterie::FaceChanged() { ShowPicture(); }

void TBatterie::ShowPicture() {
    const int k = Scale();
    window_.SetPicture(ScaleUp(WindowPicture(Image1.Canvas(), window_.Width() / k, window_.Height() / k), k));
}

void TBatterie::ShowChargeAlert(const std::string& title, const std::string& text) {
    Tray.ShowBalloon(title, text);
}

void TBatterie::SetTrayImages(const PixelBuffer& left, const PixelBuffer& right) { Tray.SetImages(left, right); }

}  // namespace kavelo
