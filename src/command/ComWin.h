// The command window: an editor view on a document of its own whose lines are
// the command history, oldest first. The cursor stands on a history line (a
// command recalled for editing) or just below the last one (a new command).
// Return runs the line; motion and buffer keys act on the document view in
// an enlarged form; the history survives runs in the settings.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "view/Vu.h"

class CDoc;
class IComWinHost;
class ISettingsStore;

class CComWin : public CVu {
public:
    // The window shows its own history document (owned).
    explicit CComWin(IComWinHost& host);
    ~CComWin() override;

    CDoc& HistoryDoc() { return *m_pHistoryDoc; }
    bool HasScrollBars() const override { return false; }

    // The line under the cursor as a command: its number, or 0 for none; the
    // values it carries go to the settings and the host.
    unsigned RunCommandLine();
    // Back to the document: both flags cleared, the focus returned, the window
    // hidden, the history pushed.
    void LeaveCommandMode();
    // A recalled command moves to the end of the history; the cursor goes just
    // below the last line.
    void PushHistory();
    void LoadHistory(ISettingsStore& store);
    void SaveHistory(ISettingsStore& store);
    // The history's entries (the lines up to the last one that holds text).
    std::vector<std::string> Entries();

    void OnSetFocus() override;
    void OnKillFocus() override;

    bool m_prefixPending = false;  // the command key again: the next mark, close or pick acts here
    bool m_searchPending = false;  // opened for a search: Return searches for the line

protected:
    Handler CommandHandler(unsigned nId) override;

private:
    bool LineEmpty() const;
    // The line holds a character other than a space.
    bool LineHasText() const;
    void Forward(unsigned nId);
    // The search text from the line or the word at the document's caret;
    // false when there is nothing to search for (after the message).
    bool SetSearchString();
    void SearchAndLeave(unsigned nId);
    // Puts the cursor at column 0 just below the last history line.
    void CursorBelowHistory();
    long HistoryCount();

    void OnCommandMode();
    void OnReturn();
    void OnSearch() { m_searchPending = true; }
    void OnSearchNextHere();
    void OnSearchPrevHere();
    void OnScrollUpHere();
    void OnScrollDownHere();
    void OnUpHere();
    void OnDownHere();
    void OnLeftHere();
    void OnRightHere();
    void OnDeleteHere();
    void OnBackspaceHere();
    void OnMarkHere();
    void OnCloseHere();
    void OnPickHere();
    void OnPageDownHere();
    void OnPageUpHere();
    void OnTabLeftHere();
    void OnTabRightHere();

    IComWinHost& m_host;
    std::unique_ptr<CDoc> m_pHistoryDoc;
    bool m_bLeaving = false;
};
