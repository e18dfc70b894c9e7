#include <csignal>

#include "WinTestSupport.h"
#include "host/win/QuitSignals.h"

using QuitRequest = WinTest;

TEST_F(QuitRequest, AQuitSignalReachesEveryTopLevelWindowOnceAsEndSession)
{
    CatchQuitSignals();
    std::vector<TLogged> log;
    HWND shown = TopLevel(0, 0, 100, 100, Logging(log));
    HWND hidden = TopLevel(200, 0, 100, 100, Logging(log), WS_POPUP);
    Child(shown, 0, 0, 50, 50, Logging(log));
    DispatchPendingMessages();

    for (int signal : { SIGTERM, SIGINT, SIGHUP }) {
        SCOPED_TRACE(signal);
        log.clear();
        ASSERT_EQ(std::raise(signal), 0);
        DispatchPendingMessages();
        const auto ends = Only(log, WM_ENDSESSION);
        ASSERT_EQ(ends.size(), 2u);
        EXPECT_EQ(ends[0].Wnd, shown);
        EXPECT_EQ(ends[1].Wnd, hidden);

        log.clear();
        DispatchPendingMessages();
        EXPECT_TRUE(Only(log, WM_ENDSESSION).empty());
    }
}
