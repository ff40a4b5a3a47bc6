#include "framework/CommonDialogs.h"

#include <shlobj.h>

namespace tembra {
namespace {

class SystemDialogs : public CommonDialogs {
public:
    bool PickFont(CHOOSEFONTA& request) override {
        // The system may write into the font description even on Cancel (seen under Wine):
        // work on a copy and hand it back only on OK.
        if (!request.lpLogFont) return false;
        LOGFONTA font = *request.lpLogFont;
        CHOOSEFONTA copy = request;
        copy.lpLogFont = &font;
        if (!::ChooseFontA(&copy)) return false;
        *request.lpLogFont = font;
        request.iPointSize = copy.iPointSize;
        request.rgbColors = copy.rgbColors;
        request.nFontType = copy.nFontType;
        return true;
    }
    bool PickColor(CHOOSECOLORA& request) override { return ::ChooseColorA(&request) != FALSE; }
    bool PickOpenFile(OPENFILENAMEA& request) override {
        return ::GetOpenFileNameA(&request) != FALSE;
    }
    bool BrowseForFolder(HWND owner, const std::string& title, std::string* folder) override {
        char display[MAX_PATH] = "";
        BROWSEINFOA info{};
        info.hwndOwner = owner;
        info.pszDisplayName = display;
        info.lpszTitle = title.c_str();
        info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
        LPITEMIDLIST chosen = ::SHBrowseForFolderA(&info);
        if (!chosen) return false;
        char path[MAX_PATH] = "";
        const bool ok = SHGetPathFromIDListA(chosen, path) != FALSE;
        CoTaskMemFree(chosen);
        if (ok) *folder = path;
        return ok;
    }
};

CommonDialogs* g_override = nullptr;

}  // namespace

CommonDialogs& Dialogs() {
    static SystemDialogs system;
    return g_override ? *g_override : system;
}

CommonDialogs* SetCommonDialogs(CommonDialogs* dialogs) {
    CommonDialogs* previous = g_override;
    g_override = dialogs;
    return previous;
}

}  // namespace tembra
