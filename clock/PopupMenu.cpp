#include "clock/PopupMenu.h"

namespace tembra {

namespace {

MenuEntry Command(unsigned id, const char* text, bool checked = false) {
    MenuEntry e;
    e.id = id;
    e.text = text;
    e.checked = checked;
    return e;
}

MenuEntry Separator() {
    MenuEntry e;
    e.kind = MenuEntry::Kind::Separator;
    return e;
}

MenuEntry OptionsSubmenu(const MenuState& s) {
    MenuEntry sub;
    sub.kind = MenuEntry::Kind::Submenu;
    sub.text = "时钟选项(&O)";
    sub.items = {
        Command(kCmdDate, "显示日期(&D)", s.date),
        Command(kCmdSeconds, "显示秒(&S)", s.seconds),
        Command(kCmdTransparent, "透明背景(&T)", s.transparent),
        Command(kCmdTopMost, "总在最上(&M)", s.topMost),
        Command(kCmdColor2, "使用字体颜色 2(&F)", s.color2),
        Command(kCmdTwelveHours, "&12 小时模式", s.twelveHours),
        Command(kCmdLeadingZero, "显示前导零(&Z)", s.leadingZero),
        Command(kCmdNoMove, "锁定位置(&L)", s.noMove),
    };
    // A frame is drawn only round the opaque face.
    if (!s.transparent) sub.items.push_back(Command(kCmdBorder, "边框", s.border));
    return sub;
}

}  // namespace

std::vector<MenuEntry> BuildMenuModel(const MenuState& state) {
    std::vector<MenuEntry> menu;
    if (state.settings == OpenSettingsWindow::Sheet) {
        menu.push_back(Command(kCmdSwitchToSettings, "切换到参数设置(&S)"));
    } else if (state.settings == OpenSettingsWindow::NewEvent) {
        menu.push_back(Command(kCmdSwitchToSettings, "切换到新建事件选项(&S)"));
    } else {
        if (!state.trayMode) menu.push_back(OptionsSubmenu(state));
        menu.push_back(Command(kCmdSettings, "参数设置(&P)..."));
        menu.push_back(Separator());
        menu.push_back(Command(kCmdNewEvent, "新建事件(&N)..."));
        menu.push_back(Command(kCmdEventList, "显示事件列表(&S)..."));
    }
    menu.push_back(Separator());
    menu.push_back(Command(kCmdControlPanelTime, "通过控制面板调整时间(&T)..."));
    menu.push_back(Command(kCmdInternetTime, "通过 Internet 调整时间(&T)..."));
    menu.push_back(Separator());
    menu.push_back(Command(kCmdTray, state.trayMode ? "显示时钟(&H)" : "隐藏到托盘(&H)"));
    menu.push_back(Separator());
    menu.push_back(Command(kCmdAbout, "关于 Tembra Clock(&A)"));
    menu.push_back(Command(kCmdExit, "退出(&X)"));
    return menu;
}

}  // namespace tembra
