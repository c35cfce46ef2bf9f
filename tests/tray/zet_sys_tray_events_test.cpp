#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "fakes/fake_shell.h"
#include "tray/zet_sys_tray.h"

namespace kavelo {
namespace {

using fakes::FakeShell;
using fakes::ShellCall;

struct Event {
    std::string kind;
    int button;
    int x, y;
    bool operator==(const Event&) const = default;
};

class TrayEventsTest : public ::testing::Test {
protected:
    TrayEventsTest() {
        list.AddPlain(0x0000FF);
        list.AddPlain(0x00FF00);
        tray = Make(0);
    }

    std::unique_ptr<TZetSysTray> Make(int image) {
        auto t = std::make_unique<TZetSysTray>(shell, errors);
        t->SetIcons(&list);
        t->SetIconItemLast(image);
        t->SetIconItemFirst(image);
        t->SetTip("tip");
        t->SetInterval(0);
        t->SetOnClick([this](TZetSysTray& s, TMouseButton b, int x, int y) { Record(s, "click", b, x, y); });
        t->SetOnDblClick([this](TZetSysTray& s, TMouseButton b, int x, int y) { Record(s, "dblclick", b, x, y); });
        t->SetOnMouseMove([this](TZetSysTray& s, int x, int y) { Record(s, "move", TMouseButton::mbLeft, x, y); });
        t->SetActive(true);
        return t;
    }
    void Record(TZetSysTray& sender, const char* kind, TMouseButton b, int x, int y) {
        senders.push_back(&sender);
        events.push_back({kind, static_cast<int>(b), x, y});
    }
    std::intptr_t Mouse(std::intptr_t message) { return shell.Callback(tray->WindowHandle(), message); }

    FakeShell shell;
    fakes::FakeImageList list;
    fakes::FakeErrorBox errors;
    std::unique_ptr<TZetSysTray> tray;
    std::vector<Event> events;
    std::vector<TZetSysTray*> senders;
};

TEST_F(TrayEventsTest, LeftDoubleClickIsClickDoubleClickClick) {
    shell.cursor = {790, 590};
    for (std::intptr_t m : {kLButtonDown, kLButtonUp, kLButtonDblClk, kLButtonUp}) EXPECT_EQ(Mouse(m), 0);
    const std::vector<Event> expected{{"click", 0, 790, 590}, {"dblclick", 0, 790, 590}, {"click", 0, 790, 590}};
    EXPECT_EQ(events, expected);
    for (TZetSysTray* s : senders) EXPECT_EQ(s, tray.get());
}

// Releases click and double-clicks double-click, with the buttons numbered
// left 0, right 1, middle 2; presses and anything else report nothing.
TEST_F(TrayEventsTest, ButtonsAreNumberedAndPressesReportNothing) {
    for (std::intptr_t m : {kRButtonUp, kMButtonUp, kRButtonDblClk, kMButtonDblClk, kLButtonDown, kRButtonDown,
                            kMButtonDown, std::intptr_t{0x0400}, std::intptr_t{0}})
        Mouse(m);
    const std::vector<Event> expected{
        {"click", 1, 0, 0}, {"click", 2, 0, 0}, {"dblclick", 1, 0, 0}, {"dblclick", 2, 0, 0}};
    EXPECT_EQ(std::pair(events, errors.shown.empty()), std::pair(expected, true));
}

TEST_F(TrayEventsTest, PositionIsReadWhenTheMessageIsHandled) {
    shell.cursor = {10, 20};
    Mouse(kMouseMove);
    shell.cursor = {-300, 1200};  // a monitor left of the primary one
    Mouse(kRButtonUp);
    const std::vector<Event> expected{{"move", 0, 10, 20}, {"click", 1, -300, 1200}};
    EXPECT_EQ(events, expected);
}

TEST_F(TrayEventsTest, UnassignedHandlersAreSkipped) {
    tray->SetOnClick(nullptr);
    tray->SetOnMouseMove(nullptr);
    Mouse(kLButtonUp);
    Mouse(kMouseMove);
    Mouse(kLButtonDblClk);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, "dblclick");
}

TEST_F(TrayEventsTest, EachInstanceReportsItsOwnWindowsEvents) {
    auto other = Make(1);
    shell.Callback(other->WindowHandle(), kRButtonUp);
    ASSERT_EQ(senders.size(), 1u);
    EXPECT_EQ(senders[0], other.get());
}

TEST_F(TrayEventsTest, OtherMessagesGoToTheDefaultProcedure) {
    FakeShell::Window& w = shell.WindowOf(tray->WindowHandle());
    EXPECT_EQ(w.Send(0x0113 /* WM_TIMER */, 1, 2), FakeShell::kDefaultResult);
    EXPECT_EQ(w.Send(TrayCallbackMessage + 1, 0, kLButtonUp), FakeShell::kDefaultResult);
    EXPECT_EQ(w.defaulted, (std::vector<std::uint32_t>{0x0113, TrayCallbackMessage + 1}));
    EXPECT_TRUE(events.empty());
}

TEST_F(TrayEventsTest, AnErrorInAHandlerIsReportedAndTheIconGoesOn) {
    tray->SetOnClick([](TZetSysTray&, TMouseButton, int, int) -> void { throw std::runtime_error("Registry failure"); });
    EXPECT_EQ(Mouse(kLButtonUp), 0);
    EXPECT_EQ(errors.shown, std::vector<std::string>{"Registry failure"});

    tray->SetOnDblClick([](TZetSysTray&, TMouseButton, int, int) -> void { throw 42; });
    Mouse(kLButtonDblClk);
    EXPECT_EQ(errors.shown.size(), 2u) << "anything thrown is caught";

    Mouse(kMouseMove);
    EXPECT_EQ(events.size(), 1u) << "later events still arrive";
    tray->SetTip("still working");
    EXPECT_EQ(shell.calls.back().Tip(), "still working");
}

TEST_F(TrayEventsTest, IconComesBackWhenTheTaskbarIsMadeAnew) {
    auto second = Make(1);
    tray->SetTip("Battery :  80%");
    const std::size_t before = shell.calls.size();
    shell.RestartTaskbar();
    ASSERT_EQ(shell.calls.size(), before + 2);
    for (std::size_t i = before; i < shell.calls.size(); ++i) EXPECT_EQ(shell.calls[i].kind, ShellCall::Add);
    ASSERT_EQ(shell.area.size(), 2u);
    const NotifyIconData& again = shell.area.at({tray->WindowHandle(), 1});
    EXPECT_EQ(std::string(again.szTip), "Battery :  80%");
    EXPECT_EQ(list.ImageOf(again.hIcon), 0);
    EXPECT_EQ(again.uCallbackMessage, TrayCallbackMessage);
    EXPECT_EQ(list.ImageOf(shell.area.at({second->WindowHandle(), 1}).hIcon), 1);

    // Later updates go on modifying the icon that was added again.
    tray->UpdateIcon();
    EXPECT_EQ(shell.calls.back().kind, ShellCall::Modify);
}

TEST_F(TrayEventsTest, IconStillPresentIsModifiedInsteadOfAddedTwice) {
    const std::size_t before = shell.calls.size();
    shell.BroadcastTaskbarCreated();
    ASSERT_EQ(shell.calls.size(), before + 2);
    EXPECT_EQ(shell.calls[before].kind, ShellCall::Add);
    EXPECT_EQ(shell.calls[before + 1].kind, ShellCall::Modify);
    EXPECT_EQ(shell.area.size(), 1u);
}

TEST_F(TrayEventsTest, TaskbarCreatedLeavesAHiddenIconHidden) {
    tray->SetActive(false);
    TZetSysTray noImages(shell, errors);
    noImages.SetActive(true);
    const std::size_t before = shell.calls.size();
    shell.RestartTaskbar();
    EXPECT_EQ(shell.calls.size(), before);
    EXPECT_TRUE(shell.area.empty());
    tray->SetActive(true);
    EXPECT_EQ(shell.area.size(), 1u);
}

}  // namespace
}  // namespace kavelo
