// How forms meet the desktop: quit requests.
#include <csignal>

#include "host/win/QuitSignals.h"
#include "tests/host/ui/ControlTestSupport.h"

TEST_F(ControlTest, AQuitSignalClosesTheMainFormAsItsCloseButtonDoes)
{
    CatchQuitSignals();
    struct TCase {
        int Signal;
        bool CanClose;
    };
    for (const TCase c : { TCase { SIGTERM, true }, TCase { SIGINT, true }, TCase { SIGHUP, true }, TCase { SIGTERM, false } }) {
        SCOPED_TRACE(testing::Message() << "signal " << c.Signal << (c.CanClose ? "" : ", close refused"));
        delete app;
        app = new TApplication(nullptr);
        app->Initialize();
        TForm* main = nullptr;
        app->CreateForm(main);
        int closes = 0;
        main->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = c.CanClose; };
        main->OnClose = [&](TObject*, TCloseAction&) { ++closes; };
        main->Show();
        app->ProcessMessages();

        ASSERT_EQ(std::raise(c.Signal), 0);
        app->ProcessMessages();
        EXPECT_EQ(closes, c.CanClose ? 1 : 0);
        EXPECT_EQ(app->Terminated(), c.CanClose);
    }
}

TEST_F(ControlTest, AQuitSignalBeforeTheMainFormExistsEndsTheProgram)
{
    CatchQuitSignals();
    ASSERT_EQ(std::raise(SIGTERM), 0);
    app->ProcessMessages();
    EXPECT_TRUE(app->Terminated());
}
