// Command routing: which target runs a command and what state it shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/CmdTarget.h"

namespace {

// A target that handles a fixed set of commands and records what it ran.
class CFakeTarget : public CCmdTarget {
public:
    CFakeTarget(std::string name, std::vector<unsigned> ids, std::vector<std::string>* log)
        : m_name(std::move(name)), m_ids(std::move(ids)), m_pLog(log)
    {
    }
    bool OnCommand(unsigned nId, CCmdUi* pUi) override
    {
        for (unsigned id : m_ids) {
            if (id != nId)
                continue;
            if (pUi) {
                pUi->Enable(m_bEnabled);
                pUi->SetCheck(m_bChecked);
            } else {
                m_pLog->push_back(m_name);
            }
            return true;
        }
        return false;
    }
    bool m_bEnabled = true;
    bool m_bChecked = false;

private:
    std::string m_name;
    std::vector<unsigned> m_ids;
    std::vector<std::string>* m_pLog;
};

} // namespace

TEST(CmdRoute, FirstTargetInOrderRunsTheCommand)
{
    std::vector<std::string> log;
    CFakeTarget view("view", {1}, &log), doc("doc", {1, 2}, &log), child("child", {2, 3}, &log),
        frame("frame", {3, 4}, &log), app("app", {1, 2, 3, 4, 5}, &log);
    CCmdRoute route{&view, &doc, nullptr, &child, &frame, &app};
    for (unsigned id = 1; id <= 5; ++id)
        EXPECT_TRUE(route.Execute(id));
    EXPECT_EQ(log, (std::vector<std::string>{"view", "doc", "child", "frame", "app"}));
}

TEST(CmdRoute, UnhandledCommandIsDisabledAndDoesNotRun)
{
    std::vector<std::string> log;
    CFakeTarget frame("frame", {7}, &log);
    CCmdRoute route{&frame};
    CCmdUi ui = route.QueryState(8);
    EXPECT_FALSE(ui.IsEnabled());
    EXPECT_FALSE(ui.IsHandled());
    EXPECT_FALSE(route.Execute(8));
    EXPECT_TRUE(log.empty());
}

TEST(CmdRoute, StateComesFromTheFirstHandlerAndDisabledCommandsDoNotRun)
{
    std::vector<std::string> log;
    CFakeTarget view("view", {1}, &log), frame("frame", {1}, &log);
    view.m_bEnabled = false;
    view.m_bChecked = true;
    CCmdRoute route{&view, &frame};
    CCmdUi ui = route.QueryState(1);
    EXPECT_TRUE(ui.IsHandled());
    EXPECT_FALSE(ui.IsEnabled());
    EXPECT_TRUE(ui.IsChecked());
    // A key binding for a greyed command does nothing, and the frame behind the
    // view does not take over.
    EXPECT_FALSE(route.Execute(1));
    EXPECT_TRUE(log.empty());
}
