#include "app/batterie.h"

#include <algorithm>
#include <exception>

#include "render/pixel_buffer.h"
#include "render/tray_picture.h"
#include "render/window_picture.h"

namespace kavelo {

std::vector<MenuItem> TPopupMenu::Items() const {
    auto item = [](const TMenuItem& m) { return MenuItem{m.Command, m.Caption, m.Checked, {}}; };
    MenuItem colours = item(MenuCouleur);
    colours.items = {item(normale1), item(alerte1), item(Barredestches1), item(Barredestchessecteur1),
                     item(BarredestchesOmbre1)};
    return {item(BarreTacheUnique), item(Toujoursaudessus1), colours, item(Afficherletemps1),
            item(N2), item(APropos1), item(N1), item(Fermer1)};
}

TBatterie::TBatterie(GaugeState& state, BatteriePlatform& platform)
    : state_(state),
      platform_(platform),
      window_(platform.window),
      app_(platform.application),
      alert_(state, platform.power, *this),
      refresh_(state, platform.power, platform.clock, platform.timer1, *this, alert_),
      Image1(state, platform.timer1, platform.power, alert_, *this),
      Timer1(platform.timer1),
      SelectColor(platform.colorDialog),
      ImageList1(platform.imageList),
      // Ids 1 and 2: the left and the right half, told apart by Windows
      // across runs.
      ZetSysTray1(platform.shell, platform.errors, 1),
      ZetSysTray2(platform.shell, platform.errors, 2) {
    // The stored layout: the tray components inactive, one image each.
    SetupTray(ZetSysTray1, 0);
    SetupTray(ZetSysTray2, 1);
    Timer1.SetEnabled(false);
}

TBatterie::~TBatterie() = default;

void TBatterie::SetupTray(TZetSysTray& tray, int image) {
    tray.SetIcons(&ImageList1);
    tray.SetIconItemLast(image);
    tray.SetIconItemFirst(image);
    tray.SetTip(kTrayTip);
    tray.SetInterval(0);
    // Crossed on purpose: a click goes to ZetSysTray2DblClick (the menu on a
    // right click), a double-click to ZetSysTray2Click (tray-only toggle).
    tray.SetOnClick([this](TZetSysTray& s, TMouseButton b, int x, int y) { ZetSysTray2DblClick(s, b, x, y); });
    tray.SetOnDblClick([this](TZetSysTray& s, TMouseButton b, int x, int y) { ZetSysTray2Click(s, b, x, y); });
    tray.SetOnIconSizeChange([this](TZetSysTray&, int size) {
        SetTrayIconSize(size);
        CheckTrayOrder();
    });
    tray.SetOnTaskbarCreated([this](TZetSysTray&) { CheckTrayOrder(); });
    tray.SetOnMouseMove([this](TZetSysTray&, int, int) { CheckTrayOrder(true); });
    tray.SetActive(false);
}

void TBatterie::SetTrayIconSize(int size) {
    // Both hidden windows hear of the same change; the second finds it done.
    size = std::max(size, kTrayIconSize);
    ImageList1.SetSize(size);
    Image1.SetTrayIconSize(size);
}

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
    SetTrayIconSize(platform_.shell.IconSize());
    Image1.LoadGlyphStrips(platform_.glyphs);
    Image1.DrawPercentFace(100);
    state_.ShownPercent = 100;
    // Both icons are in place now. Windows 11 puts new icons behind the ^
    // arrow, where a first-time user finds nothing: say where they are.
    if (firstRun_) LeftTray().ShowBalloon(kFirstRunTitle, kFirstRunText);
    app_.HideTaskbarEntry();
    Afficherletemps1Click();
}

void TBatterie::Start() {
    FormCreate();
    // Settings read as stored may place the window on a screen that's gone.
    window_.KeepOnAMonitor();
    window_.Show();
    if (PopupMenu1.BarreTacheUnique.Checked) window_.Hide();
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
    PopupMenu1.BarreTacheUnique.Checked = true;
}

void TBatterie::ShowGauge() {
    window_.Show();
    app_.RestoreTaskbarEntry();
    PopupMenu1.BarreTacheUnique.Checked = false;
    Dragging = false;
    refresh_.UpdatePowerSource();
    window_.Repaint();
}

void TBatterie::BarreTacheUniqueClick() {
    PopupMenu1.BarreTacheUnique.Checked = !PopupMenu1.BarreTacheUnique.Checked;
    if (PopupMenu1.BarreTacheUnique.Checked)
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
    PopupMenu1.Toujoursaudessus1.Checked = !PopupMenu1.Toujoursaudessus1.Checked;
    stayOnTop_ = PopupMenu1.Toujoursaudessus1.Checked;
    window_.SetTopmost(stayOnTop_);
    Dragging = false;
}

void TBatterie::Afficherletemps1Click() {
    Dragging = false;
    state_.PercentMode = !state_.PercentMode;
    PopupMenu1.Afficherletemps1.Checked = !state_.PercentMode;
    FormResize();
    RefreshStatus();
}

void TBatterie::ChooseColour(Colour& colour) {
    Colour chosen = colour;
    if (!SelectColor.Execute(chosen)) return;
    colour = chosen;
    RefreshStatus();
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

void TBatterie::RunCommand(int command) {
    switch (command) {
    case kCmdTrayOnly: BarreTacheUniqueClick(); break;
    case kCmdAlwaysVisible: Toujoursaudessus1Click(); break;
    case kCmdTimeEstimation: Afficherletemps1Click(); break;
    case kCmdAbout: APropos1Click(); break;
    case kCmdClose: Fermer1Click(); break;
    case kCmdColorNormal: normale1Click(); break;
    case kCmdColorAlert: alerte1Click(); break;
    case kCmdColorTray: Barredestches1Click(); break;
    case kCmdColorTrayPlugged: Barredestchessecteur1Click(); break;
    case kCmdColorTrayShadow: BarredestchesOmbre1Click(); break;
    default: break;
    }
}

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
}

// A session that ends never destroys the window: its end is logged then.
void TBatterie::LogEnd() {
    if (platform_.chargeLog && !logEnded_) platform_.chargeLog->Write(LogEvent::Stop, state_.Power);
    logEnded_ = true;
}

// --- Window events ---------------------------------------------------------------

template <typename F>
void TBatterie::Guarded(F&& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        app_.ShowError(e.what());
    }
}

void TBatterie::OnActivate() { Guarded([&] { FormActivate(); }); }
void TBatterie::OnResize() { Guarded([&] { FormResize(); ShowPicture(); }); }
void TBatterie::OnMouseDown(MouseButton b, int x, int y) { Guarded([&] { Image1MouseDown(b, x, y); }); }
void TBatterie::OnMouseUp(MouseButton b, int x, int y) { Guarded([&] { Image1MouseUp(b, x, y); }); }
void TBatterie::OnMouseMove(int x, int y) { Guarded([&] { FormMouseMove(x, y); }); }
void TBatterie::OnClick() { Guarded([&] { Image1DblClick(); }); }
void TBatterie::OnDblClick() { Guarded([&] { Image1DblClick(); }); }
void TBatterie::OnContextPopup(int x, int y) { Guarded([&] { PopupAt(x, y); }); }
void TBatterie::OnPowerBroadcast(uint32_t event) { Guarded([&] { WMPowerBroadcast(event); }); }
void TBatterie::OnTimer1() { Guarded([&] { Timer1Timer(); }); }

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
    PowerStatus now = state_.Power;  // what a failed reading leaves
    platform_.power.Read(now);
    std::string tip = TrayTipText(now.BatteryLifePercent, state_.OnMains);
    if (state_.OnMains && state_.SecondsToFull >= 0) {
        tip += '\n';
        tip += FullInText(state_.SecondsToFull);
    }
    ZetSysTray1.ChangeTip(tip);
    ZetSysTray2.ChangeTip(tip);
}

void TBatterie::FaceChanged() { ShowPicture(); }

void TBatterie::ShowPicture() {
    const int k = Scale();
    window_.SetPicture(ScaleUp(WindowPicture(Image1.Canvas(), window_.Width() / k, window_.Height() / k), k));
}

namespace {
bool Holds(const ImageList& list, int index, const PixelBuffer& picture) {
    const std::uint32_t* pixels = list.Pixels(index);
    const std::size_t n = static_cast<std::size_t>(picture.Width()) * static_cast<std::size_t>(picture.Height());
    return pixels && list.Size() == picture.Width() && std::equal(pixels, pixels + n, picture.Data());
}
}  // namespace

void TBatterie::ShowChargeAlert(const std::string& title, const std::string& text) {
    LeftTray().ShowBalloon(title, text);
}

void TBatterie::SetTrayImages(const PixelBuffer& left, const PixelBuffer& right) {
    trayLeft_ = left;
    trayRight_ = right;
    HandTrayImages();
    if (!trayOrderRead_) {
        trayOrderRead_ = true;  // both icons were added just now
        CheckTrayOrder();
    }
}

void TBatterie::HandTrayImages() {
    // Image 0 is ZetSysTray1's, image 1 ZetSysTray2's.
    const bool swapped = trayOrder_ == TrayOrder::Swapped;
    const PixelBuffer& first = swapped ? trayRight_ : trayLeft_;
    const PixelBuffer& second = swapped ? trayLeft_ : trayRight_;
    // Most faces painted bring the same two pictures again (every tick on
    // mains): the list keeps them, and each icon is sent only what changed
    // for it since it was last sent.
    if (ImageList1.Count() != 2 || !Holds(ImageList1, 0, first) || !Holds(ImageList1, 1, second)) {
        ImageList1.Clear();
        ImageList1.Add(first.Data());
        ImageList1.Add(second.Data());
    }
    // The shell puts each new icon to the left of those it has: the right
    // half goes in first, or the picture would read "30 9:" for 9:30.
    ZetSysTray2.SetActive(true);
    ZetSysTray1.SetActive(true);
    ZetSysTray1.UpdateChangedIcon();
    ZetSysTray2.UpdateChangedIcon();
}

void TBatterie::CheckTrayOrder(bool throttled) {
    if (throttled) {
        const int32_t now = MillisecondsOfDay(platform_.clock);
        if (lastOrderRead_ >= 0 && now >= lastOrderRead_ && now - lastOrderRead_ < 1000) return;
        lastOrderRead_ = now;
    }
    const TrayOrder order = OrderFromPlaces(ZetSysTray1.Rect(), ZetSysTray2.Rect(), trayOrder_);
    if (order == trayOrder_) return;
    trayOrder_ = order;
    if (trayLeft_.Width() > 0) HandTrayImages();
}

}  // namespace kavelo
