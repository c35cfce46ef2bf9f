#pragma once
// TBatterie: the gauge window's logic. It holds the window's components as
// named fields and its behaviour as handlers named after them, and drives
// the window, the tray icons and the dialogs through the platform
// interfaces, so that all of it runs natively under test.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/about_box.h"
#include "app/settings_sequences.h"
#include "app/tray_order.h"
#include "core/day_clock.h"
#include "core/gauge_state.h"
#include "core/low_battery_alert.h"
#include "core/power.h"
#include "core/refresh_cycle.h"
#include "core/timer.h"
#include "platform/application.h"
#include "platform/color_dialog.h"
#include "platform/gauge_window.h"
#include "platform/image_list.h"
#include "platform/notify_shell.h"
#include "platform/popup_menu.h"
#include "platform/registry.h"
#include "render/gauge_face.h"
#include "render/glyph_source.h"
#include "tray/zet_sys_tray.h"

namespace kavelo {

// Everything the gauge window reaches of the system.
struct BatteriePlatform {
    PowerSource& power;
    Clock& clock;
    Timer& timer1;
    GaugeWindowHost& window;
    Application& application;
    PopupMenuHost& menu;
    ColorDialog& colorDialog;
    NotifyShell& shell;
    ImageList& imageList;
    ErrorBox& errors;
    Registry& registry;
    const GlyphBitmapSource& glyphs;
    std::string programPath;
    // Runs the options dialog modally; set by the program's entry point.
    std::function<void()> runAboutBox;
    SettingsKeys settingsKeys{};
};

// Command ids of the context menu.
enum MenuCommand : int {
    kCmdTrayOnly = 101,
    kCmdAlwaysVisible,
    kCmdTimeEstimation,
    kCmdAbout,
    kCmdClose,
    kCmdColorNormal,
    kCmdColorAlert,
    kCmdColorTray,
    kCmdColorTrayPlugged,
    kCmdColorTrayShadow,
};

struct TMenuItem {
    int Command = 0;
    std::string Caption;
    bool Checked = false;
};

// The context menu and its colour submenu, in their order.
struct TPopupMenu {
    TMenuItem BarreTacheUnique{kCmdTrayOnly, "&Only on system tray", false};
    TMenuItem Toujoursaudessus1{kCmdAlwaysVisible, "&Always visible", true};
    TMenuItem MenuCouleur{0, "&Color", false};
    TMenuItem normale1{kCmdColorNormal, "&Normal...", false};
    TMenuItem alerte1{kCmdColorAlert, "&Alert...", false};
    TMenuItem Barredestches1{kCmdColorTray, "System tray (&battery)...", false};
    TMenuItem Barredestchessecteur1{kCmdColorTrayPlugged, "System tray (&plugged)...", false};
    TMenuItem BarredestchesOmbre1{kCmdColorTrayShadow, "System tray (&shadow)...", false};
    TMenuItem Afficherletemps1{kCmdTimeEstimation, "&Time estimation", true};
    TMenuItem N2{0, "-", false};
    TMenuItem APropos1{kCmdAbout, "A&bout Kavelo", false};
    TMenuItem N1{0, "-", false};
    TMenuItem Fermer1{kCmdClose, "&Close", false};

    std::vector<MenuItem> Items() const;
};

class TBatterie final : public GaugeWindowEvents,
                        public GaugeView,
                        public FaceHost,
                        public SettingsWindow,
                        public AlertMessageSink,
                        public AboutBoxHost {
    // Declared first: the components below are built over them.
    GaugeState& state_;
    BatteriePlatform& platform_;
    GaugeWindowHost& window_;
    Application& app_;
    LowBatteryAlert alert_;
    RefreshCycle refresh_;
    bool stayOnTop_ = false;
    bool sessionSaved_ = false;
    bool aboutOpen_ = false;

public:
    static constexpr const char* kHint = "Cliquez sur le bouton de droite pour le menu";
    static constexpr const char* kTrayTip = "Etat de la batterie";
    static constexpr const char* kFirstRunTitle = "Kavelo is running";
    static constexpr const char* kFirstRunText =
        "Two icons at the right of the taskbar show the charge.\n"
        "On Windows 11 they may hide behind the ^ arrow:\n"
        "drag both onto the taskbar, the left half first.\n"
        "Double-click an icon to show the gauge window.";

    TBatterie(GaugeState& state, BatteriePlatform& platform);
    ~TBatterie() override;

    // Creation and destruction sequences: the settings loaded and saved at
    // their places among the window's own steps.
    void FormCreate();
    void FormDestroy();
    // The start of the program: created, shown as the stored layout wants,
    // and hidden again at once in tray-only mode.
    void Start();
    // The destruction sequence's saving alone, for a session that ends or a
    // machine that sleeps without the window ever being destroyed.
    void SaveSettingsNow();

    // Components
    struct { int BorderWidth = 0; } Panel1;
    GaugeFace Image1;
    struct { std::string Caption = "Label1"; bool Visible = false; } Label1;
    Timer& Timer1;
    TPopupMenu PopupMenu1;
    ColorDialog& SelectColor;
    ImageList& ImageList1;
    TZetSysTray ZetSysTray1;
    TZetSysTray ZetSysTray2;

    // Window state
    bool Dragging = false;
    int32_t DragOriginX = 0;
    int32_t DragOriginY = 0;
    MouseButton LastButton = MouseButton::Middle;

    // Handlers
    void FormResize() override;
    void Image1MouseDown(MouseButton button, int x, int y);
    void Image1MouseUp(MouseButton button, int x, int y);
    void FormMouseMove(int x, int y);
    void Image1DblClick();
    void ShowGauge();
    void HideToTray();
    void ZetSysTray2Click(TZetSysTray& sender, TMouseButton button, int x, int y);
    void ZetSysTray2DblClick(TZetSysTray& sender, TMouseButton button, int x, int y);
    void BarreTacheUniqueClick();
    void Toujoursaudessus1Click() override;
    void Afficherletemps1Click();
    void normale1Click() { ChooseColour(state_.NormalColor); }
    void alerte1Click() { ChooseColour(state_.AlertColor); }
    void Barredestches1Click() { ChooseColour(state_.TrayColor); }
    void Barredestchessecteur1Click() { ChooseColour(state_.TrayPlugedColor); }
    void BarredestchesOmbre1Click() { ChooseColour(state_.TrayShadowColor); }
    void APropos1Click();
    void Fermer1Click();

    // The refresh cycle
    void RefreshStatus() override { refresh_.RefreshStatus(); }
    void ResetHistory() override { refresh_.ResetHistory(); }
    void Timer1Timer() { refresh_.Timer1Timer(); }
    void WMPowerBroadcast(uint32_t event);
    void FormActivate() { refresh_.FormActivate(); }
    void CheckLowBatteryAlert() { alert_.CheckLowBatteryAlert(); }

    // Runs a context-menu command by its id.
    void RunCommand(int command);

    // GaugeWindowEvents: every event's errors end in the error box.
    void OnActivate() override;
    void OnResize() override;
    void OnMouseDown(MouseButton button, int x, int y) override;
    void OnMouseUp(MouseButton button, int x, int y) override;
    void OnMouseMove(int x, int y) override;
    void OnClick() override;
    void OnDblClick() override;
    void OnContextPopup(int screenX, int screenY) override;
    void OnPowerBroadcast(uint32_t event) override;
    void OnTimer1() override;
    void OnEndSession() override;
    void OnDestroy() override;
    WindowBounds SizeAtDpi(int dpi) override;
    void OnDpiChanged(int previousDpi, const WindowBounds& suggested) override;
    void OnShowRequest() override;

    // GaugeView
    void ShowPercent(uint8_t percent) override { Image1.ShowPercent(percent); }
    void DrawTimeFace(int32_t seconds) override { Image1.DrawTimeFace(seconds); }
    void DrawBlackPhase() override { Image1.DrawBlackPhase(); }
    void ShowLabel(const std::string& text) override;
    void ShowFace(const std::string& text) override;
    bool IsMinimised() const override { return window_.IsMinimised(); }
    void SetCaption(const std::string& caption) override;
    void UpdateTrayTip() override;
    void ShowChargeAlert(const std::string& title, const std::string& text) override;

    // FaceHost
    void ProcessMessages() override { app_.ProcessMessages(); }
    void FaceChanged() override;
    void SetTrayImages(const PixelBuffer& left, const PixelBuffer& right) override;

    // SettingsWindow
    void SetTop(int32_t top) override { window_.SetTop(top); }
    void SetLeft(int32_t left) override { window_.SetLeft(left); }
    int32_t Top() const override { return window_.Top(); }
    int32_t Left() const override { return window_.Left(); }
    void SetStayOnTopCheck(bool checked) override { PopupMenu1.Toujoursaudessus1.Checked = checked; }
    bool IsStayOnTop() const override { return stayOnTop_; }
    void SetTrayOnlyCheck(bool checked) override { PopupMenu1.BarreTacheUnique.Checked = checked; }
    bool TrayOnlyChecked() const override { return PopupMenu1.BarreTacheUnique.Checked; }

    // AlertMessageSink
    void ShowAlertMessage(const std::string& text) override { app_.ShowInformation(text); }

private:
    void Save();
    void ChooseColour(Colour& colour);
    void PopupAt(int x, int y);
    void ShowPicture();
    template <typename F> void Guarded(F&& handler);
    void SetupTray(TZetSysTray& tray, int image);
    // The window's scale factor k at its monitor's DPI.
    int Scale() const;
    // Tray pictures and image list at the notification area's icon size.
    void SetTrayIconSize(int size);
    // The icon that shows the left half, by the order in use.
    TZetSysTray& LeftTray() { return trayOrder_ == TrayOrder::Swapped ? ZetSysTray2 : ZetSysTray1; }
    // The halves handed to the icons in the order in use.
    void HandTrayImages();
    // Asks the shell where both icons stand and, when that calls for another
    // order, hands the halves over again; `throttled` reads at most once a
    // second (pointer moves).
    void CheckTrayOrder(bool throttled = false);

    TrayOrder trayOrder_ = TrayOrder::Normal;
    PixelBuffer trayLeft_, trayRight_;
    bool trayOrderRead_ = false;
    int32_t lastOrderRead_ = -1;  // day clock of the last throttled reading
    bool firstRun_ = false;        // no settings were stored when the program started
};

}  // namespace kavelo
