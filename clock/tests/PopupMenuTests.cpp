#include <gtest/gtest.h>

#include "clock/PopupMenu.h"

using namespace tembra;

namespace {

using Kind = MenuEntry::Kind;

// "id:text" per item, "-" for a separator, ">text" for a submenu; a "*" marks a check.
std::vector<std::string> Describe(const std::vector<MenuEntry>& menu) {
    std::vector<std::string> out;
    for (const MenuEntry& e : menu) {
        if (e.kind == Kind::Separator)
            out.push_back("-");
        else if (e.kind == Kind::Submenu)
            out.push_back(">" + e.text);
        else
            out.push_back(std::to_string(e.id) + ":" + e.text + (e.checked ? "*" : ""));
    }
    return out;
}

const std::vector<std::string> kTail{
    "-",       "16:通过控制面板调整时间(&T)...", "18:通过 Internet 调整时间(&T)...", "-",
    "10:隐藏到托盘(&H)", "-", "17:关于 Tembra Clock(&A)", "2:退出(&X)"};

std::vector<std::string> WithTail(std::vector<std::string> head) {
    head.insert(head.end(), kTail.begin(), kTail.end());
    return head;
}

}  // namespace

TEST(PopupMenuModel, NothingOpenHoldsTheOptionsAndTheSettingsCommands) {
    MenuState s;
    std::vector<MenuEntry> menu = BuildMenuModel(s);
    EXPECT_EQ(Describe(menu), WithTail({">时钟选项(&O)", "1:参数设置(&P)...", "-",
                                        "14:新建事件(&N)...", "15:显示事件列表(&S)..."}));
    EXPECT_EQ(Describe(menu[0].items),
              (std::vector<std::string>{"3:显示日期(&D)", "4:显示秒(&S)", "5:透明背景(&T)",
                                        "6:总在最上(&M)", "7:使用字体颜色 2(&F)",
                                        "12:&12 小时模式", "11:显示前导零(&Z)",
                                        "9:锁定位置(&L)", "8:边框"}));
}

TEST(PopupMenuModel, EachOptionChecksItsOwnItem) {
    struct Case {
        bool MenuState::*flag;
        unsigned id;
    };
    const Case cases[] = {{&MenuState::date, 3},        {&MenuState::seconds, 4},
                          {&MenuState::transparent, 5}, {&MenuState::topMost, 6},
                          {&MenuState::color2, 7},      {&MenuState::twelveHours, 12},
                          {&MenuState::leadingZero, 11}, {&MenuState::noMove, 9},
                          {&MenuState::border, 8}};
    for (const Case& c : cases) {
        MenuState s;
        s.*(c.flag) = true;
        std::vector<MenuEntry> menu = BuildMenuModel(s);
        for (const MenuEntry& item : menu[0].items)
            EXPECT_EQ(item.checked, item.id == c.id) << "option for " << c.id << ", item " << item.id;
    }
}

TEST(PopupMenuModel, OnlyTransparentModeRemovesTheFrameItem) {
    MenuState s;
    s.transparent = true;
    s.border = true;
    std::vector<MenuEntry> menu = BuildMenuModel(s);
    ASSERT_EQ(menu[0].items.size(), 8u);
    EXPECT_EQ(menu[0].items.back().id, static_cast<unsigned>(kCmdNoMove));
    EXPECT_TRUE(menu[0].items[2].checked);

    // Opaque, the item is there whether the frame is on or off.
    for (bool border : {true, false}) {
        s.transparent = false;
        s.border = border;
        menu = BuildMenuModel(s);
        ASSERT_EQ(menu[0].items.size(), 9u) << border;
        EXPECT_EQ(menu[0].items.back().id, static_cast<unsigned>(kCmdBorder)) << border;
        EXPECT_EQ(menu[0].items.back().checked, border);
    }
}

TEST(PopupMenuModel, TrayModeHasNoSubmenuAndOffersToShowTheClock) {
    MenuState s;
    s.trayMode = true;
    std::vector<std::string> expected{"1:参数设置(&P)...", "-", "14:新建事件(&N)...",
                                      "15:显示事件列表(&S)..."};
    std::vector<std::string> tail = kTail;
    tail[4] = "10:显示时钟(&H)";
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(Describe(BuildMenuModel(s)), expected);
}

TEST(PopupMenuModel, OpenSheetLeavesOnlyTheSwitchAndTheTail) {
    MenuState s;
    s.settings = OpenSettingsWindow::Sheet;
    EXPECT_EQ(Describe(BuildMenuModel(s)), WithTail({"13:切换到参数设置(&S)"}));
    s.trayMode = true;
    EXPECT_EQ(BuildMenuModel(s).size(), 9u);
    EXPECT_EQ(BuildMenuModel(s)[5].text, "显示时钟(&H)");
}

TEST(PopupMenuModel, OpenNewEventDialogNamesItsOwnSwitch) {
    MenuState s;
    s.settings = OpenSettingsWindow::NewEvent;
    EXPECT_EQ(Describe(BuildMenuModel(s)), WithTail({"13:切换到新建事件选项(&S)"}));
}
