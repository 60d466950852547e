// Numbered commands and where they go: every object that can carry out a command
// (views, documents, frames, the application) is a command target with one
// OnCommand; a route is the ordered list of targets a command is offered to.
// The same route answers both "run it" and "what state does it show" (enabled,
// checked) for menu items, toolbar buttons and status indicators.
#pragma once
#include <initializer_list>
#include <vector>

// The state of one command as a menu item, a toolbar button or a status-bar
// indicator shows it. A handler asked for the state fills it in.
class CCmdUi {
public:
    explicit CCmdUi(unsigned nId) : m_nId(nId) {}

    unsigned GetId() const { return m_nId; }
    void Enable(bool bOn = true) { m_bEnabled = bOn; }
    void SetCheck(bool bOn = true) { m_bChecked = bOn; }
    bool IsEnabled() const { return m_bEnabled; }
    bool IsChecked() const { return m_bChecked; }
    // Some target took the question (a command nobody handles shows disabled).
    bool IsHandled() const { return m_bHandled; }

private:
    friend class CCmdRoute;
    unsigned m_nId;
    bool m_bEnabled = true;
    bool m_bChecked = false;
    bool m_bHandled = false;
};

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    // With pUi null: carry out command nId. With pUi set: only fill in its state.
    // Returns true when this target handles nId, which ends the route here; a
    // target that handles the state of a command must also handle running it.
    virtual bool OnCommand(unsigned /*nId*/, CCmdUi* /*pUi*/) { return false; }
};

// The targets a command is offered to, first to last (null entries are skipped).
class CCmdRoute {
public:
    CCmdRoute() = default;
    CCmdRoute(std::initializer_list<CCmdTarget*> targets);
    void Add(CCmdTarget* pTarget);

    // The state of nId from the first target that handles it; disabled when none does.
    CCmdUi QueryState(unsigned nId) const;
    // Runs nId at the first target that handles it, unless its state is disabled
    // (a key binding must not run what the menu shows greyed). True when it ran.
    bool Execute(unsigned nId) const;

private:
    std::vector<CCmdTarget*> m_targets;
};
