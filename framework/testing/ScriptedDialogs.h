// Answers the system's font, colour, file and folder dialogs for a test: each request is
// counted and handed to the test's answer, which fills the request in and returns OK (true)
// or Cancel (false). Without an answer every dialog is cancelled. Installed while it lives.
#pragma once
#include <functional>

#include "framework/CommonDialogs.h"

namespace tembra::test {

class ScriptedDialogs : public CommonDialogs {
public:
    ScriptedDialogs() : previous_(SetCommonDialogs(this)) {}
    ~ScriptedDialogs() override { SetCommonDialogs(previous_); }
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    std::function<bool(CHOOSEFONTA&)> onFont;
    std::function<bool(CHOOSECOLORA&)> onColor;
    std::function<bool(OPENFILENAMEA&)> onOpenFile;
    std::function<bool(const std::string& title, std::string* folder)> onFolder;
    int fontRequests = 0, colorRequests = 0, fileRequests = 0, folderRequests = 0;

    bool PickFont(CHOOSEFONTA& request) override {
        ++fontRequests;
        return onFont && onFont(request);
    }
    bool PickColor(CHOOSECOLORA& request) override {
        ++colorRequests;
        return onColor && onColor(request);
    }
    bool PickOpenFile(OPENFILENAMEA& request) override {
        ++fileRequests;
        return onOpenFile && onOpenFile(request);
    }
    bool BrowseForFolder(HWND, const std::string& title, std::string* folder) override {
        ++folderRequests;
        return onFolder && onFolder(title, folder);
    }

private:
    CommonDialogs* previous_;
};

}  // namespace tembra::test
