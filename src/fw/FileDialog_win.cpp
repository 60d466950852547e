// The file dialogs.
#include "fw/FileDialog_win.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "platform/Messages.h"
#include "platform/Wide_win.h"

namespace {

// The filter as the dialog takes it: pairs ended by NUL, the list by two. The
// "|" is replaced after widening: in Shift-JIS 0x7C can be a second byte (ポ).
std::wstring DialogFilter(const std::string& sjis)
{
    std::wstring w = Wide(sjis);
    for (wchar_t& c : w)
        if (c == L'|')
            c = L'\0';
    w.append(2, L'\0');
    return w;
}

bool RunDialog(HWND hOwner, CFileDialogOptions& o, bool bSave)
{
    std::wstring filter = DialogFilter(o.strFilter);
    std::wstring initialDir = Wide(o.strInitialDir);
    std::wstring defExt = Wide(o.strDefExt);
    std::vector<wchar_t> file(32768, L'\0');
    std::wstring proposed = Wide(o.strFileName);
    proposed.copy(file.data(), std::min(proposed.size(), file.size() - 1));

    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = hOwner;
    ofn.lpstrFilter = o.strFilter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(o.nFilterIndex);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
    ofn.lpstrDefExt = defExt.empty() ? nullptr : defExt.c_str();
    std::wstring title = Wide(o.strTitle);
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                (bSave ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    BOOL ok = bSave ? ::GetSaveFileNameW(&ofn) : ::GetOpenFileNameW(&ofn);
    if (!ok)
        return false;
    o.nFilterIndex = static_cast<int>(ofn.nFilterIndex);
    return PathFromSystem(file.data(), o.strFileName);
}

} // namespace

bool PathFromSystem(const std::wstring& wide, std::string& sjis)
{
    std::string narrow = Narrow(wide);
    if (Wide(narrow) != wide) {
        ErrorBox("%s\n\nこのファイル名には Shift-JIS にない文字が含まれているため、使えません。", narrow.c_str());
        return false;
    }
    sjis = std::move(narrow);
    return true;
}

bool PromptOpenFileName(HWND hOwner, CFileDialogOptions& options) { return RunDialog(hOwner, options, false); }

bool PromptSaveFileName(HWND hOwner, CFileDialogOptions& options) { return RunDialog(hOwner, options, true); }
