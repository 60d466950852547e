// The warning and overwrite questions of the parts dialog.
#include "app/PartsPrompts_win.h"

#include "app/PartsResource.h"
#include "mail/PartNames.h"
#include "platform/Messages.h"
#include "platform/Wide_win.h"
#include "text/Unicode.h"

CPartActionDlg::CPartActionDlg(std::string strName) : CDialog(IDD_PARTS_ACTION), m_strName(std::move(strName)) {}

bool CPartActionDlg::OnInitDialog()
{
    SetItemText(IDC_ACTION_NAME, m_strName);
    ::SetDlgItemTextW(m_hWnd, IDC_ACTION_TEXT,
                      L"添付ﾌｧｲﾙの表示・実行には注意が必要です。\n"
                      L"exe, com, bat などの拡張子を持つﾌﾟﾛｸﾞﾗﾑを実行したり、ﾜｰﾄﾞやｴｸｾﾙのようなﾏｸﾛ機能を持つﾌﾟﾛｸﾞﾗﾑの"
                      L"ﾄﾞｷｭﾒﾝﾄを表示したりすることは、ｳｨﾙｽ感染の危険を伴います。\n"
                      L"これはﾃﾞｨｽｸに保存した後に表示・実行する場合でも同様です。");
    return true;
}

bool CPartActionDlg::OnControl(int nId, UINT nCode, HWND)
{
    if (nCode != BN_CLICKED || (nId != IDC_ACTION_SAVE && nId != IDC_ACTION_RUN))
        return false;
    EndDialog(nId);
    return true;
}

COverwriteDlg::COverwriteDlg(std::string strName) : CDialog(IDD_PARTS_OVERWRITE), m_strName(std::move(strName)) {}

EOverwrite COverwriteDlg::Ask(HWND hParent)
{
    switch (DoModal(hParent)) {
    case IDC_OVERWRITE_RENAME:
        return EOverwrite::Rename;
    case IDC_OVERWRITE_YES:
        return EOverwrite::Overwrite;
    case IDC_OVERWRITE_ALL:
        return EOverwrite::OverwriteAll;
    case IDC_OVERWRITE_SKIP:
        return EOverwrite::Skip;
    default:
        return EOverwrite::Cancel;
    }
}

bool COverwriteDlg::OnInitDialog()
{
    std::wstring text = L"このメールには既に " + Wide(m_strName) + L" というファイルが添付されています。\n\n上書きしますか。";
    ::SetDlgItemTextW(m_hWnd, IDC_OVERWRITE_TEXT, text.c_str());
    SetItemText(IDC_OVERWRITE_NAME, m_strName);
    return true;
}

bool COverwriteDlg::OnControl(int nId, UINT nCode, HWND)
{
    if (nCode != BN_CLICKED)
        return false;
    switch (nId) {
    case IDC_OVERWRITE_RENAME: {
        std::string name = ItemText(IDC_OVERWRITE_NAME);
        if (const char* problem = NewPartNameProblem(name)) {
            ErrorBox("%s", Utf8ToSjis(problem).c_str());
            ::SetFocus(Item(IDC_OVERWRITE_NAME));
            return true;
        }
        m_strNewName = name;
        EndDialog(nId);
        return true;
    }
    case IDC_OVERWRITE_YES:
    case IDC_OVERWRITE_ALL:
    case IDC_OVERWRITE_SKIP:
        EndDialog(nId);
        return true;
    default:
        return false;
    }
}
