// The mail commands and the address opener of the editor.
#include "app/MailCommands_win.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/EditorApp_win.h"
#include "app/MainFrame_win.h"
#include "fw/CmdTarget.h"
#include "fw/DocFlow_win.h"
#include "fw/MdiChildWnd_win.h"
#include "keys/CommandIds.h"
#include "mail/MailClientLink_win.h"
#include "platform/Messages.h"
#include "settings/AppSettings.h"
#include "text/Doc.h"
#include "view/BrowserAddressOpener_win.h"

namespace {

std::unique_ptr<CMailClientLink>& LinkHolder()
{
    static std::unique_ptr<CMailClientLink> s_pLink;
    return s_pLink;
}

CMDIChildWnd* ActiveMailWindow()
{
    CMainFrame* pMain = EditorApp() ? EditorApp()->GetMainFrame() : nullptr;
    return pMain ? pMain->MDIGetActive() : nullptr;
}

CDoc* ActiveMailDocument()
{
    CMDIChildWnd* pChild = ActiveMailWindow();
    auto* pDoc = pChild ? dynamic_cast<CDoc*>(pChild->GetDocument()) : nullptr;
    return pDoc && !pDoc->GetPathName().empty() ? pDoc : nullptr;
}

// A document may go while a command waits for the mail client.
bool StillOpen(const CDoc* pDoc)
{
    std::vector<CDocBase*> docs = EditorApp()->GetDocuments();
    return std::find(docs.begin(), docs.end(), pDoc) != docs.end();
}

int MailMode() { return AppSettings().m_nMailMode; }

const char* ViewDirection(unsigned nId)
{
    switch (nId) {
    case ID_MAIL_NEXT: return "Next";
    case ID_MAIL_PREV: return "Prev";
    case ID_MAIL_NEXT_UNREAD: return "NextRecv";
    default: return "PrevRecv";
    }
}

void OnSend()
{
    CDoc* pDoc = ActiveMailDocument();
    if (!pDoc || MailMode() != 2 || !pDoc->HasChangedSinceOpen())
        return;
    if (!SendMail(pDoc))
        return;
    EditorApp()->QuitAfterSend(pDoc);
}

void OnReplyOrForward(bool bReply)
{
    CDoc* pDoc = ActiveMailDocument();
    if (!pDoc || MailMode() != 1) {
        ErrorBeep();
        return;
    }
    std::string path = pDoc->GetPathName();
    bool ok = bReply ? MailClientLink().Reply(path) : MailClientLink().Forward(path);
    if (!ok)
        ErrorBeep();
}

void OnView(unsigned nId)
{
    if (MailMode() != 1) {
        ErrorBeep();
        return;
    }
    // Kept by its handle: the window may be gone once the mail client answers.
    CMDIChildWnd* pBefore = ActiveMailWindow();
    HWND hBefore = pBefore ? pBefore->GetHwnd() : nullptr;
    if (!MailClientLink().View(ViewDirection(nId))) {
        ErrorBeep();
        return;
    }
    CMDIChildWnd* pNow = ActiveMailWindow();
    HWND hNow = pNow ? pNow->GetHwnd() : nullptr;
    // The mail client opened the other mail meanwhile: that window takes the
    // place of the one the command came from.
    if (hBefore && hNow && hNow != hBefore && ::IsWindow(hBefore))
        ::SendMessageW(hBefore, WM_CLOSE, 0, 0);
}

class CEditorAddressOpener : public IAddressOpener {
public:
    bool OpenUrl(const std::string& url) override { return BrowserAddressOpener().OpenUrl(url); }
    void NewMail(const std::string& address) override { MailClientLink().NewMail(address); }
    void RegisterAddress(const std::string& address) override { MailClientLink().RegisterAddress(address); }
};

} // namespace

CMailClientLink& MailClientLink()
{
    std::unique_ptr<CMailClientLink>& p = LinkHolder();
    if (!p)
        p = std::make_unique<CMailClientLink>(Win32MailLinkSystem());
    return *p;
}

void CloseMailClientLink()
{
    if (LinkHolder())
        LinkHolder()->Close();
}

bool SendMail(CDoc* pDoc)
{
    if (MailClientLink().IsBusy())
        return false;
    // A refused save (half-width katakana in the composer, a disk error) has
    // said why; the mail stays changed and open.
    if (!DoSave(pDoc, false))
        return false;
    std::vector<std::string> attachments;
    if (CMainFrame* pMain = EditorApp()->GetMainFrame())
        pMain->GetAttachBar().GetPaths(attachments);
    if (!attachments.empty()) {
        std::string path = pDoc->GetPathName();
        bool ok = MailClientLink().Attach(path, attachments);
        if (!StillOpen(pDoc))
            return false;
        if (!ok) {
            ErrorBeep();
            return false;
        }
    }
    pDoc->m_bChanged = false;
    return true;
}

bool SendPendingMails()
{
    if (MailClientLink().IsBusy()) {
        ErrorBeep();
        return false;
    }
    std::vector<CDocBase*> docs = EditorApp()->GetDocuments();
    for (CDocBase* pBase : docs) {
        auto* pDoc = dynamic_cast<CDoc*>(pBase);
        if (!pDoc || pDoc->m_bIsHeader || !pDoc->m_bChanged || !StillOpen(pDoc))
            continue;
        if (QuestionBox("%s を送信しますか", pDoc->GetPathName().c_str())) {
            if (!SendMail(pDoc))
                return false;
        } else {
            pDoc->RestoreFileTime();
        }
    }
    return true;
}

bool OnMailCommand(unsigned nId, CCmdUi* pUi)
{
    if (nId < ID_MAIL_SEND || nId > ID_MAIL_FORWARD)
        return false;
    bool bIdle = !LinkHolder() || !LinkHolder()->IsBusy();
    if (pUi) {
        CDoc* pDoc = ActiveMailDocument();
        bool bOn = bIdle && pDoc;
        if (nId == ID_MAIL_SEND)
            bOn = bOn && MailMode() == 2 && pDoc->HasChangedSinceOpen();
        else
            bOn = bOn && MailMode() == 1;
        pUi->Enable(bOn);
        return true;
    }
    if (!bIdle) {
        ErrorBeep();
        return true;
    }
    switch (nId) {
    case ID_MAIL_SEND: OnSend(); break;
    case ID_MAIL_REPLY: OnReplyOrForward(true); break;
    case ID_MAIL_FORWARD: OnReplyOrForward(false); break;
    default: OnView(nId); break;
    }
    return true;
}

IAddressOpener& EditorAddressOpener()
{
    static CEditorAddressOpener s_opener;
    return s_opener;
}
