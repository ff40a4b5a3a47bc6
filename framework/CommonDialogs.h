// The seam for the system's font, colour, file and folder dialogs, so tests can answer them
// without a user (the real dialogs wait for one).
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <string>

namespace tembra {

class CommonDialogs {
public:
    virtual ~CommonDialogs() = default;
    // ChooseFontA. `*request.lpLogFont` changes only when the user pressed OK.
    virtual bool PickFont(CHOOSEFONTA& request) = 0;
    // ChooseColorA; `request.rgbResult` changes only on OK.
    virtual bool PickColor(CHOOSECOLORA& request) = 0;
    // GetOpenFileNameA; the file buffer changes only on OK.
    virtual bool PickOpenFile(OPENFILENAMEA& request) = 0;
    // SHBrowseForFolderA with `title` above the tree; on OK `*folder` becomes the chosen
    // folder's path (false, and no change, for Cancel or a folder with no path).
    virtual bool BrowseForFolder(HWND owner, const std::string& title, std::string* folder) = 0;
};

// The dialogs in force: the system's unless a test installed others.
CommonDialogs& Dialogs();
// Installs `dialogs` (nullptr restores the system's); returns the previous override.
CommonDialogs* SetCommonDialogs(CommonDialogs* dialogs);

}  // namespace tembra
