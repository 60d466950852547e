// Routing of numbered commands.
#include "fw/CmdTarget.h"

CCmdRoute::CCmdRoute(std::initializer_list<CCmdTarget*> targets)
{
    for (CCmdTarget* t : targets)
        Add(t);
}

void CCmdRoute::Add(CCmdTarget* pTarget)
{
    if (pTarget)
        m_targets.push_back(pTarget);
}

CCmdUi CCmdRoute::QueryState(unsigned nId) const
{
    for (CCmdTarget* t : m_targets) {
        CCmdUi ui(nId);
        if (t->OnCommand(nId, &ui)) {
            ui.m_bHandled = true;
            return ui;
        }
    }
    CCmdUi none(nId);
    none.Enable(false);
    return none;
}

bool CCmdRoute::Execute(unsigned nId) const
{
    if (!QueryState(nId).IsEnabled())
        return false;
    for (CCmdTarget* t : m_targets)
        if (t->OnCommand(nId, nullptr))
            return true;
    return false;
}
